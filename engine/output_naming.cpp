#include "output_naming.h"

#include "platform/file_io.h"

namespace engine {
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
    for (unsigned n = 1; platform::KindOf(candidate) != platform::PathKind::kMissing; ++n) {
        candidate = folder + L"/" + name + L"(" + std::to_wstring(n) + L").pdf";
    }
    return candidate;
}

}  // namespace engine
