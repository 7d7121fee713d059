#include "json_text.h"

#include <algorithm>
#include <cstdio>

namespace basalt {
namespace {

bool IsPlainNumber(std::string_view text) {
    if (text.empty() || (text.size() > 1 && text.front() == '0'))
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void AppendEscaped(std::string& out, char c) {
    switch (c) {
        case '"':
            out += "\\\"";
            return;
        case '\\':
            out += "\\\\";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out += escaped;
    } else {
        out += c;
    }
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8)
        AppendEscaped(out, c);
    out += '"';
    return out;
}

std::string JsonIdValue(std::string_view id) {
    return IsPlainNumber(id) ? std::string(id) : JsonString(id);
}

}  // namespace basalt
