// folioforge-cli facing hostile names, failing disks, races for a name and interruptions.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "cli_fixture.h"

using testsupport::Quoted;

namespace {

class CliHostileTest : public CliFixture {
protected:
    // A folder "in" of images that take a while each to re-encode, the second of them broken,
    // so that its skip line says the first page is done.
    void MakeLongRun() {
        MakeImage("in/1.png", "-size 1500x1500 gradient:red-blue");
        for (int i = 2; i <= kLongRunImages; ++i) {
            std::filesystem::copy_file(dir_ / "in/1.png",
                                       dir_ / ("in/" + std::to_string(i) + ".png"));
        }
        testsupport::WriteFile(dir_ / "in/1x-broken.png", "not an image");
    }
    static constexpr int kLongRunImages = 12;

    // The names in a folder, sorted.
    std::vector<std::string> Entries(const std::filesystem::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

// folioforge-cli started in the background, its standard error going to a file.
class BackgroundCli {
public:
    BackgroundCli(const std::string& arguments, const std::filesystem::path& errors)
        : errors_(errors) {
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string command =
                "exec " + std::string(FOLIOFORGE_CLI) + " " + arguments + " 2>" + Quoted(errors);
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }

    // Waits until standard error holds text (at most ten seconds); false when it never did.
    bool WaitForText(const std::string& text) const {
        for (int i = 0; i < 1000; ++i) {
            if (testsupport::ReadFile(errors_).find(text) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    void Signal(int signal) const { ::kill(pid_, signal); }

    // The wait status once the process has ended.
    int Wait() const {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return status;
    }

    std::string Errors() const { return testsupport::ReadFile(errors_); }

private:
    std::filesystem::path errors_;
    pid_t pid_ = -1;
};

}  // namespace

// File names are bytes: folders, files and -r descents whose names are not UTF-8 convert, and
// per-image PDFs keep those bytes in their names.
TEST_F(CliHostileTest, NamesThatAreNotUtf8Convert) {
    MakeImage(
        "bad\xFF\xFE"
        "dir/x.png");
    MakeImage("img\xE9.png");
    MakeImage("tree/sub\xFE/y.png");
    auto run = Cli("-o " + Quoted(dir_ / "folder.pdf") + " " +
                   Quoted(dir_ / "bad\xFF\xFE"
                                 "dir"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(testsupport::PageCount(dir_ / "folder.pdf"), 1);
    run = Cli("-o " + Quoted(dir_ / "file.pdf") + " " + Quoted(dir_ / "img\xE9.png"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(testsupport::PageCount(dir_ / "file.pdf"), 1);
    run = Cli("-r -o " + Quoted(dir_ / "tree.pdf") + " " + Quoted(dir_ / "tree"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(testsupport::PageCount(dir_ / "tree.pdf"), 1);

    run = Cli("-m per-image -o " + Quoted(dir_ / "out") + " " + Quoted(dir_ / "img\xE9.png"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Entries(dir_ / "out"), std::vector<std::string>{"img\xE9.png.pdf"});
    EXPECT_NE(run.output.find("img\xEF\xBF\xBD.png.pdf"), std::string::npos)
        << "people see U+FFFD: " << run.output;
}

TEST_F(CliHostileTest, PathsThatGiveNoPageAreCountedAsSkipped) {
    MakeImage("a.png");
    testsupport::WriteFile(dir_ / "notes.txt", "x");
    std::filesystem::create_symlink(dir_ / "gone.png", dir_ / "dangling.png");
    const auto run = Cli("-o " + Quoted(dir_ / "out.pdf") + " " + Quoted(dir_ / "a.png") + " " +
                         Quoted(dir_ / "missing.png") + " " + Quoted(dir_ / "dangling.png") + " " +
                         Quoted(dir_ / "notes.txt"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("dangling.png: a link to nothing"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("done: 1 page, 3 skipped"), std::string::npos) << run.output;
}

TEST_F(CliHostileTest, AFolderThatCannotBeReadIsSkippedWithItsReason) {
    MakeImage("root/a.png");
    // A folder whose full path is longer than any path the system takes cannot be listed. It
    // is made one step at a time, each relative to its parent.
    int parent = ::open((dir_ / "root").c_str(), O_DIRECTORY);
    for (size_t length = (dir_ / "root").native().size(); length < 4200; length += 201) {
        const std::string name(200, 'd');
        ASSERT_EQ(::mkdirat(parent, name.c_str(), 0755), 0);
        const int child = ::openat(parent, name.c_str(), O_DIRECTORY);
        ::close(parent);
        parent = child;
    }
    ::close(parent);
    const auto run = Cli("-r -o " + Quoted(dir_ / "out.pdf") + " " + Quoted(dir_ / "root"));
    testsupport::RunTool("rm -rf " + Quoted(dir_ / "root"));  // deeper than remove_all reaches
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("cannot read the folder: File name too long"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("1 page, 1 skipped"), std::string::npos) << run.output;
}

TEST_F(CliHostileTest, OutputFailuresSayTheSystemsReason) {
    MakeImage("a.png");
    const std::string image = " " + Quoted(dir_ / "a.png");
    auto run = Cli("-o " + Quoted(dir_ / "no/such/x.pdf") + image);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("No such file or directory"), std::string::npos) << run.output;
    run = Cli("-o " + Quoted(dir_ / (std::string(252, 'n') + ".pdf")) + image);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("File name too long"), std::string::npos) << run.output;

    // Per-image mode: the image whose PDF name is too long is a skipped image, with its reason.
    MakeImage("in/" + std::string(248, 'n') + ".png");
    MakeImage("in/b.png");
    run = Cli("-m per-image -o " + Quoted(dir_ / "out") + " " + Quoted(dir_ / "in"));
    EXPECT_NE(run.output.find(".png: its PDF cannot be written: "), std::string::npos);
    EXPECT_NE(run.output.find("1 page, 1 skipped"), std::string::npos) << run.output;
    EXPECT_EQ(Entries(dir_ / "out"), std::vector<std::string>{"b.png.pdf"});
}

// A write beyond the file-size limit fails as on a full disk: said once, as what it is.
TEST_F(CliHostileTest, AFullDiskIsReportedOnceAndLeavesNothing) {
    for (const char* name : {"in/1.jpg", "in/2.jpg", "in/3.jpg"}) {
        MakeImage(name, "-size 500x500 xc: +noise Random -quality 98");
    }
    std::filesystem::create_directory(dir_ / "out");
    const auto run =
        testsupport::RunTool("ulimit -f 100; " + std::string(FOLIOFORGE_CLI) + " -o " +
                                 Quoted(dir_ / "out/all.pdf") + " " + Quoted(dir_ / "in"),
                             true);
    EXPECT_EQ(run.status, 4) << run.output;
    EXPECT_EQ(run.output.rfind("the PDF could not be written: 0 pages", 0), 0u) << run.output;
    const size_t said = run.output.find("File too large");
    ASSERT_NE(said, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("File too large", said + 1), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("skipped /"), std::string::npos) << "no image is to blame";
    EXPECT_TRUE(Entries(dir_ / "out").empty());
}

TEST_F(CliHostileTest, WithoutAHomeFolderOrOutputNothingIsWritten) {
    MakeImage("a.png");
    const auto run =
        testsupport::RunTool("env -u HOME -u XDG_DOCUMENTS_DIR -u XDG_CONFIG_HOME " +
                                 std::string(FOLIOFORGE_CLI) + " " + Quoted(dir_ / "a.png"),
                             true);
    EXPECT_EQ(run.status, 64);
    EXPECT_NE(run.output.find("no home folder is known"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists("/Documents/Velkor"));
}

// Two runs started together into the configured folder each claim their own name.
TEST_F(CliHostileTest, RunsStartedTogetherWriteDistinctFiles) {
    for (int i = 0; i < 12; ++i) {
        MakeImage("trip/" + std::to_string(i) + ".png", "-size 300x300 xc:navy");
    }
    const std::string one = "XDG_DOCUMENTS_DIR=" + Quoted(dir_ / "docs") + " " +
                            std::string(FOLIOFORGE_CLI) + " -q " + Quoted(dir_ / "trip");
    const auto run = testsupport::RunTool(one + " & " + one + " & wait", true);
    const auto pdfs = dir_ / "docs/Velkor/PDF";
    EXPECT_EQ(Entries(pdfs), (std::vector<std::string>{"trip(1).pdf", "trip.pdf"})) << run.output;
    EXPECT_EQ(testsupport::PageCount(pdfs / "trip.pdf"), 12);
    EXPECT_EQ(testsupport::PageCount(pdfs / "trip(1).pdf"), 12);
}

// SIGTERM stops a run as Ctrl-C does: acknowledged at once, the pages done so far written.
TEST_F(CliHostileTest, SigtermStopsAfterTheCurrentImageAndKeepsThePagesDone) {
    MakeLongRun();
    BackgroundCli cli("--encode png -o " + Quoted(dir_ / "out.pdf") + " " + Quoted(dir_ / "in"),
                      dir_ / "errors");
    ASSERT_TRUE(cli.WaitForText("skipped"));
    cli.Signal(SIGTERM);
    const int status = cli.Wait();
    ASSERT_TRUE(WIFEXITED(status)) << cli.Errors();
    EXPECT_EQ(WEXITSTATUS(status), 7) << cli.Errors();
    EXPECT_NE(cli.Errors().find("stopping after the current image"), std::string::npos);
    const int pages = testsupport::PageCount(dir_ / "out.pdf");
    EXPECT_GE(pages, 1);
    EXPECT_LT(pages, kLongRunImages);
}

// A second request to stop, or SIGKILL, ends the run at once and leaves no file behind.
TEST_F(CliHostileTest, ARunEndedAtOnceLeavesNothingBehind) {
    MakeLongRun();
    std::filesystem::create_directory(dir_ / "out");
    for (const bool twice : {true, false}) {
        BackgroundCli cli(
            "--encode png -o " + Quoted(dir_ / "out/x.pdf") + " " + Quoted(dir_ / "in"),
            dir_ / "errors");
        ASSERT_TRUE(cli.WaitForText("skipped"));
        if (twice) {
            cli.Signal(SIGHUP);  // two distinct signals: both arrive, the first one first
            cli.Signal(SIGINT);
        } else {
            cli.Signal(SIGKILL);
        }
        const int status = cli.Wait();
        EXPECT_TRUE(WIFSIGNALED(status)) << cli.Errors();
        EXPECT_TRUE(Entries(dir_ / "out").empty()) << twice;
    }
}
