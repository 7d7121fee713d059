#include "selection.h"

#include <sys/stat.h>

#include <filesystem>

#include "platform/text.h"

namespace shellhost {
namespace {

std::string AbsolutePath(const std::string& argument) {
    std::error_code error;
    std::string path = std::filesystem::absolute(argument, error).lexically_normal().string();
    if (error) {
        path = argument;
    }
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

Selection MakeSelection(const std::vector<std::string>& arguments) {
    Selection selection;
    for (const std::string& argument : arguments) {
        const std::string path = AbsolutePath(argument);
        (IsFolder(path) ? selection.hasFolders : selection.hasFiles) = true;
        selection.paths.push_back(platform::PathFromNative(path));
    }
    return selection;
}

}  // namespace shellhost
