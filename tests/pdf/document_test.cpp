#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "document_info.h"
#include "file_size_limit.h"
#include "platform/text.h"
#include "sample_images.h"
#include "writer_test_support.h"

using namespace pdftest;
using namespace testsupport;

namespace {

class DocumentTest : public WriterTest {
protected:
    void AddBlankPage(double width = 200, double height = 100) {
        writer_.begin_page_ext(width, height, L"");
        writer_.end_page_ext(L"");
    }
};

}  // namespace

TEST_F(DocumentTest, TargetAppearsOnlyWhenTheDocumentEnds) {
    Begin("out.pdf");
    AddBlankPage();
    const std::vector<std::string> during = FolderEntries();
    EXPECT_EQ(std::count(during.begin(), during.end(), "out.pdf"), 0);
    EXPECT_LE(during.size(), 1u);  // an unnamed file, or a hidden one where there are none

    writer_.end_document(L"");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.pdf"});
    EXPECT_EQ(QpdfCheck(Path("out.pdf")), 0);
}

TEST_F(DocumentTest, UnfinishedDocumentLeavesTheOldTargetAlone) {
    Save("out.pdf", "old contents");
    {
        pdf::PdfWriter writer;
        ASSERT_EQ(writer.begin_document(Wide(Path("out.pdf")), L""), 1);
        writer.begin_page_ext(100, 100, L"");
        writer.end_page_ext(L"");
    }
    EXPECT_EQ(testsupport::ReadFile(Path("out.pdf")), "old contents");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.pdf"});
}

TEST_F(DocumentTest, DocumentWithoutPagesIsAnErrorAndLeavesNothing) {
    Begin("empty.pdf");
    writer_.begin_page_ext(0, 0, L"");  // never sized: abandoned by end_document
    const pdf::PdfError error = ErrorOf([&] { writer_.end_document(L""); });
    EXPECT_EQ(error.operation(), "end_document");
    EXPECT_EQ(error.number(), pdf::kErrorNoPages);
    EXPECT_TRUE(FolderEntries().empty());
    // The writer takes a new document afterwards.
    Begin("next.pdf");
    AddBlankPage();
    writer_.end_document(L"");
    EXPECT_EQ(QpdfCheck(Path("next.pdf")), 0);
}

TEST_F(DocumentTest, FailingWriteLeavesTheOldTargetAndNoTemporaryFile) {
    Save("out.pdf", "old contents");
    EXPECT_TRUE(testsupport::HoldsUnderFileSizeLimit(64 * 1024, [this] {
        pdf::PdfWriter writer;
        try {
            writer.begin_document(Wide(Path("out.pdf")), L"");
            for (int page = 0; page < 4000; ++page) {
                writer.begin_page_ext(100, 100, L"");
                writer.create_bookmark(L"page " + std::to_wstring(page), L"");
                writer.end_page_ext(L"");
            }
            writer.end_document(L"");
        } catch (const pdf::PdfError& error) {
            return error.number() == pdf::kErrorFile;
        }
        return false;
    }));
    EXPECT_EQ(testsupport::ReadFile(Path("out.pdf")), "old contents");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.pdf"});
}

TEST_F(DocumentTest, MissingFolderFailsByPolicy) {
    const std::wstring path = Wide(Path("missing/out.pdf"));
    EXPECT_EQ(ErrorOf([&] { writer_.begin_document(path, L""); }).number(), pdf::kErrorFile);

    writer_.set_parameter(L"errorpolicy", L"return");
    EXPECT_EQ(writer_.begin_document(path, L""), -1);
    EXPECT_FALSE(writer_.get_errmsg().empty());
}

TEST_F(DocumentTest, InformationHoldsAnyUnicodeText) {
    pdf::PdfWriter writer;
    ASSERT_EQ(writer.begin_document(Wide(Path("info.pdf")), L""), 1);
    writer.set_info(L"Title", L"Über Привет 日本語 (1)");
    writer.set_info(L"Author", L"Ann O'Nym");
    writer.set_info(L"Keywords", L"a, b");
    writer.begin_page_ext(50, 50, L"");
    writer.end_page_ext(L"");
    writer.end_document(L"");

    EXPECT_EQ(QpdfCheck(Path("info.pdf")), 0);
    EXPECT_EQ(InfoField(Path("info.pdf"), "Title"), "Über Привет 日本語 (1)");
    EXPECT_EQ(InfoField(Path("info.pdf"), "Author"), "Ann O'Nym");
    EXPECT_EQ(InfoField(Path("info.pdf"), "Keywords"), "a, b");
    EXPECT_EQ(InfoField(Path("info.pdf"), "Producer"), "Folioforge");
    EXPECT_FALSE(InfoField(Path("info.pdf"), "CreationDate").empty());
    EXPECT_EQ(ErrorOf([&] { writer.set_info(L"Title", L"x"); }).number(), pdf::kErrorScope);
}

// Dates (7.9.4) are local time with the zone's offset from UTC.
TEST(DocumentDateTest, LocalTimeWithItsOffset) {
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    ::setenv("TZ", "XYZ+3:30", 1);  // POSIX sign: three and a half hours west of UTC
    ::tzset();
    const std::string date = pdf::PdfDate(1234567890);  // 2009-02-13 23:31:30 UTC
    previous ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    EXPECT_EQ(date, "D:20090213200130-03'30'");
}

TEST_F(DocumentTest, DeterministicModeRepeatsTheSameBytesWithoutDates) {
    for (const char* name : {"a.pdf", "b.pdf"}) {
        Begin(name);
        writer_.set_info(L"Subject", L"same");
        AddBlankPage();
        writer_.end_document(L"");
    }
    EXPECT_EQ(testsupport::ReadFile(Path("a.pdf")), testsupport::ReadFile(Path("b.pdf")));
    EXPECT_EQ(InfoField(Path("a.pdf"), "CreationDate"), "");
}

TEST_F(DocumentTest, BookmarksPointToTheirPagesAndSkipAbandonedOnes) {
    Begin("marks.pdf");
    AddBlankPage();
    writer_.begin_page_ext(100, 100, L"");
    EXPECT_EQ(writer_.create_bookmark(L"Erste Seite", L""), 1);
    writer_.end_page_ext(L"");
    writer_.begin_page_ext(100, 100, L"");
    writer_.create_bookmark(L"abandoned", L"");
    writer_.begin_page_ext(100, 100, L"");  // the page above is abandoned
    writer_.create_bookmark(L"Страница 日本", L"");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");

    ASSERT_EQ(QpdfCheck(Path("marks.pdf")), 0);
    const std::string outlines =
        RunTool("qpdf --json --json-key=outlines " + Quoted(Path("marks.pdf"))).output;
    EXPECT_NE(outlines.find("\"title\": \"Erste Seite\""), std::string::npos) << outlines;
    EXPECT_NE(outlines.find("\"title\": \"Страница 日本\""), std::string::npos) << outlines;
    EXPECT_EQ(outlines.find("abandoned"), std::string::npos);
    EXPECT_NE(outlines.find("\"destpageposfrom1\": 2"), std::string::npos) << outlines;
    EXPECT_NE(outlines.find("\"destpageposfrom1\": 3"), std::string::npos) << outlines;
    EXPECT_EQ(PageSizes(Path("marks.pdf")).size(), 3u);
}

TEST_F(DocumentTest, MistakesNameTheOperationAndKind) {
    EXPECT_EQ(ErrorOf([&] { writer_.begin_page_ext(10, 10, L""); }).number(), pdf::kErrorScope);
    EXPECT_EQ(ErrorOf([&] { writer_.set_parameter(L"colour", L"red"); }).number(),
              pdf::kErrorParameter);
    Begin("x.pdf");
    const pdf::PdfError option = ErrorOf([&] { writer_.begin_page_ext(1, 1, L"widht=3"); });
    EXPECT_EQ(option.operation(), "begin_page_ext");
    EXPECT_EQ(option.number(), pdf::kErrorOption);
    EXPECT_EQ(ErrorOf([&] { writer_.begin_page_ext(1, 1, L"width=a7.width"); }).number(),
              pdf::kErrorOption);
    EXPECT_EQ(ErrorOf([&] { writer_.begin_page_ext(-5, 1, L""); }).number(), pdf::kErrorParameter);
    EXPECT_EQ(ErrorOf([&] { writer_.fit_image(0, 0, 0, L""); }).number(), pdf::kErrorHandle);
    EXPECT_EQ(ErrorOf([&] { writer_.set_text_pos(1, 1); }).number(), pdf::kErrorScope);
    EXPECT_EQ(ErrorOf([&] { writer_.create_gstate(L"opacityfill=1.5"); }).number(),
              pdf::kErrorOption);
    EXPECT_EQ(ErrorOf([&] { writer_.set_info(L"Producer", L"x"); }).number(), pdf::kErrorParameter);
    EXPECT_EQ(ErrorOf([&] { writer_.begin_document(Wide(Path("y.pdf")), L""); }).number(),
              pdf::kErrorScope);
}

TEST_F(DocumentTest, VirtualFileNamesAreUniqueUntilDeleted) {
    const char bytes[] = "data";
    writer_.create_pvf(L"/pvf/image", bytes, sizeof bytes, L"");
    EXPECT_EQ(ErrorOf([&] { writer_.create_pvf(L"/pvf/image", bytes, 4, L""); }).number(),
              pdf::kErrorVirtualFile);
    EXPECT_EQ(writer_.delete_pvf(L"/pvf/image"), 1);
    EXPECT_EQ(writer_.delete_pvf(L"/pvf/image"), 0);
    writer_.create_pvf(L"/pvf/image", bytes, sizeof bytes, L"");
}

// A name chosen automatically is claimed when the document is written: never over a file that
// appeared meanwhile, but under the next free variant.
TEST_F(DocumentTest, AUniqueNameIsClaimedPastTheTakenOnes) {
    pdf::PdfWriter first, second;
    ASSERT_EQ(first.begin_document(Wide(Path("scan.pdf")), L"uniquename"), 1);
    ASSERT_EQ(second.begin_document(Wide(Path("scan.pdf")), L"uniquename"), 1);
    Save("scan.pdf", "appeared meanwhile");
    for (pdf::PdfWriter* writer : {&first, &second}) {
        writer->begin_page_ext(100, 100, L"");
        writer->end_page_ext(L"");
        writer->end_document(L"");
    }
    EXPECT_EQ(first.written_path(), Wide(Path("scan(1).pdf")));
    EXPECT_EQ(second.written_path(), Wide(Path("scan(2).pdf")));
    EXPECT_EQ(testsupport::ReadFile(Path("scan.pdf")), "appeared meanwhile");
    EXPECT_EQ(FolderEntries(),
              (std::vector<std::string>{"scan(1).pdf", "scan(2).pdf", "scan.pdf"}));
}

TEST_F(DocumentTest, OpenFailuresCarryTheSystemReason) {
    writer_.set_parameter(L"errorpolicy", L"return");
    EXPECT_EQ(writer_.begin_document(Wide(Path("missing/out.pdf")), L""), -1);
    EXPECT_NE(writer_.get_errmsg().find(L"No such file or directory"), std::wstring::npos)
        << writer_.get_errmsg();
    EXPECT_EQ(writer_.begin_document(Wide(Path(std::string(252, 'n') + ".pdf")), L""), -1);
    EXPECT_NE(writer_.get_errmsg().find(L"File name too long"), std::wstring::npos);
    std::filesystem::create_directory(Path("folder.pdf"));
    EXPECT_EQ(writer_.begin_document(Wide(Path("folder.pdf")), L""), -1);
    EXPECT_NE(writer_.get_errmsg().find(L"Is a directory"), std::wstring::npos);

    // The longest name the file system holds works: the temporary file needs no longer one.
    const std::string longest = std::string(251, 'n') + ".pdf";
    Begin(longest);
    AddBlankPage();
    writer_.end_document(L"");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"folder.pdf", longest}));
}

TEST_F(DocumentTest, NamesThatAreNotUtf8AreReadAndWrittenAsTheyAre) {
    const auto image = Path("caf\xE9\xFF.png");
    ASSERT_TRUE(testsupport::MakeImage(image, "-size 20x10 xc:red"));
    Begin("out\xFE.pdf");
    writer_.begin_page_ext(0, 0, L"");
    const int handle = writer_.load_image(L"auto", Wide(image), L"");
    ASSERT_GE(handle, 0) << platform::ToUtf8(writer_.get_errmsg());
    writer_.fit_image(handle, 0, 0, L"adjustpage");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    EXPECT_EQ(writer_.written_path(), Wide(Path("out\xFE.pdf")));
    EXPECT_EQ(PageCount(Path("out\xFE.pdf")), 1);
}

// A failed write of the document is no fault of the image being loaded: it is raised even
// under errorpolicy "return", so that the caller stops rather than blame every later image.
TEST_F(DocumentTest, AWriteFailureWhileLoadingAnImageIsRaisedWhateverThePolicy) {
    const auto image = Path("noise.jpg");
    ASSERT_TRUE(testsupport::MakeImage(image, "-size 600x600 xc: +noise Random -quality 98"));
    EXPECT_TRUE(testsupport::HoldsUnderFileSizeLimit(64 * 1024, [this, &image] {
        pdf::PdfWriter writer;
        writer.set_parameter(L"errorpolicy", L"return");
        writer.begin_document(Wide(Path("out.pdf")), L"");
        writer.begin_page_ext(0, 0, L"");
        try {
            writer.load_image(L"auto", Wide(image), L"");
        } catch (const pdf::PdfError& error) {
            return error.number() == pdf::kErrorFile;
        }
        return false;
    }));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"noise.jpg"});
}
