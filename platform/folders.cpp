#include "platform/folders.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) : fs::path("/");
}

fs::path ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && *config ? fs::path(config) : HomeFolder() / ".config";
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" from user-dirs.dirs, with $HOME expanded.
std::optional<fs::path> FromUserDirs() {
    std::ifstream in(ConfigFolder() / "user-dirs.dirs");
    const std::string prefix = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(prefix) || !line.ends_with('"'))
            continue;
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.starts_with("$HOME"))
            return HomeFolder() / value.substr(value.size() > 5 ? 6 : 5);
        if (value.starts_with('/'))
            return fs::path(value);
    }
    return std::nullopt;
}

fs::path LocateDocuments() {
    if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR"); documents && *documents) {
        return documents;
    }
    return FromUserDirs().value_or(HomeFolder() / "Documents");
}

}  // namespace

fs::path DocumentsFolder() {
    fs::path folder = LocateDocuments();
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

}  // namespace platform
