#pragma once

// Shared set-up for tests that run conversions: a temporary folder, image files made in it, and
// a job whose progress reports and skipped images are recorded. Every PDF a test leaves in the
// folder must pass qpdf --check.

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
        job_.SetProgressCallback(&RunFixture::OnProgress, this);
        job_.SetDiagnosticSink([this](const std::wstring& path, const std::wstring& reason) {
            skipped_.emplace_back(path, reason);
        });
    }

    void TearDown() override { testsupport::ExpectEveryPdfPassesQpdf(dir_.path()); }

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

    // Runs the job with settings_.
    engine::RunResult Run() {
        job_.SetSettings(settings_);
        return job_.Run();
    }

    // Runs single-document mode into output.
    engine::RunResult RunSingle(const std::string& output = "out.pdf") {
        job_.SetOutputFile(Path(output));
        job_.SetOutputLocation(Path(output));
        return Run();
    }

    static int32_t OnProgress(int32_t total, int32_t index, const wchar_t* text, void* context) {
        auto* self = static_cast<RunFixture*>(context);
        self->reports_.push_back({total, index, text});
        return self->cancelAtIndex_ >= 0 && index == self->cancelAtIndex_ ? -1 : 0;
    }

    testsupport::TempDir dir_;
    engine::ConversionSettings settings_;
    engine::ConversionJob job_;
    std::vector<ProgressReport> reports_;
    std::vector<std::pair<std::wstring, std::wstring>> skipped_;
    int cancelAtIndex_ = -1;
};
