#pragma once

// The dictionary entries the server hands out from "/ini.php".
//
// Entries file: UTF-8 text, one "key=value" per line; blanks around key and value are dropped,
// empty lines and lines starting with "#" are skipped. The value may be empty, which tells the
// program to forget the key. Keys holding a colon, a blank or a line break cannot be sent and
// are skipped.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace recordd {

using Entry = std::pair<std::string, std::string>;

std::vector<Entry> ParseEntries(std::string_view text);

// The entries of the file; nullopt when it cannot be read.
std::optional<std::vector<Entry>> ReadEntries(const std::filesystem::path& file);

// The "/ini.php" reply: "key:<Base64 of the value>" lines ending in CR LF.
std::string IniReply(const std::vector<Entry>& entries);

}  // namespace recordd
