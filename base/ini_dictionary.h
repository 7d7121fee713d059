#pragma once

// The dictionary of named strings fed from the host's version record, the network switch and
// the record server's replies. Keys ignore the letter case of ASCII letters.
//
// Thread-safe: every single store or look-up holds the dictionary's lock.

#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace basalt {

class IniDictionary {
public:
    // Adds or replaces the key; an empty value removes it.
    void Set(std::wstring_view key, std::wstring_view value);

    // A pointer into the dictionary's own storage, valid until the key is stored again or
    // removed; null when the key is absent.
    const wchar_t* Find(std::wstring_view key) const;

    // A copy of the value; empty when the key is absent.
    std::wstring Value(std::wstring_view key) const;

private:
    mutable std::mutex lock_;
    std::map<std::wstring, std::wstring> entries_;
};

}  // namespace basalt
