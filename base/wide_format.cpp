#include "wide_format.h"

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace basalt {
namespace {

constexpr size_t kMaxFormattedChars = 16u << 20;
constexpr std::wstring_view kFlagsWidthPrecision = L"-+ #0'0123456789.*";
constexpr std::wstring_view kModifierChars = L"hlLqjztwI0123456789";

// One conversion of a format: what follows the '%'.
struct Directive {
    std::wstring flags;     // flags, width and precision as written ('*' taken from arguments)
    int starCount = 0;      // how many '*' the flags hold
    std::wstring modifier;  // length modifier as written ("h", "l", "I64", ...)
    wchar_t conversion = L'\0';
    size_t length = 0;  // characters of the directive after the '%'
};

Directive ParseDirective(std::wstring_view text) {
    Directive directive;
    size_t i = text.find_first_not_of(kFlagsWidthPrecision);
    i = i == std::wstring_view::npos ? text.size() : i;
    directive.flags = text.substr(0, i);
    for (wchar_t c : directive.flags) {
        directive.starCount += c == L'*' ? 1 : 0;
    }
    const size_t end = text.find_first_not_of(kModifierChars, i);
    directive.modifier = text.substr(i, (end == std::wstring_view::npos ? text.size() : end) - i);
    i += directive.modifier.size();
    directive.conversion = i < text.size() ? text[i] : L'\0';
    directive.length = directive.conversion != L'\0' ? i + 1 : i;
    return directive;
}

// Formats one value with the C library's wide formatter; false when it cannot be formatted
// within the size limit.
template <typename Value>
bool AppendOne(std::wstring& out, const std::wstring& format, const int (&stars)[2], int starCount,
               Value value) {
    for (size_t size = 64; size <= kMaxFormattedChars; size *= 4) {
        std::vector<wchar_t> buffer(size);
        int written = -1;
        if (starCount == 0) {
            written = std::swprintf(buffer.data(), size, format.c_str(), value);
        } else if (starCount == 1) {
            written = std::swprintf(buffer.data(), size, format.c_str(), stars[0], value);
        } else {
            written = std::swprintf(buffer.data(), size, format.c_str(), stars[0], stars[1], value);
        }
        if (written >= 0) {
            out.append(buffer.data(), static_cast<size_t>(written));
            return true;
        }
    }
    return false;
}

bool IsNarrowText(const Directive& d) {
    return d.conversion == L'S' || d.conversion == L'C' || d.modifier == L"h";
}

// The C library's spelling of an integer modifier ("I64" is "ll", "I32" none, "I" pointer-sized).
std::wstring IntegerModifier(const std::wstring& modifier) {
    if (modifier == L"I64" || modifier == L"q" || modifier == L"L") {
        return L"ll";
    }
    if (modifier == L"I32" || modifier == L"w") {
        return L"";
    }
    return modifier == L"I" ? L"t" : modifier;
}

class DirectiveFormatter {
public:
    DirectiveFormatter(std::wstring& out, va_list& args) : out_(out), args_(args) {}

    // Appends the formatted argument of directive; false when it cannot be formatted.
    bool Append(const Directive& d) {
        for (int i = 0; i < d.starCount && i < 2; ++i) {
            stars_[i] = va_arg(args_, int);
        }
        switch (d.conversion) {
            case L's':
            case L'S':
                return AppendText(d);
            case L'c':
            case L'C':
                return AppendCharacter(d);
            case L'd':
            case L'i':
                return AppendSigned(d);
            case L'o':
            case L'u':
            case L'x':
            case L'X':
                return AppendUnsigned(d);
            case L'p':
                return Emit(d, L"p", va_arg(args_, void*));
            case L'n':
                (void)va_arg(args_, void*);  // writing through arguments is never done
                return true;
            default:
                return AppendFloating(d);
        }
    }

private:
    template <typename Value>
    bool Emit(const Directive& d, const std::wstring& conversion, Value value) {
        return AppendOne(out_, L"%" + d.flags + conversion, stars_, d.starCount, value);
    }

    bool AppendText(const Directive& d) {
        std::wstring text;
        if (IsNarrowText(d)) {
            const char* narrow = va_arg(args_, const char*);
            text = narrow != nullptr ? platform::FromUtf8(narrow) : L"(null)";
        } else {
            const wchar_t* wide = va_arg(args_, const wchar_t*);
            text = wide != nullptr ? wide : L"(null)";
        }
        return Emit(d, L"ls", text.c_str());
    }

    bool AppendCharacter(const Directive& d) {
        const int value = va_arg(args_, int);
        if (!IsNarrowText(d)) {
            return Emit(d, L"lc", static_cast<wint_t>(value));
        }
        const char byte = static_cast<char>(value);
        return Emit(d, L"ls", platform::FromUtf8(std::string_view(&byte, 1)).c_str());
    }

    bool AppendSigned(const Directive& d) {
        const std::wstring m = IntegerModifier(d.modifier);
        const std::wstring c(1, d.conversion);
        if (m == L"ll") {
            return Emit(d, L"lld", va_arg(args_, long long));
        }
        if (m == L"l") {
            return Emit(d, L"ld", va_arg(args_, long));
        }
        if (m == L"j") {
            return Emit(d, L"jd", va_arg(args_, intmax_t));
        }
        if (m == L"z" || m == L"t") {
            return Emit(d, L"td", va_arg(args_, ptrdiff_t));
        }
        return Emit(d, m + c, va_arg(args_, int));
    }

    bool AppendUnsigned(const Directive& d) {
        const std::wstring m = IntegerModifier(d.modifier);
        const std::wstring c(1, d.conversion);
        if (m == L"ll") {
            return Emit(d, L"ll" + c, va_arg(args_, unsigned long long));
        }
        if (m == L"l") {
            return Emit(d, L"l" + c, va_arg(args_, unsigned long));
        }
        if (m == L"j") {
            return Emit(d, L"j" + c, va_arg(args_, uintmax_t));
        }
        if (m == L"z" || m == L"t") {
            return Emit(d, L"z" + c, va_arg(args_, size_t));
        }
        return Emit(d, m + c, va_arg(args_, unsigned int));
    }

    bool AppendFloating(const Directive& d) {
        if (std::wstring_view(L"aAeEfFgG").find(d.conversion) == std::wstring_view::npos) {
            return false;  // an unknown conversion: its arguments cannot be known
        }
        const std::wstring c(1, d.conversion);
        if (d.modifier == L"L") {
            return Emit(d, L"L" + c, va_arg(args_, long double));
        }
        return Emit(d, c, va_arg(args_, double));
    }

    std::wstring& out_;
    va_list& args_;
    int stars_[2] = {0, 0};
};

}  // namespace

std::wstring FormatWide(const wchar_t* format, va_list args) {
    if (!format) {
        return {};
    }
    va_list own;
    va_copy(own, args);
    const std::wstring_view text(format);
    std::wstring out;
    DirectiveFormatter formatter(out, own);
    bool formatted = true;
    for (size_t i = 0; formatted && i < text.size();) {
        const size_t percent = text.find(L'%', i);
        out.append(text.substr(i, percent == std::wstring_view::npos ? percent : percent - i));
        if (percent == std::wstring_view::npos) {
            break;
        }
        if (percent + 1 < text.size() && text[percent + 1] == L'%') {
            out += L'%';
            i = percent + 2;
            continue;
        }
        const Directive directive = ParseDirective(text.substr(percent + 1));
        formatted = formatter.Append(directive) && out.size() <= kMaxFormattedChars;
        i = percent + 1 + directive.length;
    }
    va_end(own);
    return formatted ? out : std::wstring(format);
}

}  // namespace basalt
