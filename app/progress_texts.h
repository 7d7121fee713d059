#pragma once

// The progress dialog's status texts.

#include <string>
#include <vector>

#include "job_builder.h"

namespace app {

// "(index/total) path" while a conversion runs.
std::wstring CountText(int index, int total, const std::wstring& path);

// What the finished dialog says: "(Finished) output" when a PDF was written, otherwise that
// none was.
std::wstring FinishedText(const std::wstring& finishedWord, const std::wstring& output,
                          bool pdfWritten);

// One line per image that gave no page: "name: reason", at most maxLines lines and then
// "... and N more". Empty when every image gave a page.
std::wstring SkippedSummary(const std::vector<SkippedImage>& skipped, size_t maxLines);

}  // namespace app
