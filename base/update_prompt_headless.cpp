#include "update_prompt.h"

namespace basalt {

// A build without Qt has no question box: the answer is always No.
void OfferUpdate(std::wstring_view, std::wstring_view, std::wstring_view) {}

}  // namespace basalt
