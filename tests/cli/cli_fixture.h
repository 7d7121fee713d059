#pragma once

// Shared set-up for tests that run folioforge-cli as a user does: a temporary folder, images
// made in it, and a settings store of the test's own. Every PDF a test leaves in the folder
// must pass qpdf --check.

#include <gtest/gtest.h>

#include <string>

#include "pdf_tools.h"
#include "sample_images.h"
#include "temp_dir.h"

class CliFixture : public ::testing::Test {
protected:
    // Runs folioforge-cli with the arguments (shell syntax); standard error is captured.
    testsupport::ToolResult Cli(const std::string& arguments) {
        return testsupport::RunTool(std::string(FOLIOFORGE_CLI) + " " + arguments, true);
    }
    void MakeImage(const std::string& relative, const std::string& args = "-size 30x20 xc:red") {
        std::filesystem::create_directories((dir_ / relative).parent_path());
        ASSERT_TRUE(testsupport::MakeImage(dir_ / relative, args));
    }

    void TearDown() override { testsupport::ExpectEveryPdfPassesQpdf(dir_.path()); }

    testsupport::ScopedSettingsHome home_;
    testsupport::TempDir dir_;
};
