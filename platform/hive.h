#pragma once

// In-memory form of one hive and its text form, the registry-export format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Velkor\Folioforge]
//   "PDFTitle"="Report"
//   "PageSize"=dword:00000003

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace platform::hive {

struct Value {
    std::wstring name;
    RegValueType type = REG_SZ;
    std::wstring text;
    uint32_t number = 0;
};

struct Key {
    std::wstring path;          // as first written, without the root name
    std::vector<Value> values;  // in the order they were first written
};

// Keys by folded path, so lookups ignore letter case and the file lists keys in a stable order.
struct Hive {
    std::map<std::wstring, Key> keys;
};

struct ParseResult {
    Hive hive;
    bool complete = true;  // false when parsing stopped at damaged or truncated text
};

// Folded form of a key path: no leading, trailing or doubled backslashes; letter case folded.
std::wstring KeyId(std::wstring_view path);

// Key path with leading, trailing and doubled backslashes removed, letter case kept.
std::wstring CleanPath(std::wstring_view path);

// Reads the text form of the hive named rootName; keeps every key and value before the first
// line that does not parse.
ParseResult Parse(std::string_view text, std::wstring_view rootName);

std::string Serialize(const Hive& hive, std::wstring_view rootName);

// Editing helpers shared by the store's operations.
const Value* FindValue(const Key& key, std::wstring_view name);
Value* FindValue(Key& key, std::wstring_view name);
Key& EnsureKey(Hive& hive, std::wstring_view path);
bool IsAtOrBelow(std::wstring_view keyId, std::wstring_view ancestorId);

}  // namespace platform::hive
