#include "installed_tree.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>

namespace installtest {

namespace fs = std::filesystem;

fs::path Root() {
    return INSTALL_ROOT;
}

fs::path Prefix() {
    return Root() / "usr";
}

OutsideFolder::OutsideFolder() {
    std::string pattern = std::string(TEMPORARY_DIR) + "/folioforge-work-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a folder like " << pattern;
    }
    path_ = pattern;
}

OutsideFolder::~OutsideFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

testsupport::ToolResult RunIn(const fs::path& folder, const std::string& command) {
    // Separate commands, so that a command ending in '&' takes only itself to the background.
    return testsupport::RunTool("cd " + testsupport::Quoted(folder) +
                                    " || exit 1; unset LD_LIBRARY_PATH; export FOLIOFORGE_HOME=" +
                                    testsupport::Quoted(folder / "home") + "; " + command,
                                true);
}

std::vector<fs::path> FilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && !entry.is_symlink()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace installtest
