#include "bstr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace basalt {
namespace {

// The prefix is as wide as a character, so the characters stay aligned.
constexpr size_t kPrefixBytes = sizeof(wchar_t);
static_assert(kPrefixBytes >= sizeof(uint32_t));

}  // namespace

BSTR AllocBstr(std::wstring_view text) {
    const size_t bytes = text.size() * sizeof(wchar_t);
    if (bytes > UINT32_MAX)
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefixBytes + bytes + sizeof(wchar_t)));
    if (!block)
        return nullptr;
    const auto length = static_cast<uint32_t>(bytes);
    std::memcpy(block + kPrefixBytes - sizeof length, &length, sizeof length);
    auto* chars = reinterpret_cast<wchar_t*>(block + kPrefixBytes);
    std::wmemcpy(chars, text.data(), text.size());
    chars[text.size()] = L'\0';
    return chars;
}

void FreeBstr(BSTR text) {
    if (text)
        std::free(reinterpret_cast<unsigned char*>(text) - kPrefixBytes);
}

}  // namespace basalt
