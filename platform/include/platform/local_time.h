#pragma once

// Calendar time in the user's time zone.

#include <ctime>
#include <optional>

namespace platform {

// The broken-down local time of a moment (the TZ variable and the system's zone rules apply);
// nullopt when it cannot be represented. Thread-safe.
std::optional<std::tm> LocalTime(std::time_t moment);

}  // namespace platform
