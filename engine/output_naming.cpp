#include "output_naming.h"

#include "platform/file_io.h"
#include "platform/path_names.h"

namespace engine {

OutputChoice FirstOutputChoice(const ConversionSettings& settings, const std::wstring& source,
                               const std::wstring& name, const std::wstring& folder) {
    if (settings.SaveToImageDir) {
        switch (settings.GetDocumentMode()) {
            case DocumentMode::kPerImage:
                return {source + L".pdf", false};
            case DocumentMode::kSingle:
            case DocumentMode::kPerFolder:
                return {source + L"/" + name + L".pdf", false};
        }
        return {};
    }
    return {folder + L"/" + name + L".pdf", true};
}

std::wstring OutputNameFor(const ConversionSettings& settings, const std::wstring& source,
                           const std::wstring& name, const std::wstring& folder) {
    const OutputChoice choice = FirstOutputChoice(settings, source, name, folder);
    if (!choice.claim) {
        return choice.path;
    }
    std::wstring candidate = choice.path;
    for (unsigned n = 1; platform::KindOf(candidate) != platform::PathKind::kMissing; ++n) {
        candidate = platform::NumberedName(choice.path, n);
    }
    return candidate;
}

}  // namespace engine
