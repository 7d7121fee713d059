#include "basalt_library.h"

#include <dlfcn.h>

#include <stdexcept>

#include "temp_dir.h"

namespace testsupport {
namespace {

template <typename Function>
void Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (!function)
        throw std::runtime_error(std::string("libbasalt lacks ") + name);
}

}  // namespace

BasaltLibrary::BasaltLibrary(const std::filesystem::path& folder)
    : languages_(folder / "lib" / "languages") {
    std::filesystem::create_directories(languages_);
    const auto copy = folder / "lib" / "libbasalt.so";
    std::filesystem::copy_file(BASALT_LIBRARY, copy);
    handle_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw std::runtime_error(dlerror());
#define BASALT_RESOLVE(name) Resolve(handle_, #name, api_.name)
    BASALT_RESOLVE(InitBasalt);
    BASALT_RESOLVE(GetTextByID);
    BASALT_RESOLVE(GetLanguageList);
    BASALT_RESOLVE(ReleaseLanguageList);
    BASALT_RESOLVE(GetCurrentLanguage);
    BASALT_RESOLVE(ChangeCurrentLanguage);
    BASALT_RESOLVE(ReloadLanguage);
    BASALT_RESOLVE(GetIniString);
    BASALT_RESOLVE(DownloadIni);
    BASALT_RESOLVE(DownloadIniEx);
    BASALT_RESOLVE(IsSkipURL);
    BASALT_RESOLVE(CheckForUpdate);
    BASALT_RESOLVE(IsCheckForUpdateIntoday);
    BASALT_RESOLVE(SetCheckForUpdateIntoday);
    BASALT_RESOLVE(Record);
    BASALT_RESOLVE(RecordF);
    BASALT_RESOLVE(SubmitRecord);
    BASALT_RESOLVE(OpenWebWnd);
    BASALT_RESOLVE(Base64Encode);
    BASALT_RESOLVE(Base64Decode);
    BASALT_RESOLVE(Base64ReleaseBuffer);
#undef BASALT_RESOLVE
}

BasaltLibrary::~BasaltLibrary() {
    if (handle_)
        dlclose(handle_);
}

void BasaltLibrary::WriteLanguage(const std::string& name, const std::string& bytes) const {
    WriteFile(languages_ / name, bytes);
}

std::string LanguageFileText(const std::string& description, const std::string& lines) {
    std::string text = "[Language]\n";
    if (!description.empty())
        text += "Description=" + description + "\n";
    return text + "[Texts]\n" + lines;
}

}  // namespace testsupport
