#include "output_naming.h"

#include <sys/stat.h>

#include "platform/text.h"

namespace engine {
namespace {

bool PathExists(const std::wstring& path) {
    struct stat info {};
    return ::lstat(platform::ToUtf8(path).c_str(), &info) == 0;
}

}  // namespace

std::wstring OutputNameFor(ConversionJob& job, const std::wstring& source, std::wstring name,
                           const std::wstring& folder) {
    const ConversionSettings& settings = job.settingsSnapshot;
    if (settings.SaveToImageDir) {
        if (settings.MakeMultiPDF == 1) return source + L".pdf";
        if (settings.MakeMultiPDF == 0 || settings.MakeMultiPDF == 2) {
            return source + L"/" + name + L".pdf";
        }
        return {};
    }
    std::wstring candidate = folder + L"/" + name + L".pdf";
    for (unsigned n = 1; PathExists(candidate); ++n) {
        candidate = folder + L"/" + name + L"(" + std::to_wstring(n) + L").pdf";
    }
    return candidate;
}

}  // namespace engine
