#include "texts.h"

#include "basalt/basalt.h"

namespace app {

std::wstring Text(const wchar_t* id, const wchar_t* s1) {
    const wchar_t* text = GetTextByID(id, s1, nullptr, nullptr);
    return text ? std::wstring(text) : std::wstring();
}

}  // namespace app
