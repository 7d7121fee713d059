// Whole runs: the three modes, their progress reports, output names, cancellation and failures.

#include "file_size_limit.h"
#include "run_fixture.h"

using engine::RESULT_CANCELLED;
using engine::RESULT_NO_IMAGES;
using engine::RESULT_NO_OUTPUT;
using engine::RESULT_OK;
using engine::RESULT_PDF_ERROR;
using testsupport::PageCount;

namespace {

constexpr const char* kSmall = "-size 40x30 xc:steelblue";

class ConversionRunTest : public RunFixture {};

}  // namespace

TEST_F(ConversionRunTest, SingleModeSkipsAMissingImageAndNumbersPagesByListPosition) {
    constexpr const char* kWide = "-size 300x100 xc:white";  // room for the watermark text
    const auto first = Image("1.jpg", kWide), second = Image("2.jpg", kWide),
               third = Image("3.png", kWide);
    Add(first), Add(second), Add(third);
    std::filesystem::remove(platform::ToUtf8(second));
    settings_.WaterText = L"page %Number%";

    ASSERT_EQ(RunSingle(), RESULT_OK);
    const auto pdf = dir_ / "out.pdf";
    EXPECT_EQ(PageCount(pdf), 2);
    EXPECT_EQ(job_.PagesPlaced(), 2);
    const std::string text = testsupport::ExtractText(pdf);
    EXPECT_NE(text.find("page 1"), std::string::npos);
    EXPECT_NE(text.find("page 3"), std::string::npos);
    EXPECT_EQ(text.find("page 2"), std::string::npos);
    EXPECT_EQ(reports_, (std::vector<ProgressReport>{
                            {3, 0, first}, {3, 1, second}, {3, 2, third}, {3, 3, third}}));
    ASSERT_EQ(skipped_.size(), 1u);
    EXPECT_EQ(skipped_[0].first, second);
}

TEST_F(ConversionRunTest, NothingToDoIsReportedWithoutWritingFiles) {
    EXPECT_EQ(RunSingle(), RESULT_NO_IMAGES);
    Add(Image("a.jpg", kSmall));
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerImage);
    job_.SetOutputLocation(L"");
    EXPECT_EQ(Run(), RESULT_NO_OUTPUT);
    settings_.MakeMultiPDF = 3;  // no such mode: nothing happens
    job_.SetOutputLocation(Path("out"));
    EXPECT_EQ(Run(), RESULT_OK);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.pdf"));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(ConversionRunTest, CancellingKeepsThePagesAlreadyPlaced) {
    for (int i = 0; i < 10; ++i) {
        Add(Image("p" + std::to_string(i) + ".png", kSmall));
    }
    cancelAtIndex_ = 5;                 // the sixth image
    EXPECT_EQ(RunSingle(), RESULT_OK);  // the pages so far are finished into the file
    EXPECT_EQ(PageCount(dir_ / "out.pdf"), 5);
    EXPECT_EQ(job_.PagesPlaced(), 5);
    EXPECT_EQ(reports_.back(), (ProgressReport{10, 10, Path("p5.png")}));
}

TEST_F(ConversionRunTest, DocumentWhoseImagesAllFailLeavesNoFile) {
    testsupport::WriteFile(dir_ / "broken.jpg", "\xFF\xD8\xFF\xE0 not really");
    testsupport::WriteFile(dir_ / "empty.png", "");
    Add(Path("broken.jpg")), Add(Path("empty.png"));
    EXPECT_EQ(RunSingle(), RESULT_PDF_ERROR);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.pdf"));
    EXPECT_EQ(skipped_.size(), 2u);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++files;
    }
    EXPECT_EQ(files, 2) << "a temporary file was left behind";
}

TEST_F(ConversionRunTest, BadFilesAmongGoodOnesAreSkippedWithAReason) {
    const auto good = Image("good.jpg", kSmall);
    testsupport::WriteFile(dir_ / "text.png", "just some words\n");
    const std::string jpeg = testsupport::ReadFile(platform::ToUtf8(good));
    testsupport::WriteFile(dir_ / "cut.jpg", jpeg.substr(0, jpeg.size() / 3));
    Add(Path("text.png")), Add(good), Add(Path("cut.jpg"));
    settings_.ImageEncode = engine::kEncodePng;  // decode everything
    ASSERT_EQ(RunSingle(), RESULT_OK);
    EXPECT_GE(PageCount(dir_ / "out.pdf"), 1);
    ASSERT_FALSE(skipped_.empty());
    EXPECT_EQ(skipped_[0].first, Path("text.png"));
    EXPECT_FALSE(skipped_[0].second.empty());
}

TEST_F(ConversionRunTest, PerImageModeNamesDocumentsAfterTheirImages) {
    const auto image = Image("a.jpg", kSmall);
    Add(image), Add(image);
    std::filesystem::create_directories(dir_ / "D");
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerImage);
    job_.SetOutputLocation(Path("D"));
    ASSERT_EQ(Run(), RESULT_OK);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "D/a.jpg.pdf"));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "D/a.jpg(1).pdf"));
    EXPECT_EQ(reports_.back(), (ProgressReport{2, 2, Path("D")}));
}

TEST_F(ConversionRunTest, PerImageModeBesideImagesReplacesAnOlderDocument) {
    const auto image = Image("pics/a.jpg", kSmall);
    testsupport::WriteFile(dir_ / "pics/a.jpg.pdf", "old");
    Add(image);
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerImage);
    settings_.SaveToImageDir = 1;
    job_.SetOutputLocation(Path("unused"));
    ASSERT_EQ(Run(), RESULT_OK);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "pics/a.jpg.pdf"));
}

TEST_F(ConversionRunTest, PerFolderModeOrdersFoldersAndReportsEachDocument) {
    const auto b1 = Image("B/1.jpg", kSmall), a1 = Image("a/1.jpg", kSmall),
               b2 = Image("B/2.jpg", kSmall);
    Add(b1), Add(a1), Add(b2);
    std::filesystem::create_directories(dir_ / "out");
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerFolder);
    job_.SetOutputLocation(Path("out"));
    ASSERT_EQ(Run(), RESULT_OK);
    EXPECT_EQ(PageCount(dir_ / "out/a.pdf"), 1);
    EXPECT_EQ(PageCount(dir_ / "out/b.pdf"), 2);
    EXPECT_EQ(reports_, (std::vector<ProgressReport>{{3, 0, a1},
                                                     {3, 1, Path("out/a.pdf")},
                                                     {3, 1, b1},
                                                     {3, 2, b2},
                                                     {3, 3, Path("out/b.pdf")}}));
}

TEST_F(ConversionRunTest, PerFolderModeCancelledMidFolderStillWritesThatFolder) {
    Add(Image("x/1.png", kSmall)), Add(Image("x/2.png", kSmall)), Add(Image("y/1.png", kSmall));
    cancelAtIndex_ = 1;
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerFolder);
    job_.SetOutputLocation(platform::FromUtf8(dir_.path().string()));
    EXPECT_EQ(Run(), RESULT_CANCELLED);
    EXPECT_EQ(PageCount(dir_ / "x.pdf"), 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "y.pdf"));
}

TEST_F(ConversionRunTest, PerFolderModeReportsAFolderWhoseDocumentCouldNotBeFinished) {
    Add(Image("good/1.png", kSmall));
    const auto bad = Image("bad/1.png", kSmall);
    Add(bad);
    testsupport::WriteFile(platform::ToUtf8(bad), "damaged");
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerFolder);
    job_.SetOutputLocation(platform::FromUtf8(dir_.path().string()));
    EXPECT_EQ(Run(), RESULT_PDF_ERROR);  // the failure of "bad" is not hidden by "good"
    EXPECT_FALSE(std::filesystem::exists(dir_ / "bad.pdf"));
    EXPECT_EQ(job_.Documents(),
              (std::vector<engine::DocumentOutcome>{{Path("bad.pdf"), RESULT_PDF_ERROR, 0, {}},
                                                    {Path("good.pdf"), RESULT_OK, 1, {}}}));
}

TEST_F(ConversionRunTest, PerImageModeRecordsEveryDocument) {
    const auto bad = Image("a.png", kSmall);
    Add(bad), Add(Image("b.png", kSmall));
    testsupport::WriteFile(platform::ToUtf8(bad), "damaged");
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerImage);
    job_.SetOutputLocation(Path("out"));
    std::filesystem::create_directories(dir_ / "out");
    EXPECT_EQ(Run(), RESULT_OK);  // the last image's result, as the mode defines it
    EXPECT_EQ(job_.Documents(), (std::vector<engine::DocumentOutcome>{
                                    {Path("out/a.png.pdf"), RESULT_PDF_ERROR, 0, {}},
                                    {Path("out/b.png.pdf"), RESULT_OK, 1, {}}}));
}

TEST_F(ConversionRunTest, UnwritableOutputFailsToOpen) {
    Add(Image("a.png", kSmall));
    EXPECT_EQ(RunSingle("no/such/folder/out.pdf"), engine::RESULT_OPEN_FAILED);
}

TEST_F(ConversionRunTest, DocumentInformationIsWritten) {
    Add(Image("a.png", kSmall));
    settings_.PDFTitle = L"Отчёт 2026";
    settings_.PDFAuthor = L"Zoë";
    settings_.PDFKeywords = L"图片";
    ASSERT_EQ(RunSingle(), RESULT_OK);
    EXPECT_EQ(testsupport::InfoField(dir_ / "out.pdf", "Title"), "Отчёт 2026");
    EXPECT_EQ(testsupport::InfoField(dir_ / "out.pdf", "Author"), "Zoë");
    EXPECT_EQ(testsupport::InfoField(dir_ / "out.pdf", "Keywords"), "图片");
    EXPECT_EQ(testsupport::InfoField(dir_ / "out.pdf", "Subject"), "");
}

TEST_F(ConversionRunTest, ReencodingAheadKeepsPageOrderSkipsAndCancellation) {
    std::vector<std::wstring> paths;
    for (int i = 0; i < 7; ++i) {
        const std::string size = "-size " + std::to_string(20 + i) + "x10 xc:red";
        paths.push_back(Image("p" + std::to_string(i) + ".png", size));
        Add(paths.back());
    }
    std::filesystem::remove(platform::ToUtf8(paths[2]));
    testsupport::WriteFile(platform::ToUtf8(paths[3]), "damaged");
    settings_.ImageEncode = engine::kEncodePng;
    cancelAtIndex_ = 5;
    ASSERT_EQ(RunSingle(), RESULT_OK);
    const auto images = testsupport::ListImages(dir_ / "out.pdf");
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].width, 20);
    EXPECT_EQ(images[1].width, 21);
    EXPECT_EQ(images[2].width, 24);
    ASSERT_EQ(skipped_.size(), 2u);
    EXPECT_EQ(skipped_[0].first, paths[2]);
    EXPECT_EQ(skipped_[1].first, paths[3]);
}

TEST_F(ConversionRunTest, AClaimedOutputFileTakesTheNextFreeName) {
    Add(Image("a.png", kSmall));
    testsupport::WriteFile(dir_ / "out.pdf", "someone else's");
    job_.SetClaimOutputFile(true);
    ASSERT_EQ(RunSingle(), RESULT_OK);
    EXPECT_EQ(testsupport::ReadFile(dir_ / "out.pdf"), "someone else's");
    EXPECT_EQ(PageCount(dir_ / "out(1).pdf"), 1);
    ASSERT_EQ(job_.Documents().size(), 1u);
    EXPECT_EQ(job_.Documents()[0].path, Path("out(1).pdf"));
}

TEST_F(ConversionRunTest, PerImageModeSkipsAnImageWhosePdfCannotBeCreatedAndSaysWhy) {
    const auto longName = Image(std::string(248, 'n') + ".png", kSmall);  // + ".pdf": 256 bytes
    Add(longName), Add(Image("b.png", kSmall));
    settings_.MakeMultiPDF = static_cast<int32_t>(engine::DocumentMode::kPerImage);
    job_.SetOutputLocation(Path("out"));
    std::filesystem::create_directories(dir_ / "out");
    Run();
    ASSERT_EQ(skipped_.size(), 1u);
    EXPECT_EQ(skipped_[0].first, longName);
    EXPECT_NE(skipped_[0].second.find(L"File name too long"), std::wstring::npos);
    ASSERT_EQ(job_.Documents().size(), 2u);
    EXPECT_EQ(job_.Documents()[0].result, engine::RESULT_OPEN_FAILED);
    EXPECT_EQ(PageCount(dir_ / "out/b.png.pdf"), 1);
}

// A full disk is the document's failure, not the images': it is said once, with the system's
// reason, and the run stops filling the document.
TEST_F(ConversionRunTest, AFailedWriteIsTheDocumentsFailureAndNotEachImages) {
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
        Add(Image(name, "-size 500x500 xc: +noise Random -quality 98"));
    }
    EXPECT_TRUE(testsupport::HoldsUnderFileSizeLimit(64 * 1024, [this] {
        return RunSingle() == RESULT_PDF_ERROR && skipped_.empty() &&
               job_.Documents().size() == 1 &&
               job_.Documents()[0].reason.find(L"File too large") != std::wstring::npos &&
               reports_.size() == 2;  // image 1, then the closing report
    }));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.pdf"));
}

// The data of a PNG file's single IDAT chunk.
std::string IdatData(const std::string& png) {
    const size_t type = png.find("IDAT");
    const auto* length = reinterpret_cast<const uint8_t*>(png.data() + type - 4);
    const size_t size = size_t(length[0]) << 24 | length[1] << 16 | length[2] << 8 | length[3];
    return png.substr(type + 4, size);
}

TEST_F(ConversionRunTest, KeptPngsAreProvenAheadAndCopiedUnchangedUnlessDamaged) {
    std::vector<std::wstring> paths;
    for (int i = 0; i < 8; ++i) {
        const std::string gradient = "-size " + std::to_string(30 + i) + "x12 gradient:red-blue";
        paths.push_back(Image("k" + std::to_string(i) + ".png", gradient + " -depth 8"));
        Add(paths.back());
    }
    std::filesystem::remove(platform::ToUtf8(paths[1]));  // two missing in a row
    std::filesystem::remove(platform::ToUtf8(paths[2]));
    std::string damaged = testsupport::ReadFile(platform::ToUtf8(paths[4]));
    damaged[damaged.find("IDAT") + 4 + IdatData(damaged).size()] ^= 0x01;  // its CRC
    testsupport::WriteFile(platform::ToUtf8(paths[4]), damaged);
    ASSERT_EQ(RunSingle(), RESULT_OK);
    const auto images = testsupport::ListImages(dir_ / "out.pdf");
    const std::vector<int> placed = {0, 3, 5, 6, 7};
    ASSERT_EQ(images.size(), placed.size());
    for (size_t page = 0; page < placed.size(); ++page) {
        const std::string png = testsupport::ReadFile(platform::ToUtf8(paths[placed[page]]));
        EXPECT_EQ(images[page].width, 30 + placed[page]);
        EXPECT_EQ(testsupport::RawStream(dir_ / "out.pdf", images[page].objectId), IdatData(png));
    }
    ASSERT_EQ(skipped_.size(), 3u);
    EXPECT_EQ(skipped_[2].first, paths[4]);
}

TEST_F(ConversionRunTest, ImagesWhoseNamesAreNotUtf8AreKeptAndReencoded) {
    const std::string latin1 = (dir_ / "caf\xE9").string();  // a Latin-1 name
    ASSERT_TRUE(testsupport::MakeImage(latin1 + ".png", "-size 24x16 gradient:red-blue -depth 8"));
    ASSERT_TRUE(testsupport::MakeImage(latin1 + ".jpg", "-size 20x16 xc:red"));
    const std::wstring png = platform::PathFromNative(latin1 + ".png");
    const std::wstring jpeg = platform::PathFromNative(latin1 + ".jpg");
    Add(png), Add(jpeg);
    ASSERT_EQ(RunSingle("kept.pdf"), RESULT_OK);
    settings_.ImageEncode = engine::kEncodePng;
    ASSERT_EQ(RunSingle("reencoded.pdf"), RESULT_OK);
    EXPECT_TRUE(skipped_.empty());
    for (const char* name : {"kept.pdf", "reencoded.pdf"}) {
        const auto images = testsupport::ListImages(dir_ / name);
        ASSERT_EQ(images.size(), 2u) << name;
        EXPECT_EQ(images[0].width, 24);
        EXPECT_EQ(images[1].width, 20);
    }
    const auto kept = testsupport::ListImages(dir_ / "kept.pdf");
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(testsupport::RawStream(dir_ / "kept.pdf", kept[1].objectId),
              testsupport::ReadFile(latin1 + ".jpg"))
        << "the JPEG copied unchanged";
}
