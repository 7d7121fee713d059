#pragma once

// The per-user settings store: keys holding typed values (text and 32-bit numbers), grouped in
// hives. Each hive is one text file in the registry-export format ("HKEY_CURRENT_USER.reg" and so
// on) in the settings folder: $FOLIOFORGE_HOME, else $XDG_CONFIG_HOME/folioforge, else
// ~/.config/folioforge.
//
// Key paths use backslashes ("Software\Velkor\Folioforge"); key and value names compare without
// regard to letter case. Every write is atomic (temporary file, flush, rename) under an advisory
// lock and applies only its own change to the file as it is on disk at that moment, so processes
// writing different values never lose each other's changes. Readers see changes made by other
// processes. A hive file that does not parse is read as far as it parses; the next write keeps
// the damaged file aside as NAME.reg.corrupt-N and writes a valid one.
//
// All functions are thread-safe and never throw; failures are reported by their results.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Opaque root handle, declared at global scope so that C interfaces can name it too.
struct HKEY__;

namespace platform {

using HKEY = ::HKEY__*;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t{0x80000000});
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002});

enum RegValueType : uint32_t { REG_SZ = 1, REG_DWORD = 4 };

struct RegValueInfo {
    RegValueType type;
    uint32_t size;  // bytes: 4 for REG_DWORD, 4 * (length + 1) for REG_SZ (wchar_t and its zero)
};

// The folder that holds the hive files.
std::filesystem::path SettingsFolder();

// The hive file of a root; empty for a handle that is not one of the three roots.
std::filesystem::path HiveFile(HKEY root);

// Creates the key (and its parents) when missing. False when the store cannot be written.
bool RegCreateKey(HKEY root, std::wstring_view key);

// True when the key, or any key below it, exists.
bool RegKeyExists(HKEY root, std::wstring_view key);

std::optional<std::wstring> RegReadString(HKEY root, std::wstring_view key, std::wstring_view name);
std::optional<uint32_t> RegReadDWord(HKEY root, std::wstring_view key, std::wstring_view name);
std::optional<RegValueInfo> RegQueryValue(HKEY root, std::wstring_view key, std::wstring_view name);

// Writes a value, creating its key when missing. False when the store cannot be written; the
// stored value is then unchanged.
bool RegWriteString(HKEY root, std::wstring_view key, std::wstring_view name,
                    std::wstring_view value);
bool RegWriteDWord(HKEY root, std::wstring_view key, std::wstring_view name, uint32_t value);

// Removes a value. True when it is gone afterwards (also when it never existed).
bool RegDeleteValue(HKEY root, std::wstring_view key, std::wstring_view name);

// Removes the key with all its values and every key below it. True when it is gone afterwards.
bool RegDeleteTree(HKEY root, std::wstring_view key);

// Names of the direct subkeys, in the store's order (sorted without regard to case).
std::vector<std::wstring> RegEnumSubKeys(HKEY root, std::wstring_view key);

// Names of the key's values, in the order they were first written.
std::vector<std::wstring> RegEnumValues(HKEY root, std::wstring_view key);

}  // namespace platform
