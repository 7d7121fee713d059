#pragma once

// A registry script: the keys and values a module registers below the classes root, each key
// with its rule for unregistration. Scripts are data; RegisterScript and UnregisterScript carry
// them out on the store of platform/registry.

#include <string>
#include <vector>

#include "platform/registry.h"

namespace shellext {

enum class Removal {
    kWhenEmpty,  // removed on unregistration unless other keys remain below it
    kNever,      // shared with other servers: created when missing, never removed
    kWhole,      // replaced whole on registration and removed whole on unregistration
};

struct ScriptValue {
    std::wstring name;  // empty for the key's default value
    std::wstring text;
};

struct ScriptKey {
    std::wstring path;  // below the classes root, backslash-separated
    Removal removal = Removal::kWhenEmpty;
    std::vector<ScriptValue> values;
};

// Keys in order, every key after its parent.
using RegistryScript = std::vector<ScriptKey>;

// Where entries that belong under HKEY_CLASSES_ROOT are written.
struct ClassesRoot {
    platform::HKEY root;
    std::wstring prefix;  // put in front of every key path, ends with a backslash when not empty
};

// HKEY_CLASSES_ROOT itself (machine-wide registration).
ClassesRoot MachineClasses();
// HKEY_CURRENT_USER\Software\Classes (per-user registration).
ClassesRoot UserClasses();

// Creates every key with its parents and writes its values, replacing kWhole keys first. Stops
// at the first write the store refuses and returns false; the caller then unregisters.
bool RegisterScript(const RegistryScript& script, const ClassesRoot& classes);

// Removes the keys, children first, by their rules. Keys that do not exist are no error. False
// when a key could not be removed (the store could not be written); the rest is still tried.
bool UnregisterScript(const RegistryScript& script, const ClassesRoot& classes);

// Creates a key and each of its parents as keys of their own, so that the parents stay when
// the key is removed again. False when the store refuses.
bool CreateKeyWithParents(platform::HKEY root, std::wstring_view path);

}  // namespace shellext
