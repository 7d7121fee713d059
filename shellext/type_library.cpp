#include "type_library.h"

namespace shellext {

RegistryScript TypeLibraryScript(const TypeLibraryRecord& library, const std::wstring& modulePath,
                                 const std::wstring& moduleFolder) {
    const std::wstring id = std::wstring(L"TypeLib\\") + library.id;
    const std::wstring version =
        id + L"\\" + std::to_wstring(library.major) + L"." + std::to_wstring(library.minor);
    return {
        {L"TypeLib", Removal::kNever, {}},
        {id, Removal::kWhenEmpty, {}},
        {version, Removal::kWhole, {{L"", library.name}}},
        {version + L"\\0", Removal::kWhenEmpty, {}},
        {version + L"\\0\\win64", Removal::kWhenEmpty, {{L"", modulePath}}},
        {version + L"\\FLAGS", Removal::kWhenEmpty, {{L"", L"0"}}},
        {version + L"\\HELPDIR", Removal::kWhenEmpty, {{L"", moduleFolder}}},
    };
}

}  // namespace shellext
