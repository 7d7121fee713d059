#include "platform/text.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void AppendUtf8(std::string& out, char32_t c) {
    if (!IsScalarValue(c)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the sequence a lead byte announces, 0 for a byte that cannot lead one.
int SequenceLength(uint8_t lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Decodes the sequence at bytes[pos]; advances pos past it, or past the longest valid prefix
// of a broken sequence (which then yields U+FFFD).
char32_t DecodeOne(std::string_view bytes, size_t& pos) {
    const auto lead = static_cast<uint8_t>(bytes[pos++]);
    const int length = SequenceLength(lead);
    if (length == 1) {
        return lead;
    }
    if (length == 0) {
        return kReplacement;
    }
    char32_t c = lead & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        if (pos >= bytes.size()) {
            return kReplacement;
        }
        const auto next = static_cast<uint8_t>(bytes[pos]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        // Second-byte ranges that exclude overlong forms, surrogates and values past U+10FFFF.
        if (i == 1 && ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) ||
                       (lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next > 0x8F))) {
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3F);
        ++pos;
    }
    return c;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        AppendUtf8(out, static_cast<char32_t>(static_cast<uint32_t>(c)));
    }
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    size_t pos = 0;
    while (pos < bytes.size()) {
        out += static_cast<wchar_t>(DecodeOne(bytes, pos));
    }
    return out;
}

namespace {

constexpr char32_t kEscapeBase = 0xDC00;  // U+DC80-U+DCFF stand for the bytes 0x80-0xFF

bool IsEscapedByte(char32_t c) {
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

}  // namespace

std::wstring PathFromNative(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t start = pos;
        const char32_t c = DecodeOne(bytes, pos);
        const bool literalReplacement =
            pos - start == 3 && bytes.substr(start, 3) == "\xEF\xBF\xBD";
        if (c == kReplacement && !literalReplacement) {
            pos = start + 1;  // escape only the first byte; the rest is decoded afresh
            out += static_cast<wchar_t>(kEscapeBase + static_cast<uint8_t>(bytes[start]));
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
    return out;
}

std::string PathToNative(std::wstring_view path) {
    std::string out;
    out.reserve(path.size());
    for (wchar_t c : path) {
        const auto point = static_cast<char32_t>(static_cast<uint32_t>(c));
        if (IsEscapedByte(point)) {
            out += static_cast<char>(point - kEscapeBase);
        } else {
            AppendUtf8(out, point);
        }
    }
    return out;
}

std::wstring DisplayPath(std::wstring_view path) {
    std::wstring out(path);
    std::replace_if(
        out.begin(), out.end(),
        [](wchar_t c) { return IsEscapedByte(static_cast<char32_t>(static_cast<uint32_t>(c))); },
        static_cast<wchar_t>(kReplacement));
    return out;
}

namespace {

// Runs where capital and small letters alternate; capitalParity says whether the capitals sit
// at even (0) or odd (1) code points.
struct AlternatingRun {
    wchar_t first;
    wchar_t last;
    int capitalParity;
};

constexpr AlternatingRun kAlternatingRuns[] = {
    {0x100, 0x12F, 0}, {0x132, 0x137, 0}, {0x139, 0x148, 1}, {0x14A, 0x177, 0}, {0x179, 0x17E, 1},
    {0x460, 0x481, 0}, {0x48A, 0x4BF, 0}, {0x4C1, 0x4CE, 1}, {0x4D0, 0x52F, 0},
};

}  // namespace

std::u32string CodePoints(std::wstring_view text) {
    std::u32string points;
    points.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        const bool highSurrogate = c >= 0xD800 && c <= 0xDBFF;
        if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        points += c;
    }
    return points;
}

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') {
        return c + 32;
    }
    if (c < 0xC0) {
        return c;
    }
    // Latin-1, Greek and basic Cyrillic capitals sit 32 below their small letters.
    if ((c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    for (const auto& run : kAlternatingRuns) {
        if (c >= run.first && c <= run.last) {
            return (c % 2 == run.capitalParity) ? c + 1 : c;
        }
    }
    return c;
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

std::wstring ToFolded(std::wstring_view text) {
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldCase);
    return out;
}

void ReplaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to) {
    if (from.empty()) {
        return;
    }
    std::wstring result;
    size_t start = 0;
    for (size_t hit; (hit = text.find(from, start)) != std::wstring::npos;
         start = hit + from.size()) {
        result.append(text, start, hit - start).append(to);
    }
    if (start == 0) {
        return;
    }
    result.append(text, start);
    text = std::move(result);
}

}  // namespace platform
