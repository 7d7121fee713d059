#pragma once

// What folioforge-cli tells the person at the terminal while it converts: a progress bar on a
// terminal, a line per skipped image, and a closing summary.

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace cli {

class ProgressReporter {
public:
    // out is where everything goes (stderr); showBar draws the bar (out is a terminal);
    // quiet says nothing but errors.
    ProgressReporter(std::FILE* out, bool showBar, bool quiet);

    // An image is about to be handled: index of total so far.
    void Progress(int total, int index, const std::wstring& text);

    // An image, or a command-line path, that produced no page: one line, counted among the
    // skipped. Paths are shown with platform::DisplayPath, here and below.
    void Skipped(const std::wstring& path, const std::wstring& reason);

    // Clears the bar and prints the closing summary: the result, the pages written, every
    // document written (none named when nothing was written) and why each document in
    // notWritten could not be created or written. Quiet runs print it only for a failure.
    void Finish(int result, int pages, const std::vector<std::wstring>& written,
                const std::vector<std::wstring>& notWritten = {});

private:
    void ClearBar();
    void DrawBar(int total, int index, const std::wstring& name);

    std::FILE* out_;
    bool showBar_;
    bool quiet_;
    bool barShown_ = false;
    int skipped_ = 0;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace cli
