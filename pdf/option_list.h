#pragma once

// Option lists: blank-separated options, each "key=value", "key={value with blanks}" or a bare
// key meaning "key=true". Keys are matched without regard to case. Malformed lists, unknown keys
// and repeated keys throw Failure (kErrorOption).

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdf {

class OptionList {
public:
    // Parses text and checks that every key is one of allowedKeys (lower case).
    OptionList(std::wstring_view text, std::initializer_list<std::string_view> allowedKeys);

    bool Has(std::string_view key) const { return values_.contains(std::string(key)); }
    // The value as written, braces removed; nullopt when the option is absent.
    std::optional<std::wstring> Text(std::string_view key) const;
    // "true"/"false" (or a bare key); false when absent.
    bool Flag(std::string_view key) const;
    // The value split into its blank-separated words (for braced lists); empty when absent.
    std::vector<std::wstring> Words(std::string_view key) const;
    // A number; throws when the value is not one.
    double Number(std::string_view key) const;

private:
    std::map<std::string, std::wstring> values_;
};

// Parses a decimal number such as "12", "-3.5" or ".25"; nullopt for anything else (including
// infinities and values beyond 1e9).
std::optional<double> ParseNumber(std::wstring_view text);

// "key" in ASCII lower case; nullopt when text holds anything but ASCII letters, digits and
// punctuation.
std::optional<std::string> AsciiLower(std::wstring_view text);

}  // namespace pdf
