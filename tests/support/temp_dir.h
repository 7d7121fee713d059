#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh, empty folder that is removed with everything in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Points FOLIOFORGE_HOME at a temporary folder for the lifetime of the object, so settings
// written by a test never touch the user's own store.
class ScopedSettingsHome {
public:
    ScopedSettingsHome();
    ~ScopedSettingsHome();

    const std::filesystem::path& path() const { return dir_.path(); }

private:
    TempDir dir_;
};

// Writes bytes to a file, replacing it.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testsupport
