// The module's entry points, with C linkage. No exception leaves them: a failure inside
// becomes a result code.

#include <new>
#include <string_view>
#include <type_traits>

#include "class_factory.h"
#include "com/server_exports.h"
#include "module.h"
#include "platform/text.h"
#include "pmenu_item.h"
#include "server_registration.h"

namespace {

using shellext::Scope;

constexpr wchar_t kPerUserCommandLine[] = L"user";

// Runs body and turns an escaping exception into a result code.
template <typename Body>
com::HRESULT Trapped(Body&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return com::E_OUTOFMEMORY;
    } catch (...) {
        return com::E_UNEXPECTED;
    }
}

// "user" in any letter case, compared over five characters so that the terminating NUL must
// follow it.
bool AsksForPerUser(const com::WCHAR* commandLine) {
    if (!commandLine) {
        return false;
    }
    return platform::EqualsIgnoreCase(std::wstring_view(commandLine), kPerUserCommandLine);
}

}  // namespace

extern "C" {

[[gnu::visibility("default")]] com::HRESULT DllRegisterServer() {
    return Trapped([] { return shellext::RegisterServer(Scope::kMachine); });
}

[[gnu::visibility("default")]] com::HRESULT DllUnregisterServer() {
    return Trapped([] { return shellext::UnregisterServer(Scope::kMachine); });
}

// Per-user mode applies to this call only.
[[gnu::visibility("default")]] com::HRESULT DllInstall(com::BOOL install,
                                                       const com::WCHAR* commandLine) {
    return Trapped([&] {
        const Scope scope = AsksForPerUser(commandLine) ? Scope::kCurrentUser : Scope::kMachine;
        return install ? shellext::RegisterServer(scope) : shellext::UnregisterServer(scope);
    });
}

[[gnu::visibility("default")]] com::HRESULT DllGetClassObject(const com::CLSID& clsid,
                                                              const com::IID& iid, void** object) {
    return Trapped([&] {
        if (!object) {
            return com::E_POINTER;
        }
        *object = nullptr;
        if (clsid != shellext::CLSID_PMenuItem) {
            return com::CLASS_E_CLASSNOTAVAILABLE;
        }
        return shellext::GetPMenuItemFactory(iid, object);
    });
}

[[gnu::visibility("default")]] com::HRESULT DllCanUnloadNow() {
    return shellext::ModuleInUse() ? com::S_FALSE : com::S_OK;
}

}  // extern "C"

// The entry points keep the signatures hosts look them up with.
static_assert(std::is_same_v<decltype(&DllRegisterServer), com::DllRegisterServerFn>);
static_assert(std::is_same_v<decltype(&DllInstall), com::DllInstallFn>);
static_assert(std::is_same_v<decltype(&DllGetClassObject), com::DllGetClassObjectFn>);
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), com::DllCanUnloadNowFn>);
