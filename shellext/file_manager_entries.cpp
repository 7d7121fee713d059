#include "file_manager_entries.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "caption.h"
#include "com/hresult.h"
#include "file_manager_texts.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace shellext {
namespace {

namespace fs = std::filesystem;

constexpr char kServiceMenuFile[] = "kio/servicemenus/folioforge-pdf.desktop";
constexpr char kNemoActionFile[] = "nemo/actions/folioforge-pdf.nemo_action";
constexpr char kNautilusScripts[] = "nautilus/scripts";

fs::path UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
        return data;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home ? home : "/") / ".local/share";
}

fs::path SystemDataFolder() {
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    const std::string first = dirs ? std::string(dirs).substr(0, std::string(dirs).find(':')) : "";
    return first.starts_with('/') ? fs::path(first) : fs::path("/usr/local/share");
}

fs::path DataFolder(Scope scope) {
    return scope == Scope::kCurrentUser ? UserDataFolder() : SystemDataFolder();
}

bool IsOurFile(const fs::path& file) {
    const auto content = platform::ReadFileBytes(file);
    return content && IsOurEntry(*content);
}

// Writes one entry file whole, unless a file there was not written by registration.
com::HRESULT WriteEntry(const fs::path& file, const std::optional<std::string>& content,
                        mode_t mode) {
    if (!content) {
        return com::E_INVALIDARG;
    }
    std::error_code error;
    if (fs::exists(file, error) && !IsOurFile(file)) {
        return com::HResultFromErrno(EEXIST);
    }
    fs::create_directories(file.parent_path(), error);
    errno = 0;
    if (!platform::WriteFileAtomically(file, *content) || ::chmod(file.c_str(), mode) != 0) {
        return com::HResultFromErrno(errno ? errno : EACCES);
    }
    return com::S_OK;
}

com::HRESULT RemoveEntry(const fs::path& file) {
    std::error_code error;
    if (!IsOurFile(file) || fs::remove(file, error) || !error) {
        return com::S_OK;
    }
    return com::HResultFromErrno(error.value());
}

// Removes every script in the Nautilus folder that registration wrote, except keep.
com::HRESULT RemoveNautilusScripts(const fs::path& folder, const fs::path& keep = {}) {
    com::HRESULT result = com::S_OK;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path() != keep && entry.is_regular_file(error)) {
            const com::HRESULT removed = RemoveEntry(entry.path());
            result = com::FAILED(result) ? result : removed;
        }
    }
    return result;
}

com::HRESULT InstallNautilusScript(const fs::path& folder, const std::string& shellhost,
                                   const std::string& caption) {
    const fs::path script = folder / ScriptFileName(caption);
    const com::HRESULT written = WriteEntry(script, NautilusScript(shellhost), 0755);
    return com::FAILED(written) ? written : RemoveNautilusScripts(folder, script);
}

}  // namespace

com::HRESULT InstallFileManagerEntries(Scope scope, const std::string& shellhost,
                                       const std::wstring& caption) {
    const std::string name = platform::ToUtf8(caption.empty() ? kBuiltInCaption : caption);
    const fs::path data = DataFolder(scope);
    com::HRESULT result =
        WriteEntry(data / kServiceMenuFile, DolphinServiceMenu(shellhost, name), 0755);
    if (com::SUCCEEDED(result)) {
        result = WriteEntry(data / kNemoActionFile, NemoAction(shellhost, name), 0644);
    }
    if (com::SUCCEEDED(result) && scope == Scope::kCurrentUser) {
        result = InstallNautilusScript(data / kNautilusScripts, shellhost, name);
    }
    return result;
}

com::HRESULT RemoveFileManagerEntries(Scope scope) {
    const fs::path data = DataFolder(scope);
    const com::HRESULT results[] = {
        RemoveEntry(data / kServiceMenuFile),
        RemoveEntry(data / kNemoActionFile),
        scope == Scope::kCurrentUser ? RemoveNautilusScripts(data / kNautilusScripts) : com::S_OK,
    };
    for (const com::HRESULT result : results) {
        if (com::FAILED(result)) {
            return result;
        }
    }
    return com::S_OK;
}

}  // namespace shellext
