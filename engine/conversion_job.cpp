#include "engine/conversion_job.h"

#include <algorithm>
#include <array>

#include "path_names.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace engine {
namespace {

constexpr std::array<std::wstring_view, 12> kAcceptedExtensions = {
    L".tif", L".tiff", L".gif",  L".bmp", L".dib",  L".png",
    L".mng", L".raw",  L".jbig", L".jpg", L".jpeg", L".jpe",
};

}  // namespace

bool ConversionJob::IsAcceptedImage(std::wstring_view path) {
    const std::wstring_view fileName = FileNamePart(path);
    const size_t dot = fileName.find_last_of(L'.');
    if (dot == std::wstring_view::npos) {
        return false;
    }
    const std::wstring extension = platform::ToFolded(fileName.substr(dot));
    return std::find(kAcceptedExtensions.begin(), kAcceptedExtensions.end(), extension) !=
           kAcceptedExtensions.end();
}

int32_t ConversionJob::AddImagePath(const std::wstring& path) {
    if (!IsAcceptedImage(path) || platform::KindOf(path) != platform::PathKind::kOther) {
        return -1;
    }
    std::lock_guard guard(lock_);
    imagePaths_.push_back(path);
    return static_cast<int32_t>(imagePaths_.size());
}

int32_t ConversionJob::GetImagePath(size_t index, std::wstring& path) {
    std::lock_guard guard(lock_);
    if (index >= imagePaths_.size()) {
        path.clear();
        return -1;
    }
    path = imagePaths_[index];
    return 0;
}

size_t ConversionJob::ImageCount() {
    std::lock_guard guard(lock_);
    return imagePaths_.size();
}

void ConversionJob::SetOutputFile(const std::wstring& path) {
    std::lock_guard guard(lock_);
    outputFile_ = path;
}

std::wstring ConversionJob::GetOutputFile() {
    std::lock_guard guard(lock_);
    return outputFile_;
}

void ConversionJob::SetSettings(const ConversionSettings& settings) {
    std::lock_guard guard(lock_);
    settings_ = settings;
}

void ConversionJob::SetProgressCallback(ProgressCallback callback, void* context) {
    std::lock_guard guard(lock_);
    progressCallback_ = callback;
    progressContext_ = context;
}

}  // namespace engine
