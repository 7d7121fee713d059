#include "registry_script.h"

#include <algorithm>

namespace shellext {
namespace {

bool WriteKey(const ScriptKey& key, const ClassesRoot& classes) {
    const std::wstring path = classes.prefix + key.path;
    if (key.removal == Removal::kWhole && !platform::RegDeleteTree(classes.root, path)) {
        return false;
    }
    if (!CreateKeyWithParents(classes.root, path)) {
        return false;
    }
    return std::all_of(key.values.begin(), key.values.end(), [&](const ScriptValue& value) {
        return platform::RegWriteString(classes.root, path, value.name, value.text);
    });
}

bool RemoveKey(const ScriptKey& key, const ClassesRoot& classes) {
    const std::wstring path = classes.prefix + key.path;
    switch (key.removal) {
        case Removal::kNever:
            return true;
        case Removal::kWhole:
            return platform::RegDeleteTree(classes.root, path);
        case Removal::kWhenEmpty:
            return !platform::RegEnumSubKeys(classes.root, path).empty() ||
                   platform::RegDeleteTree(classes.root, path);
    }
    return true;
}

}  // namespace

ClassesRoot MachineClasses() {
    return {platform::HKEY_CLASSES_ROOT, L""};
}

ClassesRoot UserClasses() {
    return {platform::HKEY_CURRENT_USER, L"Software\\Classes\\"};
}

bool CreateKeyWithParents(platform::HKEY root, std::wstring_view path) {
    for (size_t end = path.find(L'\\'); end != std::wstring_view::npos;
         end = path.find(L'\\', end + 1)) {
        if (end > 0 && !platform::RegCreateKey(root, path.substr(0, end))) {
            return false;
        }
    }
    return platform::RegCreateKey(root, path);
}

bool RegisterScript(const RegistryScript& script, const ClassesRoot& classes) {
    return std::all_of(script.begin(), script.end(),
                       [&](const ScriptKey& key) { return WriteKey(key, classes); });
}

bool UnregisterScript(const RegistryScript& script, const ClassesRoot& classes) {
    bool removed = true;
    for (auto key = script.rbegin(); key != script.rend(); ++key) {
        removed = RemoveKey(*key, classes) && removed;
    }
    return removed;
}

}  // namespace shellext
