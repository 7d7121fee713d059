#include "progress_texts.h"

#include "platform/path_names.h"
#include "texts.h"

namespace app {

std::wstring CountText(int index, int total, const std::wstring& path) {
    return L"(" + std::to_wstring(index) + L"/" + std::to_wstring(total) + L") " + path;
}

std::wstring FinishedText(const std::wstring& finishedWord, const std::wstring& output,
                          bool pdfWritten) {
    if (!pdfWritten) {
        return L"(" + finishedWord + L") " + Text(L"202002");
    }
    return L"(" + finishedWord + L") " + output;
}

std::wstring SkippedSummary(const std::vector<SkippedImage>& skipped, size_t maxLines) {
    std::wstring summary;
    for (size_t i = 0; i < skipped.size() && i < maxLines; ++i) {
        if (!summary.empty()) {
            summary += L"\n";
        }
        summary +=
            std::wstring(platform::FileNamePart(skipped[i].path)) + L": " + skipped[i].reason;
    }
    if (skipped.size() > maxLines) {
        const std::wstring rest = std::to_wstring(skipped.size() - maxLines);
        summary += L"\n" + Text(L"202003", rest.c_str());
    }
    return summary;
}

}  // namespace app
