#include "shellext_testing.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "com/data_object.h"
#include "com/menu.h"
#include "temp_dir.h"

namespace shellext_testing {

namespace fs = std::filesystem;

fs::path BuiltModule() {
    return SHELLEXT_MODULE;
}
fs::path BuiltBinFolder() {
    return BuiltModule().parent_path();
}
fs::path RecordingProgramFile() {
    return RECORDING_PROGRAM;
}
fs::path FakeBasalt(bool withText) {
    return withText ? FAKE_BASALT_TEXT : FAKE_BASALT_BARE;
}

namespace {

const com::CLSID kPMenuItem = {
    0x1C8BA08F, 0xE4D2, 0x4929, {0xB7, 0xE3, 0xDF, 0x4D, 0xAF, 0xF7, 0xA3, 0x33}};

template <typename Function>
Function Entry(void* library, const char* name) {
    return reinterpret_cast<Function>(dlsym(library, name));
}

}  // namespace

ServerModule::ServerModule(const fs::path& file) {
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        ADD_FAILURE() << "cannot load " << file << ": " << dlerror();
        return;
    }
    registerServer = Entry<com::DllRegisterServerFn>(library, "DllRegisterServer");
    unregisterServer = Entry<com::DllUnregisterServerFn>(library, "DllUnregisterServer");
    install = Entry<com::DllInstallFn>(library, "DllInstall");
    getClassObject = Entry<com::DllGetClassObjectFn>(library, "DllGetClassObject");
    canUnloadNow = Entry<com::DllCanUnloadNowFn>(library, "DllCanUnloadNow");
}

com::IContextMenu* ServerModule::CreateMenuHandler() const {
    com::ComPtr<com::IClassFactory> factory;
    void* handler = nullptr;
    if (!getClassObject ||
        getClassObject(kPMenuItem, com::IID_IClassFactory, factory.putVoid()) != com::S_OK ||
        factory->CreateInstance(nullptr, com::IID_IContextMenu, &handler) != com::S_OK) {
        ADD_FAILURE() << "cannot create the handler";
        return nullptr;
    }
    return static_cast<com::IContextMenu*>(handler);
}

com::HRESULT InitializeWith(com::IContextMenu* handler, const std::vector<std::wstring>& paths) {
    com::ComPtr<com::IShellExtInit> init;
    if (handler->QueryInterface(com::IID_IShellExtInit, init.putVoid()) != com::S_OK) {
        return com::E_NOINTERFACE;
    }
    com::ComPtr<com::IDataObject> data;
    *data.put() = com::CreateDropDataObject(paths);
    return init->Initialize(nullptr, data.get(), nullptr);
}

com::HRESULT InvokeFirstCommand(com::IContextMenu* handler) {
    com::CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = com::MakeIntResourceA(0);
    return handler->InvokeCommand(&info);
}

RecordingProgram::RecordingProgram(const fs::path& folder, bool overrideProgram)
    : file_(folder / "recorded-arguments"), overrideProgram_(overrideProgram) {
    setenv("FOLIOFORGE_RECORD_FILE", file_.c_str(), 1);
    if (overrideProgram_) {
        setenv("FOLIOFORGE_SHELL_PROGRAM", RecordingProgramFile().c_str(), 1);
    }
}

RecordingProgram::~RecordingProgram() {
    unsetenv("FOLIOFORGE_RECORD_FILE");
    if (overrideProgram_) {
        unsetenv("FOLIOFORGE_SHELL_PROGRAM");
    }
}

std::optional<std::vector<std::string>> RecordingProgram::Arguments(
    std::chrono::milliseconds patience) const {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!fs::exists(file_)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::string bytes = testsupport::ReadFile(file_);
    std::vector<std::string> arguments;
    for (size_t start = 0; start < bytes.size();) {
        const size_t end = bytes.find('\0', start);
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        old_ = old;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (old_) {
        setenv(name_.c_str(), old_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

std::wstring CaptionOf(com::IContextMenu* handler) {
    const com::HMENU menu = com::CreatePopupMenu();
    handler->QueryContextMenu(menu, 0, 1, 100, com::CMF_NORMAL);
    const com::MenuItem* item = com::GetMenuItem(menu, 0);
    std::wstring caption = item ? item->text : L"(no item)";
    com::DestroyMenu(menu);
    return caption;
}

}  // namespace shellext_testing
