#pragma once

// The program's texts, looked up by text id in the current language (libbasalt).

#include <string>

namespace app {

// The text of id with "%s" replaced by s1 (when given); empty when no language has it.
std::wstring Text(const wchar_t* id, const wchar_t* s1 = nullptr);

}  // namespace app
