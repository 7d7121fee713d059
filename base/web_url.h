#pragma once

#include <string_view>

namespace basalt {

// True for an absolute http or https URL (scheme in any letter case, "://", then at least one
// character). Only such URLs from the server are ever handed to the desktop's URL opener.
bool IsWebUrl(std::wstring_view url);

}  // namespace basalt
