#include "module_calls.h"

#include <dlfcn.h>

#include <filesystem>
#include <optional>

#include "com/hresult.h"
#include "com/server_exports.h"
#include "platform/text.h"

namespace regsvr {
namespace {

struct Call {
    const char* entry;
    std::optional<com::BOOL> installFlag;  // set for DllInstall
};

std::vector<Call> CallsFor(const Options& options) {
    std::vector<Call> calls;
    const char* serverEntry = options.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    if (!options.skipServerCall) {
        calls.push_back({serverEntry, std::nullopt});
    }
    if (options.callInstall) {
        const Call install{"DllInstall", options.unregister ? com::FALSE : com::TRUE};
        calls.insert(options.unregister ? calls.begin() : calls.end(), install);
    }
    return calls;
}

Outcome MakeCall(void* library, const std::string& module, const Call& call,
                 const Options& options) {
    void* entry = dlsym(library, call.entry);
    if (!entry) {
        return {kEntryMissing, module + " was loaded, but the entry point " + call.entry +
                                   " was not found: it is not a server module"};
    }
    com::HRESULT result;
    if (call.installFlag) {
        const auto text = options.installCommandLine
                              ? std::optional(platform::FromUtf8(*options.installCommandLine))
                              : std::nullopt;
        result = reinterpret_cast<com::DllInstallFn>(entry)(*call.installFlag,
                                                            text ? text->c_str() : nullptr);
    } else {
        result = reinterpret_cast<com::DllRegisterServerFn>(entry)();
    }
    if (com::FAILED(result)) {
        return {kCallFailed, std::string("the call to ") + call.entry + " in " + module +
                                 " failed with code " + com::DescribeHResult(result)};
    }
    return {kSucceeded, std::string(call.entry) + " in " + module + " succeeded"};
}

}  // namespace

Outcome RegisterModule(const std::string& module, const Options& options) {
    std::error_code error;
    const std::string path = std::filesystem::absolute(module, error).lexically_normal().string();
    void* library = error ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        return {kNotLoaded, "could not load " + module + ": " + (reason ? reason : "no such file")};
    }
    Outcome outcome;
    for (const Call& call : CallsFor(options)) {
        outcome = MakeCall(library, path, call, options);
        if (outcome.status != kSucceeded) {
            break;
        }
    }
    return outcome;
}

}  // namespace regsvr
