#include "ini_reply.h"

#include "base64.h"
#include "platform/text.h"

namespace basalt {
namespace {

// The pieces of text between runs of any of the separators.
std::vector<std::string_view> SplitRuns(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    size_t start = text.find_first_not_of(separators);
    while (start != std::string_view::npos) {
        const size_t end = text.find_first_of(separators, start);
        pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        start = end == std::string_view::npos ? end : text.find_first_not_of(separators, end);
    }
    return pieces;
}

}  // namespace

std::string IniRequestBody(const IniDictionary& dictionary) {
    const std::string name = platform::ToUtf8(dictionary.Value(L"InternalName"));
    const std::string version = platform::ToUtf8(dictionary.Value(L"FileVersion"));
    return "tip=" + name + "&ver=" + version + "&info=" + version;
}

std::vector<IniReplyEntry> ParseIniReply(std::string_view reply) {
    std::vector<IniReplyEntry> entries;
    for (const std::string_view entry : SplitRuns(reply, "\r\n ")) {
        const auto fields = SplitRuns(entry, ":");
        if (fields.empty())
            continue;
        std::string value = fields.size() > 1 ? Base64Decode(fields[1]) : std::string();
        if (const size_t nul = value.find('\0'); nul != std::string::npos)
            value.resize(nul);
        entries.push_back({platform::FromUtf8(fields[0]), platform::FromUtf8(value)});
    }
    return entries;
}

}  // namespace basalt
