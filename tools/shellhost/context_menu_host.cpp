#include "context_menu_host.h"

#include <dlfcn.h>

#include "com/data_object.h"
#include "com/hresult.h"
#include "com/server_exports.h"
#include "com/shell_extension.h"

namespace shellhost {
namespace {

constexpr com::UINT kFirstCommand = 1;
constexpr com::UINT kLastCommand = 0x7FFF;

HostOutcome Failed(ExitStatus status, const std::string& what, com::HRESULT result) {
    return {status, what + " failed with code " + com::DescribeHResult(result)};
}

com::HRESULT CreateHandler(com::DllGetClassObjectFn getClassObject, const com::CLSID& clsid,
                           com::ComPtr<com::IShellExtInit>& handler) {
    com::ComPtr<com::IClassFactory> factory;
    const com::HRESULT result = getClassObject(clsid, com::IID_IClassFactory, factory.putVoid());
    if (com::FAILED(result)) {
        return result;
    }
    return factory->CreateInstance(nullptr, com::IID_IShellExtInit, handler.putVoid());
}

// Fills a menu through the handler and runs the command of its first item, when it added one.
HostOutcome RunMenu(com::IShellExtInit* handler, const std::vector<std::wstring>& paths) {
    com::ComPtr<com::IDataObject> data;
    *data.put() = com::CreateDropDataObject(paths);
    if (!data) {
        return Failed(kHandlerFailed, "creating the selection", com::E_OUTOFMEMORY);
    }
    if (const auto result = handler->Initialize(nullptr, data.get(), nullptr);
        com::FAILED(result)) {
        return Failed(kHandlerFailed, "Initialize", result);
    }
    com::ComPtr<com::IContextMenu> menuHandler;
    if (const auto result = handler->QueryInterface(com::IID_IContextMenu, menuHandler.putVoid());
        com::FAILED(result)) {
        return Failed(kNotAServer, "asking for IContextMenu", result);
    }
    const com::HMENU menu = com::CreatePopupMenu();
    const com::HRESULT added =
        menuHandler->QueryContextMenu(menu, 0, kFirstCommand, kLastCommand, com::CMF_NORMAL);
    com::DestroyMenu(menu);
    if (com::FAILED(added)) {
        return Failed(kHandlerFailed, "QueryContextMenu", added);
    }
    if (com::HResultCode(added) == 0) {
        return {};
    }
    com::CMINVOKECOMMANDINFO invocation{};
    invocation.cbSize = sizeof invocation;
    invocation.lpVerb = com::MakeIntResourceA(0);
    invocation.nShow = com::SW_SHOWNORMAL;
    const com::HRESULT invoked = menuHandler->InvokeCommand(&invocation);
    return com::FAILED(invoked) ? Failed(kHandlerFailed, "InvokeCommand", invoked) : HostOutcome{};
}

HostOutcome RunWithModule(void* library, const com::CLSID& clsid,
                          const std::vector<std::wstring>& paths) {
    auto getClassObject =
        reinterpret_cast<com::DllGetClassObjectFn>(dlsym(library, "DllGetClassObject"));
    if (!getClassObject) {
        return {kNotAServer, "the module has no entry point DllGetClassObject"};
    }
    com::ComPtr<com::IShellExtInit> handler;
    if (const com::HRESULT result = CreateHandler(getClassObject, clsid, handler);
        com::FAILED(result)) {
        return Failed(kNotAServer, "creating the handler", result);
    }
    return RunMenu(handler.get(), paths);
}

}  // namespace

HostOutcome RunContextMenuHandler(const std::string& module, const com::CLSID& clsid,
                                  const std::vector<std::wstring>& paths) {
    void* library = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        return {kModuleNotLoaded, "could not load " + module + ": " + (reason ? reason : "")};
    }
    HostOutcome outcome = RunWithModule(library, clsid, paths);
    auto canUnload = reinterpret_cast<com::DllCanUnloadNowFn>(dlsym(library, "DllCanUnloadNow"));
    if (canUnload && canUnload() == com::S_OK) {
        dlclose(library);
    }
    return outcome;
}

}  // namespace shellhost
