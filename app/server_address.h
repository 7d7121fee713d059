#pragma once

// The maker's addresses the program shows and opens: the record server (the build's
// FOLIOFORGE_SERVER, overridden by the environment variable of that name, as the library reads
// it) and the support e-mail address (the build's FOLIOFORGE_SUPPORT, overridden likewise).
// Any thread.

#include <string>

namespace app {

// The record server's home page, "http://host:port/"; a configured value without a scheme is
// taken as plain HTTP.
std::wstring RecordServerHome();

// The support e-mail address.
std::wstring SupportAddress();

}  // namespace app
