#pragma once

// The record server the library talks to: the build's setting FOLIOFORGE_SERVER, overridden at
// run time by the environment variable of the same name. A value without a scheme is taken as
// plain HTTP ("127.0.0.1:8470" means "http://127.0.0.1:8470").

#include <string>
#include <string_view>

namespace basalt {

// The server's base URL without a trailing slash.
std::wstring RecordServer();

// The server's base URL followed by path ("/ini.php", "/record.php").
std::wstring RecordServerUrl(std::wstring_view path);

}  // namespace basalt
