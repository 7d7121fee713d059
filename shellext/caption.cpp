#include "caption.h"

#include <dlfcn.h>

namespace shellext {
namespace {

using GetTextByIDFn = const wchar_t* (*)(const wchar_t* id, const wchar_t* s1, const wchar_t* s2,
                                         const wchar_t* s3);

constexpr wchar_t kCaptionTextId[] = L"200016";

}  // namespace

std::wstring LoadCaption(const std::string& libraryPath) {
    void* library = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return {};
    }
    std::wstring caption;
    if (auto getText = reinterpret_cast<GetTextByIDFn>(dlsym(library, "GetTextByID"))) {
        const wchar_t* text = getText(kCaptionTextId, nullptr, nullptr, nullptr);
        caption = text ? text : kBuiltInCaption;
    }
    dlclose(library);
    return caption;
}

}  // namespace shellext
