#include "platform/local_time.h"

namespace platform {

std::optional<std::tm> LocalTime(std::time_t moment) {
    std::tm local{};
    if (!::localtime_r(&moment, &local)) {
        return std::nullopt;
    }
    return local;
}

}  // namespace platform
