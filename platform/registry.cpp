#include "platform/registry.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

#include "hive.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// Identity of a hive file's current content; a change means another writer replaced it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    long long modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

struct CachedHive {
    FileStamp stamp;
    hive::Hive hive;
};

std::mutex gStoreMutex;
std::map<fs::path, CachedHive> gCache;

std::wstring_view RootName(HKEY root) {
    if (root == HKEY_CURRENT_USER)
        return L"HKEY_CURRENT_USER";
    if (root == HKEY_LOCAL_MACHINE)
        return L"HKEY_LOCAL_MACHINE";
    if (root == HKEY_CLASSES_ROOT)
        return L"HKEY_CLASSES_ROOT";
    return {};
}

FileStamp StampOf(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return {};
    return {info.st_dev, info.st_ino, info.st_size,
            info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec};
}

hive::ParseResult LoadHive(const fs::path& file, std::wstring_view rootName) {
    const auto text = ReadFileBytes(file);
    return text ? hive::Parse(*text, rootName) : hive::ParseResult{};
}

// The hive as it is on disk now, re-read only when the file changed. Caller holds gStoreMutex.
const hive::Hive& CurrentHive(const fs::path& file, std::wstring_view rootName) {
    const FileStamp stamp = StampOf(file);
    auto it = gCache.find(file);
    if (it == gCache.end() || !(it->second.stamp == stamp)) {
        it = gCache.insert_or_assign(file, CachedHive{stamp, LoadHive(file, rootName).hive}).first;
    }
    return it->second.hive;
}

// Renames a damaged hive file to the first free NAME.corrupt-N.
void SetAside(const fs::path& file) {
    for (int n = 1; n < 10000; ++n) {
        fs::path aside = file;
        aside += ".corrupt-" + std::to_string(n);
        std::error_code error;
        if (!fs::exists(aside, error)) {
            fs::rename(file, aside, error);
            return;
        }
    }
}

// Reads the hive under the lock, lets change edit it and writes the result when change reports
// an edit. Returns false when the store could not be written.
template <typename Change>
bool ModifyHive(HKEY root, Change&& change) {
    const std::wstring_view rootName = RootName(root);
    const fs::path file = HiveFile(root);
    if (file.empty())
        return false;
    std::lock_guard guard(gStoreMutex);
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    FileLock lock(fs::path(file) += ".lock");
    if (!lock.held())
        return false;
    hive::ParseResult loaded = LoadHive(file, rootName);
    if (!change(loaded.hive))
        return true;
    if (!loaded.complete && fs::exists(file, error))
        SetAside(file);
    if (!WriteFileAtomically(file, hive::Serialize(loaded.hive, rootName)))
        return false;
    gCache.insert_or_assign(file, CachedHive{StampOf(file), std::move(loaded.hive)});
    return true;
}

// Calls read with the current hive under the store's mutex.
template <typename Read>
auto ReadHive(HKEY root, Read&& read) {
    const fs::path file = HiveFile(root);
    std::lock_guard guard(gStoreMutex);
    static const hive::Hive kEmpty;
    return read(file.empty() ? kEmpty : CurrentHive(file, RootName(root)));
}

const hive::Value* FindStoredValue(const hive::Hive& h, std::wstring_view key,
                                   std::wstring_view name) {
    auto it = h.keys.find(hive::KeyId(key));
    if (it == h.keys.end())
        return nullptr;
    return hive::FindValue(it->second, name);
}

template <typename Fill>
bool WriteValue(HKEY root, std::wstring_view key, std::wstring_view name, Fill&& fill) {
    return ModifyHive(root, [&](hive::Hive& h) {
        hive::Key& target = hive::EnsureKey(h, key);
        hive::Value* value = hive::FindValue(target, name);
        if (!value) {
            value = &target.values.emplace_back();
            value->name = name;
        }
        fill(*value);
        return true;
    });
}

}  // namespace

fs::path SettingsFolder() {
    if (const char* home = std::getenv("FOLIOFORGE_HOME"); home && *home)
        return home;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        return fs::path(config) / "folioforge";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : ".") / ".config" / "folioforge";
}

fs::path HiveFile(HKEY root) {
    const std::wstring_view name = RootName(root);
    if (name.empty())
        return {};
    return SettingsFolder() / (ToUtf8(name) + ".reg");
}

bool RegCreateKey(HKEY root, std::wstring_view key) {
    return ModifyHive(root, [&](hive::Hive& h) {
        const size_t before = h.keys.size();
        hive::EnsureKey(h, key);
        return h.keys.size() != before;
    });
}

bool RegKeyExists(HKEY root, std::wstring_view key) {
    const std::wstring id = hive::KeyId(key);
    return ReadHive(root, [&](const hive::Hive& h) {
        return std::any_of(h.keys.begin(), h.keys.end(),
                           [&](const auto& entry) { return hive::IsAtOrBelow(entry.first, id); });
    });
}

std::optional<std::wstring> RegReadString(HKEY root, std::wstring_view key,
                                          std::wstring_view name) {
    return ReadHive(root, [&](const hive::Hive& h) -> std::optional<std::wstring> {
        const hive::Value* value = FindStoredValue(h, key, name);
        if (!value || value->type != REG_SZ)
            return std::nullopt;
        return value->text;
    });
}

std::optional<uint32_t> RegReadDWord(HKEY root, std::wstring_view key, std::wstring_view name) {
    return ReadHive(root, [&](const hive::Hive& h) -> std::optional<uint32_t> {
        const hive::Value* value = FindStoredValue(h, key, name);
        if (!value || value->type != REG_DWORD)
            return std::nullopt;
        return value->number;
    });
}

std::optional<RegValueInfo> RegQueryValue(HKEY root, std::wstring_view key,
                                          std::wstring_view name) {
    return ReadHive(root, [&](const hive::Hive& h) -> std::optional<RegValueInfo> {
        const hive::Value* value = FindStoredValue(h, key, name);
        if (!value)
            return std::nullopt;
        if (value->type == REG_DWORD)
            return RegValueInfo{REG_DWORD, 4};
        const auto size = sizeof(wchar_t) * (value->text.size() + 1);
        return RegValueInfo{REG_SZ, static_cast<uint32_t>(size)};
    });
}

bool RegWriteString(HKEY root, std::wstring_view key, std::wstring_view name,
                    std::wstring_view text) {
    return WriteValue(root, key, name, [&](hive::Value& value) {
        value.type = REG_SZ;
        value.text = text;
    });
}

bool RegWriteDWord(HKEY root, std::wstring_view key, std::wstring_view name, uint32_t number) {
    return WriteValue(root, key, name, [&](hive::Value& value) {
        value.type = REG_DWORD;
        value.text.clear();
        value.number = number;
    });
}

bool RegDeleteValue(HKEY root, std::wstring_view key, std::wstring_view name) {
    return ModifyHive(root, [&](hive::Hive& h) {
        auto it = h.keys.find(hive::KeyId(key));
        if (it == h.keys.end())
            return false;
        auto& values = it->second.values;
        const auto removed = std::erase_if(
            values, [&](const hive::Value& value) { return EqualsIgnoreCase(value.name, name); });
        return removed > 0;
    });
}

bool RegDeleteTree(HKEY root, std::wstring_view key) {
    const std::wstring id = hive::KeyId(key);
    return ModifyHive(root, [&](hive::Hive& h) {
        return std::erase_if(h.keys, [&](const auto& entry) {
                   return hive::IsAtOrBelow(entry.first, id);
               }) > 0;
    });
}

std::vector<std::wstring> RegEnumSubKeys(HKEY root, std::wstring_view key) {
    const std::wstring id = hive::KeyId(key);
    return ReadHive(root, [&](const hive::Hive& h) {
        std::vector<std::wstring> names;
        const size_t skip = id.empty() ? 0 : id.size() + 1;
        for (const auto& [keyId, stored] : h.keys) {
            if (keyId.size() <= id.size() || !hive::IsAtOrBelow(keyId, id))
                continue;
            std::wstring child = stored.path.substr(skip, stored.path.find(L'\\', skip) - skip);
            const bool seen = std::any_of(names.begin(), names.end(), [&](const auto& name) {
                return EqualsIgnoreCase(name, child);
            });
            if (!seen)
                names.push_back(std::move(child));
        }
        std::sort(names.begin(), names.end(),
                  [](const auto& a, const auto& b) { return ToFolded(a) < ToFolded(b); });
        return names;
    });
}

std::vector<std::wstring> RegEnumValues(HKEY root, std::wstring_view key) {
    return ReadHive(root, [&](const hive::Hive& h) {
        std::vector<std::wstring> names;
        auto it = h.keys.find(hive::KeyId(key));
        if (it == h.keys.end())
            return names;
        for (const hive::Value& value : it->second.values)
            names.push_back(value.name);
        return names;
    });
}

}  // namespace platform
