#pragma once

// Shared set-up for tests that run conversions: a temporary folder, image files made in it, and
// a job whose progress reports and skipped images are recorded.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/conversion_job.h"
#include "pdf_tools.h"
#include "platform/text.h"
#include "sample_images.h"
#include "temp_dir.h"

struct ProgressReport {
    int total;
    int index;
    std::wstring text;
    bool operator==(const ProgressReport&) const = default;
};

class RunFixture : public ::testing::Test {
protected:
    RunFixture() {
        job_.progressCallback = &RunFixture::OnProgress;
        job_.progressContext = this;
        job_.diagnosticSink = [this](const std::wstring& path, const std::wstring& reason) {
            skipped_.emplace_back(path, reason);
        };
    }

    // Makes an image with ImageMagick and returns its path as the engine sees it.
    std::wstring Image(const std::string& relative, const std::string& arguments) {
        const auto file = dir_ / relative;
        std::filesystem::create_directories(file.parent_path());
        EXPECT_TRUE(testsupport::MakeImage(file, arguments)) << relative;
        return platform::FromUtf8(file.string());
    }

    std::wstring Path(const std::string& relative) const {
        return platform::FromUtf8((dir_ / relative).string());
    }

    void Add(const std::wstring& path) { ASSERT_GT(job_.AddImagePath(path), 0); }

    // Runs single-document mode into out.pdf.
    int RunSingle(const std::string& output = "out.pdf") {
        job_.outputFile = job_.outputLocation = Path(output);
        return job_.Run();
    }

    static int32_t OnProgress(int32_t total, int32_t index, const wchar_t* text, void* context) {
        auto* self = static_cast<RunFixture*>(context);
        self->reports_.push_back({total, index, text});
        return self->cancelAtIndex_ >= 0 && index == self->cancelAtIndex_ ? -1 : 0;
    }

    testsupport::TempDir dir_;
    engine::ConversionJob job_;
    std::vector<ProgressReport> reports_;
    std::vector<std::pair<std::wstring, std::wstring>> skipped_;
    int cancelAtIndex_ = -1;
};
