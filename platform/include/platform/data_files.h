#pragma once

// Where the program's read-only data (the folders res/ and languages/) is found. In a build
// tree it lies beside the executables and libraries. Installed, the executables sit in
// PREFIX/bin, the libraries in PREFIX/lib/folioforge and the data in PREFIX/share/folioforge.

#include <filesystem>

namespace platform {

// The data file or folder name (relative, such as "res/7.png" or "languages") of the module
// whose file lies in moduleFolder: moduleFolder/name when it exists; else the first of
// moduleFolder/../share/folioforge/name (a program in bin/) and
// moduleFolder/../../share/folioforge/name (a library in lib/folioforge/) that exists; else
// moduleFolder/name. The ".." steps are left for the file system to resolve, so they hold
// when a folder on the way is a symbolic link. Only asks the file system; thread-safe.
std::filesystem::path FindDataFile(const std::filesystem::path& moduleFolder,
                                   const std::filesystem::path& name);

}  // namespace platform
