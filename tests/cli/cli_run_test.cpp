// folioforge-cli as a user runs it.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "cli_fixture.h"

using testsupport::Quoted;
using testsupport::RunTool;

namespace {

class CliRunTest : public CliFixture {};

}  // namespace

TEST_F(CliRunTest, HelpVersionAndUsageErrors) {
    const auto help = Cli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("Usage: folioforge-cli"), std::string::npos);
    EXPECT_EQ(Cli("--version").output.rfind("folioforge-cli ", 0), 0u);
    EXPECT_EQ(Cli("--help >/dev/full").status, 74) << "a failed write is an error";
    EXPECT_EQ(Cli("--version >/dev/full").status, 74);
    const auto bad = Cli("--quality 300 x.jpg");
    EXPECT_EQ(bad.status, 64);
    EXPECT_NE(bad.output.find("--quality"), std::string::npos);
}

TEST_F(CliRunTest, FolderImagesBecomePagesInNaturalOrder) {
    for (const char* name : {"img10.png", "img2.jpg", "IMG1.gif", "notes.txt"}) {
        MakeImage(std::string("album/") + name, "-size 300x60 xc:white");
    }
    const auto run =
        Cli("-q --text %FileName% -o " + Quoted(dir_ / "album.pdf") + " " + Quoted(dir_ / "album"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "");
    const std::string text = testsupport::ExtractText(dir_ / "album.pdf");
    const size_t one = text.find("IMG1"), two = text.find("img2"), ten = text.find("img10");
    ASSERT_NE(ten, std::string::npos) << text;
    EXPECT_LT(one, two);
    EXPECT_LT(two, ten);
}

TEST_F(CliRunTest, PerFolderModeWithRecursionAndSkippedFiles) {
    MakeImage("root/a.png");
    MakeImage("root/sub/b.png");
    testsupport::WriteFile(dir_ / "root/sub/broken.png", "not an image");
    const auto run = Cli("-r -m per-folder -o " + Quoted(dir_ / "out") + " " +
                         Quoted(dir_ / "root") + " " + Quoted(dir_ / "missing.jpg"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(0 == testsupport::QpdfCheck(dir_ / "out/root.pdf"));
    EXPECT_TRUE(0 == testsupport::QpdfCheck(dir_ / "out/sub.pdf"));
    EXPECT_NE(run.output.find("skipped " + (dir_ / "root/sub/broken.png").string()),
              std::string::npos);
    EXPECT_NE(run.output.find("missing.jpg: no such file or folder"), std::string::npos);
}

TEST_F(CliRunTest, NoImagesGivesStatusTwo) {
    testsupport::WriteFile(dir_ / "notes.txt", "x");
    EXPECT_EQ(Cli(Quoted(dir_ / "notes.txt")).status, 2);
    EXPECT_EQ(Cli(Quoted(dir_ / "nothing-here")).status, 2);
}

TEST_F(CliRunTest, SettingsAreStoredOnlyWhenAskedAndReadBack) {
    MakeImage("pics/a.png");
    const std::string image = Quoted(dir_ / "pics/a.png");
    ASSERT_EQ(Cli("-q --page-size a5 -o " + Quoted(dir_ / "1.pdf") + " " + image).status, 0);
    EXPECT_FALSE(std::filesystem::exists(home_.path() / "HKEY_CURRENT_USER.reg"));

    ASSERT_EQ(Cli("-q --save-settings --page-size a5 --title Stored -o " + Quoted(dir_ / "2.pdf") +
                  " " + image)
                  .status,
              0);
    const std::string hive = testsupport::ReadFile(home_.path() / "HKEY_CURRENT_USER.reg");
    EXPECT_NE(hive.find("\"PageSize\"=dword:00000005"), std::string::npos);
    EXPECT_EQ(hive.find("JpepPercent"), std::string::npos);  // only what was given

    ASSERT_EQ(Cli("-q --settings -o " + Quoted(dir_ / "3.pdf") + " " + image).status, 0);
    EXPECT_DOUBLE_EQ(testsupport::PageSizes(dir_ / "3.pdf").at(0).width, 421);
    EXPECT_EQ(testsupport::InfoField(dir_ / "3.pdf", "Title"), "Stored");

    // A value equal to a built-in default is stored as well.
    ASSERT_EQ(Cli("-q --save-settings --page-size image -o " + Quoted(dir_ / "4.pdf") + " " + image)
                  .status,
              0);
    ASSERT_EQ(Cli("-q --settings -o " + Quoted(dir_ / "5.pdf") + " " + image).status, 0);
    EXPECT_DOUBLE_EQ(testsupport::PageSizes(dir_ / "5.pdf").at(0).width, 30);
}

TEST_F(CliRunTest, DefaultOutputGoesToTheConfiguredFolder) {
    MakeImage("trip/a.png");
    const std::string store =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Velkor\\Folioforge]\n"
        "\"PDFPath\"=\"" +
        (dir_ / "pdfs").string() + "\"\n";
    testsupport::WriteFile(home_.path() / "HKEY_CURRENT_USER.reg", store);
    ASSERT_EQ(Cli("-q --settings " + Quoted(dir_ / "trip")).status, 0);
    ASSERT_EQ(Cli("-q --settings " + Quoted(dir_ / "trip")).status, 0);
    EXPECT_TRUE(0 == testsupport::QpdfCheck(dir_ / "pdfs/trip.pdf"));
    EXPECT_TRUE(0 == testsupport::QpdfCheck(dir_ / "pdfs/trip(1).pdf"));
}

TEST_F(CliRunTest, UnwritableOutputGivesStatusOne) {
    MakeImage("a.png");
    const auto run = Cli("-o " + Quoted(dir_ / "no/such/dir/x.pdf") + " " + Quoted(dir_ / "a.png"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("could not be created"), std::string::npos);
}

TEST_F(CliRunTest, RefusesToWriteThePdfOverAnInputImage) {
    MakeImage("a.png");
    const std::string before = testsupport::ReadFile(dir_ / "a.png");
    const auto run = Cli("-o " + Quoted(dir_ / "./a.png") + " " + Quoted(dir_ / "a.png"));
    EXPECT_EQ(run.status, 64);
    EXPECT_NE(run.output.find("would replace the image"), std::string::npos);
    EXPECT_EQ(testsupport::ReadFile(dir_ / "a.png"), before);
}

TEST_F(CliRunTest, SkippedImagesDoNotFailARunThatWroteAPage) {
    MakeImage("in/a.png");
    MakeImage("in/c.png");
    testsupport::WriteFile(dir_ / "in/b.png", "not an image");
    const auto run = Cli("-m per-image -o " + Quoted(dir_ / "out") + " " + Quoted(dir_ / "in"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("done: 2 pages, 1 skipped"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("-> " + (dir_ / "out/a.png.pdf").string()), std::string::npos);
    EXPECT_NE(run.output.find("-> " + (dir_ / "out/c.png.pdf").string()), std::string::npos);
    EXPECT_EQ(run.output.find("b.png.pdf"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out/b.png.pdf"));
}

TEST_F(CliRunTest, ARunThatWroteNothingFailsAndNamesNoDocument) {
    std::filesystem::create_directories(dir_ / "in");
    testsupport::WriteFile(dir_ / "in/a.png", "not an image");
    for (const char* mode : {"single", "per-image", "per-folder"}) {
        const auto out = dir_ / (std::string("out-") + mode);
        std::filesystem::create_directories(out);
        const auto run =
            Cli(std::string("-m ") + mode + " -o " + Quoted(out) + " " + Quoted(dir_ / "in"));
        EXPECT_EQ(run.status, 4) << mode << run.output;
        EXPECT_EQ(run.output.find("->"), std::string::npos) << mode << run.output;
        EXPECT_TRUE(std::filesystem::is_empty(out)) << mode;
    }
}

TEST_F(CliRunTest, RefusesMarginsThatLeaveNoRoomOnThePaper) {
    MakeImage("a.png");
    const auto run = Cli("--page-size a4 --margins 300,10 -o " + Quoted(dir_ / "x.pdf") + " " +
                         Quoted(dir_ / "a.png"));
    EXPECT_EQ(run.status, 64);
    EXPECT_NE(run.output.find("leave no room"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "x.pdf"));
    const auto landscape = Cli("-q --page-size a4 --landscape --margins 300,10 -o " +
                               Quoted(dir_ / "y.pdf") + " " + Quoted(dir_ / "a.png"));
    EXPECT_EQ(landscape.status, 0) << landscape.output;
}

TEST_F(CliRunTest, SaysWhenTheWatermarkImageCannotBeLoaded) {
    MakeImage("a.png");
    MakeImage("b.png");
    const auto run =
        Cli("--watermark " + Quoted(dir_ / "WMARK.png") + " -o " + Quoted(dir_ / "x.pdf") + " " +
            Quoted(dir_ / "a.png") + " " + Quoted(dir_ / "b.png"));
    EXPECT_EQ(run.status, 0) << run.output;
    const std::string said = "WMARK.png: the watermark image cannot be loaded";
    const size_t first = run.output.find(said);
    ASSERT_NE(first, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(said, first + 1), std::string::npos) << run.output;
}

TEST_F(CliRunTest, AClosedStandardErrorNeverReceivesThePdf) {
    MakeImage("a.png");
    testsupport::WriteFile(dir_ / "broken.png", "not an image");
    const std::string command = std::string(FOLIOFORGE_CLI) + " -o " + Quoted(dir_ / "out.pdf") +
                                " " + Quoted(dir_ / "a.png") + " " + Quoted(dir_ / "broken.png");
    const auto run = testsupport::RunTool("( " + command + " 2>&- )", true);
    EXPECT_EQ(run.status, 0) << run.output;
    std::ifstream pdf(dir_ / "out.pdf", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(pdf)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.find("skipped"), std::string::npos) << "the skip message went into the PDF";
    EXPECT_EQ(testsupport::PageCount(dir_ / "out.pdf"), 1);
}
