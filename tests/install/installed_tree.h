#pragma once

// The install tree that the fixture test install.tree made under a DESTDIR outside the source
// and build folders, working folders outside them too, and running installed programs there.

#include <filesystem>
#include <string>
#include <vector>

#include "pdf_tools.h"

namespace installtest {

// The DESTDIR root and the prefix inside it.
std::filesystem::path Root();
std::filesystem::path Prefix();  // Root() / "usr"

// A fresh folder under the system's temporary folder (never inside the source or build
// folders), removed with everything in it when the object goes away.
class OutsideFolder {
public:
    OutsideFolder();
    ~OutsideFolder();
    OutsideFolder(const OutsideFolder&) = delete;
    OutsideFolder& operator=(const OutsideFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Runs a shell command in folder with a clean library path and the settings store in
// folder/home; standard error is captured with standard output.
testsupport::ToolResult RunIn(const std::filesystem::path& folder, const std::string& command);

// Every regular file under folder, symbolic links not followed.
std::vector<std::filesystem::path> FilesUnder(const std::filesystem::path& folder);

// The lines of text.
std::vector<std::string> Lines(const std::string& text);

}  // namespace installtest
