#include "pdf_syntax.h"

#include <charconv>

namespace pdf {
namespace {

bool IsRegularNameByte(unsigned char c) {
    if (c < 0x21 || c > 0x7E)
        return false;
    return std::string_view("()<>[]{}/%#").find(static_cast<char>(c)) == std::string_view::npos;
}

bool IsPrintableAscii(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string Number(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    if (text.find('.') == std::string::npos)
        return text == "-0" ? "0" : text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string Name(std::string_view bytes) {
    std::string name = "/";
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (IsRegularNameByte(c)) {
            name += byte;
        } else {
            name += '#';
            name += kHexDigits[c >> 4];
            name += kHexDigits[c & 0xF];
        }
    }
    return name;
}

std::string TextString(std::wstring_view text) {
    if (IsPrintableAscii(text)) {
        std::string literal = "(";
        for (const wchar_t c : text) {
            if (c == L'(' || c == L')' || c == L'\\')
                literal += '\\';
            literal += static_cast<char>(c);
        }
        return literal + ")";
    }
    std::string utf16 = "\xFE\xFF";
    for (const wchar_t c : text)
        AppendUtf16Be(utf16, static_cast<char32_t>(c));
    return HexString({reinterpret_cast<const uint8_t*>(utf16.data()), utf16.size()});
}

std::string HexString(std::span<const uint8_t> bytes) {
    std::string hex = "<";
    hex.reserve(bytes.size() * 2 + 2);
    for (const uint8_t byte : bytes) {
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0xF];
    }
    return hex + ">";
}

void AppendUtf16Be(std::string& out, char32_t codePoint) {
    const bool scalar = codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
    if (!scalar)
        codePoint = 0xFFFD;
    auto appendUnit = [&out](uint32_t unit) {
        out += static_cast<char>(unit >> 8);
        out += static_cast<char>(unit & 0xFF);
    };
    if (codePoint < 0x10000) {
        appendUnit(codePoint);
        return;
    }
    const uint32_t offset = codePoint - 0x10000;
    appendUnit(0xD800 + (offset >> 10));
    appendUnit(0xDC00 + (offset & 0x3FF));
}

std::string Reference(uint32_t objectId) {
    return std::to_string(objectId) + " 0 R";
}

}  // namespace pdf
