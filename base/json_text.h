#pragma once

// JSON text for the usage submission.

#include <string>
#include <string_view>

namespace basalt {

// The UTF-8 text as a JSON string literal, quotes included: '"', '\' and control characters
// are escaped.
std::string JsonString(std::string_view utf8);

// The installation id as a JSON value: a plain decimal number ("0" or digits not starting with
// "0") as it stands, anything else (the empty id included) as a string.
std::string JsonIdValue(std::string_view id);

}  // namespace basalt
