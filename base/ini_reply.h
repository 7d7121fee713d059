#pragma once

// The exchange with the record server's "/ini.php": the request body the library posts and the
// reply it merges into the dictionary.
//
// Reply: entries separated by runs of carriage returns, line feeds and spaces; each entry is a
// UTF-8 key and the Base64 of the UTF-8 value, separated by a run of colons (leading colons are
// skipped, a third field is ignored). An entry without a value, or whose value decodes to
// nothing, removes the key.

#include <string>
#include <string_view>
#include <vector>

#include "ini_dictionary.h"

namespace basalt {

struct IniReplyEntry {
    std::wstring key;    // never empty
    std::wstring value;  // empty: remove the key
};

// "tip=<InternalName>&ver=<FileVersion>&info=<FileVersion>" in UTF-8, not percent-escaped.
std::string IniRequestBody(const IniDictionary& dictionary);

// The entries of a reply in order; malformed entries are skipped. Values are read up to their
// first NUL. Never fails, whatever the bytes.
std::vector<IniReplyEntry> ParseIniReply(std::string_view reply);

}  // namespace basalt
