#include "platform/folders.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> KnownHomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::optional<fs::path>(home) : std::nullopt;
}

fs::path ConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return config && *config ? fs::path(config) : KnownHomeFolder().value_or("/") / ".config";
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" from user-dirs.dirs, with $HOME expanded: nullopt when
// there is no such line, or it needs a home folder that is not known.
std::optional<fs::path> FromUserDirs() {
    std::ifstream in(ConfigFolder() / "user-dirs.dirs");
    const std::string prefix = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(prefix) || !line.ends_with('"'))
            continue;
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.starts_with("$HOME")) {
            const auto home = KnownHomeFolder();
            return home ? std::optional(*home / value.substr(value.size() > 5 ? 6 : 5))
                        : std::nullopt;
        }
        if (value.starts_with('/'))
            return fs::path(value);
    }
    return std::nullopt;
}

}  // namespace

std::optional<fs::path> KnownDocumentsFolder() {
    if (const char* documents = std::getenv("XDG_DOCUMENTS_DIR"); documents && *documents) {
        return fs::path(documents);
    }
    if (auto fromUserDirs = FromUserDirs()) {
        return fromUserDirs;
    }
    const auto home = KnownHomeFolder();
    return home ? std::optional(*home / "Documents") : std::nullopt;
}

fs::path DocumentsFolder() {
    fs::path folder = KnownDocumentsFolder().value_or("/Documents");
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

}  // namespace platform
