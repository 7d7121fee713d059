#pragma once

// Shared set-up for the writer's tests: a temporary folder and small helpers around PdfWriter.
// Every PDF a test leaves in the folder must pass qpdf --check.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pdf_tools.h"
#include "pdfwriter/pdf_writer.h"
#include "temp_dir.h"

namespace pdftest {

// A path as the writer takes it.
std::wstring Wide(const std::filesystem::path& path);

class WriterTest : public ::testing::Test {
protected:
    WriterTest() { writer_.set_parameter(L"deterministic", L"true"); }
    void TearDown() override { testsupport::ExpectEveryPdfPassesQpdf(folder_.path()); }

    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }
    // Begins a document written to Path(name).
    void Begin(const std::string& name);
    // The names of the files in the folder, sorted.
    std::vector<std::string> FolderEntries() const;
    // Writes bytes to Path(name) and returns that path.
    std::filesystem::path Save(const std::string& name, const std::string& bytes) const;

    testsupport::TempDir folder_;
    pdf::PdfWriter writer_;
};

// Calls operation and returns the PdfError it throws; fails the test when it throws nothing.
template <typename Operation>
pdf::PdfError ErrorOf(Operation&& operation) {
    try {
        operation();
    } catch (const pdf::PdfError& error) {
        return error;
    }
    ADD_FAILURE() << "no PdfError was thrown";
    return pdf::PdfError("", 0, "");
}

}  // namespace pdftest
