#include "progress_texts.h"

namespace app {

namespace {

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::wstring CountText(int index, int total, const std::wstring& path) {
    return L"(" + std::to_wstring(index) + L"/" + std::to_wstring(total) + L") " + path;
}

std::wstring FinishedText(const std::wstring& finishedWord, const std::wstring& output,
                          bool pdfWritten) {
    if (!pdfWritten) {
        return L"(" + finishedWord + L") No PDF was written.";
    }
    return L"(" + finishedWord + L") " + output;
}

std::wstring SkippedSummary(const std::vector<SkippedImage>& skipped, size_t maxLines) {
    std::wstring summary;
    for (size_t i = 0; i < skipped.size() && i < maxLines; ++i) {
        if (!summary.empty()) {
            summary += L"\n";
        }
        summary += FileNameOf(skipped[i].path) + L": " + skipped[i].reason;
    }
    if (skipped.size() > maxLines) {
        summary += L"\n... and " + std::to_wstring(skipped.size() - maxLines) + L" more";
    }
    return summary;
}

}  // namespace app
