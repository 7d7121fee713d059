#include "server_registration.h"

#include "class_scripts.h"
#include "file_manager_entries.h"
#include "identifiers.h"
#include "module.h"
#include "platform/text.h"
#include "type_library.h"

namespace shellext {
namespace {

// True when bytes are valid UTF-8, which the text-only store keeps unchanged.
bool IsUtf8(const std::string& bytes) {
    return platform::ToUtf8(platform::FromUtf8(bytes)) == bytes;
}

constexpr char kShellHostName[] = "folioforge-shellhost";
constexpr const wchar_t* kHandlerKeys[] = {kFileHandlerKey, kFolderHandlerKey};

ClassesRoot ClassesFor(Scope scope) {
    return scope == Scope::kMachine ? MachineClasses() : UserClasses();
}

// The handler keys always go to HKEY_CLASSES_ROOT itself, also for per-user registration.
// Without them no file manager finds the handler, so a refused write fails the registration.
bool WriteHandlerKeys() {
    for (const wchar_t* key : kHandlerKeys) {
        if (!CreateKeyWithParents(platform::HKEY_CLASSES_ROOT, key) ||
            !platform::RegWriteString(platform::HKEY_CLASSES_ROOT, key, L"", kClassIdText)) {
            return false;
        }
    }
    return true;
}

bool DeleteHandlerKeys() {
    bool deleted = true;
    for (const wchar_t* key : kHandlerKeys) {
        deleted = platform::RegDeleteTree(platform::HKEY_CLASSES_ROOT, key) && deleted;
    }
    return deleted;
}

com::HRESULT RegisterEntries(Scope scope) {
    const ModuleState& module = Module();
    if (module.path.empty() || !IsUtf8(module.path)) {
        return com::SELFREG_E_CLASS;  // the store keeps text, so the path would not load again
    }
    const ClassesRoot classes = ClassesFor(scope);
    const std::wstring path = platform::PathFromNative(module.path);
    const std::wstring folder = platform::PathFromNative(module.folder);
    if (!RegisterScript(ApplicationScript(), classes) ||
        !RegisterScript(ClassScript(path), classes)) {
        return com::SELFREG_E_CLASS;
    }
    if (!RegisterScript(TypeLibraryScript(kCommonLib, path, folder), classes)) {
        return com::SELFREG_E_TYPELIB;
    }
    return InstallFileManagerEntries(scope, module.folder + kShellHostName, module.caption);
}

}  // namespace

com::HRESULT RegisterServer(Scope scope) {
    const com::HRESULT result = WriteHandlerKeys() ? RegisterEntries(scope) : com::SELFREG_E_CLASS;
    if (com::FAILED(result)) {
        UnregisterServer(scope);
    }
    return result;
}

com::HRESULT UnregisterServer(Scope scope) {
    const ClassesRoot classes = ClassesFor(scope);
    com::HRESULT first = com::S_OK;
    const auto note = [&first](bool done, com::HRESULT failure) {
        if (!done && com::SUCCEEDED(first)) {
            first = failure;
        }
    };
    note(DeleteHandlerKeys(), com::SELFREG_E_CLASS);
    note(UnregisterScript(ClassScript(L""), classes), com::SELFREG_E_CLASS);
    note(UnregisterScript(TypeLibraryScript(kCommonLib, L"", L""), classes),
         com::SELFREG_E_TYPELIB);
    note(UnregisterScript(ApplicationScript(), classes), com::SELFREG_E_CLASS);
    const com::HRESULT removed = RemoveFileManagerEntries(scope);
    note(com::SUCCEEDED(removed), removed);
    return first;
}

}  // namespace shellext
