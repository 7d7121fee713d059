#pragma once

#include <cstdint>
#include <string>

#include "registry_script.h"

namespace shellext {

// The type library the module carries: its id, version and name. It declares the class's
// interface and nothing else, so registering it records where it lives.
struct TypeLibraryRecord {
    const wchar_t* id;
    std::uint16_t major;
    std::uint16_t minor;
    const wchar_t* name;
};

inline constexpr TypeLibraryRecord kCommonLib = {L"{DF266926-76E9-45F6-B152-9DD50D84D3BF}", 1, 0,
                                                 L"CommonLib"};

// TypeLib\{id}\MAJOR.MINOR = name, with the module path as its 64-bit code under 0\win64, no
// flags, and the module's folder as its help folder. Unregistration removes the version's key,
// then the id's key when no other version remains.
RegistryScript TypeLibraryScript(const TypeLibraryRecord& library, const std::wstring& modulePath,
                                 const std::wstring& moduleFolder);

}  // namespace shellext
