#include "class_scripts.h"

#include "identifiers.h"
#include "type_library.h"

namespace shellext {

RegistryScript ApplicationScript() {
    const std::wstring dllKey = std::wstring(L"AppID\\") + kProjectName + L".DLL";
    return {
        {L"AppID", Removal::kNever, {}},
        {std::wstring(L"AppID\\") + kAppIdText, Removal::kWhenEmpty, {{L"", kProjectName}}},
        {dllKey, Removal::kWhenEmpty, {{L"AppID", kAppIdText}}},
    };
}

RegistryScript ClassScript(const std::wstring& modulePath) {
    const std::wstring classKey = std::wstring(L"CLSID\\") + kClassIdText;
    const std::wstring versioned = kProgId;
    const std::wstring independent = kVersionIndependentProgId;
    return {
        {versioned, Removal::kWhenEmpty, {{L"", kClassDescription}}},
        {versioned + L"\\CLSID", Removal::kWhenEmpty, {{L"", kClassIdText}}},
        {independent, Removal::kWhenEmpty, {{L"", kClassDescription}}},
        {independent + L"\\CLSID", Removal::kWhenEmpty, {{L"", kClassIdText}}},
        {independent + L"\\CurVer", Removal::kWhenEmpty, {{L"", kProgId}}},
        {L"CLSID", Removal::kNever, {}},
        {classKey, Removal::kWhole, {{L"", kClassDescription}}},
        {classKey + L"\\ProgID", Removal::kWhenEmpty, {{L"", kProgId}}},
        {classKey + L"\\VersionIndependentProgID", Removal::kWhenEmpty, {{L"", independent}}},
        {classKey + L"\\Programmable", Removal::kWhole, {}},
        {classKey + L"\\InprocServer32",
         Removal::kWhenEmpty,
         {{L"", modulePath}, {L"ThreadingModel", L"Apartment"}}},
        {classKey + L"\\TypeLib", Removal::kWhenEmpty, {{L"", kCommonLib.id}}},
        {L"*", Removal::kNever, {}},
        {L"*\\ShellEx", Removal::kNever, {}},
        {L"*\\ShellEx\\ContextMenuHandlers", Removal::kNever, {}},
        {L"*\\ShellEx\\ContextMenuHandlers\\MenuItem", Removal::kWhole, {{L"", kClassIdText}}},
    };
}

}  // namespace shellext
