#include "codec.h"

namespace imaging {

void Fail(const std::string& reason) {
    throw ImageError(reason);
}

}  // namespace imaging
