#include "output_naming.h"

#include "platform/file_io.h"

namespace engine {

std::wstring OutputNameFor(const ConversionSettings& settings, const std::wstring& source,
                           const std::wstring& name, const std::wstring& folder) {
    if (settings.SaveToImageDir) {
        switch (settings.GetDocumentMode()) {
            case DocumentMode::kPerImage:
                return source + L".pdf";
            case DocumentMode::kSingle:
            case DocumentMode::kPerFolder:
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
