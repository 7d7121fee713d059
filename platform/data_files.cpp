#include "platform/data_files.h"

#include <array>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr char kInstalledDataFolder[] = "share/folioforge";

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

}  // namespace

fs::path FindDataFile(const fs::path& moduleFolder, const fs::path& name) {
    const fs::path beside = moduleFolder / name;
    if (Exists(beside)) {
        return beside;
    }
    const std::array<fs::path, 2> installed = {
        moduleFolder / ".." / kInstalledDataFolder / name,
        moduleFolder / ".." / ".." / kInstalledDataFolder / name,
    };
    for (const fs::path& candidate : installed) {
        if (Exists(candidate)) {
            return candidate;
        }
    }
    return beside;
}

}  // namespace platform
