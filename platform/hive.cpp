#include "hive.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "platform/text.h"

namespace platform::hive {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

// Texts are stored as UTF-8, except that the bytes of a file name that is not UTF-8 are stored
// as they are (see PathToNative), so a stored folder keeps its exact name.
std::string EscapeText(std::wstring_view text) {
    std::string out;
    for (char c : PathToNative(text)) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Reads a quoted, escaped text starting at line[pos] == '"'; pos ends past the closing quote.
std::optional<std::wstring> ReadQuoted(std::string_view line, size_t& pos) {
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    std::string bytes;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return PathFromNative(bytes);
        }
        if (c == '\\') {
            if (++pos >= line.size())
                return std::nullopt;
            switch (line[pos]) {
                case 'n':
                    c = '\n';
                    break;
                case 'r':
                    c = '\r';
                    break;
                case '0':
                    c = '\0';
                    break;
                default:
                    c = line[pos];
            }
        }
        bytes += c;
    }
    return std::nullopt;
}

std::optional<uint32_t> ReadDWord(std::string_view text) {
    constexpr std::string_view kPrefix = "dword:";
    if (text.size() != kPrefix.size() + 8 || text.substr(0, kPrefix.size()) != kPrefix) {
        return std::nullopt;
    }
    uint32_t number = 0;
    for (char c : text.substr(kPrefix.size())) {
        int digit = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + static_cast<uint32_t>(digit);
    }
    return number;
}

std::optional<Value> ParseValueLine(std::string_view line) {
    Value value;
    size_t pos = 0;
    if (line.starts_with("@=")) {
        pos = 1;
    } else {
        auto name = ReadQuoted(line, pos);
        if (!name || pos >= line.size() || line[pos] != '=')
            return std::nullopt;
        value.name = *name;
    }
    ++pos;  // '='
    if (pos < line.size() && line[pos] == '"') {
        auto text = ReadQuoted(line, pos);
        if (!text || pos != line.size())
            return std::nullopt;
        value.text = *text;
        return value;
    }
    auto number = ReadDWord(line.substr(pos));
    if (!number)
        return std::nullopt;
    value.type = REG_DWORD;
    value.number = *number;
    return value;
}

// The key path of a "[ROOT\path]" line, or nullopt when the line names another root.
std::optional<std::wstring> ParseKeyLine(std::string_view line, std::wstring_view rootName) {
    if (line.size() < 2 || line.back() != ']')
        return std::nullopt;
    std::wstring full = FromUtf8(line.substr(1, line.size() - 2));
    if (!EqualsIgnoreCase(full.substr(0, rootName.size()), rootName))
        return std::nullopt;
    std::wstring_view rest = std::wstring_view(full).substr(rootName.size());
    if (!rest.empty() && rest.front() != L'\\')
        return std::nullopt;
    return CleanPath(rest);
}

void PutValue(Key& key, Value value) {
    if (Value* existing = FindValue(key, value.name)) {
        *existing = std::move(value);
    } else {
        key.values.push_back(std::move(value));
    }
}

// Applies one line to the hive; false when the line does not parse.
bool ApplyLine(std::string_view line, std::wstring_view rootName, Hive& hive, Key*& current) {
    if (line.empty() || line.front() == ';')
        return true;
    if (line.front() == '[') {
        auto path = ParseKeyLine(line, rootName);
        if (!path)
            return false;
        current = &EnsureKey(hive, *path);
        return true;
    }
    auto value = ParseValueLine(line);
    if (!value || !current)
        return false;
    PutValue(*current, std::move(*value));
    return true;
}

}  // namespace

std::wstring CleanPath(std::wstring_view path) {
    std::wstring out;
    for (wchar_t c : path) {
        if (c == L'\\' && (out.empty() || out.back() == L'\\'))
            continue;
        out += c;
    }
    if (!out.empty() && out.back() == L'\\')
        out.pop_back();
    return out;
}

std::wstring KeyId(std::wstring_view path) {
    return ToFolded(CleanPath(path));
}

bool IsAtOrBelow(std::wstring_view keyId, std::wstring_view ancestorId) {
    if (ancestorId.empty())
        return true;
    return keyId.starts_with(ancestorId) &&
           (keyId.size() == ancestorId.size() || keyId[ancestorId.size()] == L'\\');
}

const Value* FindValue(const Key& key, std::wstring_view name) {
    for (const Value& value : key.values) {
        if (EqualsIgnoreCase(value.name, name))
            return &value;
    }
    return nullptr;
}

Value* FindValue(Key& key, std::wstring_view name) {
    return const_cast<Value*>(FindValue(std::as_const(key), name));
}

Key& EnsureKey(Hive& hive, std::wstring_view path) {
    auto [it, inserted] = hive.keys.try_emplace(KeyId(path));
    if (inserted)
        it->second.path = CleanPath(path);
    return it->second;
}

ParseResult Parse(std::string_view text, std::wstring_view rootName) {
    ParseResult result;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Key* current = nullptr;
    bool first = true;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            result.complete = false;  // a last line without its newline was cut short
            break;
        }
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const bool ok = first ? line == kHeader : ApplyLine(line, rootName, result.hive, current);
        first = false;
        if (!ok) {
            result.complete = false;
            break;
        }
    }
    return result;
}

std::string Serialize(const Hive& hive, std::wstring_view rootName) {
    std::string out(kHeader);
    out += "\n";
    const std::string root = ToUtf8(rootName);
    for (const auto& [id, key] : hive.keys) {
        out += "\n[" + root + (key.path.empty() ? "" : "\\") + ToUtf8(key.path) + "]\n";
        for (const Value& value : key.values) {
            out += value.name.empty() ? "@" : "\"" + EscapeText(value.name) + "\"";
            if (value.type == REG_DWORD) {
                char digits[16];
                std::snprintf(digits, sizeof digits, "%08x", value.number);
                out += std::string("=dword:") + digits + "\n";
            } else {
                out += "=\"" + EscapeText(value.text) + "\"\n";
            }
        }
    }
    return out;
}

}  // namespace platform::hive
