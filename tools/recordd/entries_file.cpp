#include "entries_file.h"

#include <fstream>
#include <sstream>

#include "base64.h"

namespace recordd {
namespace {

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsSendableKey(std::string_view key) {
    return !key.empty() && key.find_first_of(": \t\r\n") == std::string_view::npos;
}

}  // namespace

std::vector<Entry> ParseEntries(std::string_view text) {
    std::vector<Entry> entries;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        if (IsSendableKey(key))
            entries.emplace_back(key, Trim(line.substr(equals + 1)));
    }
    return entries;
}

std::optional<std::vector<Entry>> ReadEntries(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return ParseEntries(text.str());
}

std::string IniReply(const std::vector<Entry>& entries) {
    std::string reply;
    for (const auto& [key, value] : entries) {
        reply += key + ":" + basalt::Base64Encode(value) + "\r\n";
    }
    return reply;
}

}  // namespace recordd
