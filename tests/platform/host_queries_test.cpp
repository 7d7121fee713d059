// Small questions to the host: file times, local time, loaded modules.

#include <fcntl.h>
#include <gnu/libc-version.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/folders.h"
#include "platform/local_time.h"
#include "platform/modules.h"
#include "platform/pending_files.h"
#include "platform/text.h"
#include "temp_dir.h"

TEST(HostQueriesTest, ModificationTimeOfFilesAndFolders) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / "dated", "x");
    const utimbuf times{1000000000, 1234567890};
    ASSERT_EQ(::utime((dir / "dated").c_str(), &times), 0);
    EXPECT_EQ(platform::ModificationTime(platform::FromUtf8((dir / "dated").string())), 1234567890);
    EXPECT_TRUE(platform::ModificationTime(platform::FromUtf8(dir.path().string())));
    EXPECT_FALSE(platform::ModificationTime(platform::FromUtf8((dir / "missing").string())));
}

TEST(HostQueriesTest, LocalTimeFollowsTheTimeZone) {
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    ::setenv("TZ", "UTC-2", 1);  // POSIX sign: two hours east of UTC
    ::tzset();
    const auto local = platform::LocalTime(1234567890);  // 2009-02-13 23:31:30 UTC
    previous ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
    ASSERT_TRUE(local);
    EXPECT_EQ(local->tm_year, 109);
    EXPECT_EQ(local->tm_mon, 1);
    EXPECT_EQ(local->tm_mday, 14);
    EXPECT_EQ(local->tm_hour, 1);
}

TEST(HostQueriesTest, ModulesAreFoundByAddress) {
    EXPECT_TRUE(platform::ModuleFileOf(nullptr).empty());
    const auto self = reinterpret_cast<const void*>(&platform::ModuleFileOf);
    EXPECT_EQ(platform::ModuleFileOf(self).filename(), "platform_tests");  // linked statically
    const auto libc = reinterpret_cast<const void*>(&::gnu_get_libc_version);
    const std::string libcName = platform::ModuleFileOf(libc).filename().string();
    EXPECT_TRUE(libcName.starts_with("libc.so")) << libcName;
    EXPECT_EQ(platform::ProgramSymbol("gnu_get_libc_version"), nullptr);  // the C library's
    EXPECT_EQ(platform::ProgramSymbol("no_such_symbol_anywhere"), nullptr);
}

// With standard error closed, the next file opened would take descriptor 2 and receive every
// message meant for standard error.
TEST(HostQueriesTest, ClosedStandardDescriptorsAreReopened) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(0);
        ::close(2);
        bool fine = platform::OpenStandardDescriptors();
        struct stat error {
        }, null{};
        fine = fine && ::fstat(2, &error) == 0 && ::stat("/dev/null", &null) == 0 &&
               error.st_rdev == null.st_rdev && ::fcntl(0, F_GETFD) != -1;
        const int next = ::open("/dev/null", O_RDONLY);
        ::_exit(fine && next > 2 && platform::OpenStandardDescriptors() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(HostQueriesTest, FirstCtrlCUnderAWatchOnlyMarksTheProcess) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(platform::IsTerminal(file));
    std::fclose(file);

    EXPECT_FALSE(platform::Interrupted());
    {
        const platform::InterruptWatch watch;
        std::raise(SIGINT);  // the process goes on
    }
    EXPECT_TRUE(platform::Interrupted());
}

// SIGTERM and SIGHUP stop a run as Ctrl-C does: the first is acknowledged at once and only
// marks the process; the second ends it, removing the temporary files still pending.
TEST(HostQueriesTest, ASecondStopSignalEndsTheProcessWithoutLeavingTemporaryFiles) {
    testsupport::TempDir dir;
    const auto pending = dir / ".ff-pending";
    const auto said = dir / "stderr";
    testsupport::WriteFile(pending, "half a document");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int out = ::open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 2);
        platform::RegisterPendingFile(pending.c_str());
        const platform::InterruptWatch watch("stopping soon\n");
        std::raise(SIGHUP);
        const bool marked = platform::Interrupted();
        std::raise(SIGTERM);
        ::_exit(marked ? 0 : 1);  // reached only when the second signal did not end the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_FALSE(std::filesystem::exists(pending));
    EXPECT_EQ(testsupport::ReadFile(said), "stopping soon\n");
}

TEST(HostQueriesTest, PendingFilesAreRemovedOnlyWhileRegistered) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / "kept", "x");
    testsupport::WriteFile(dir / "removed", "x");
    const int kept = platform::RegisterPendingFile((dir / "kept").c_str());
    ASSERT_GE(kept, 0);
    ASSERT_GE(platform::RegisterPendingFile((dir / "removed").c_str()), 0);
    platform::ForgetPendingFile(kept);
    platform::RemovePendingFiles();
    EXPECT_TRUE(std::filesystem::exists(dir / "kept"));
    EXPECT_FALSE(std::filesystem::exists(dir / "removed"));
    EXPECT_EQ(platform::RegisterPendingFile(std::string(5000, 'x').c_str()), -1);
}

// Without a home folder there is no documents folder to offer, rather than "/Documents".
TEST(HostQueriesTest, NoDocumentsFolderIsKnownWithoutAHomeFolder) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string savedDocuments = documents ? documents : "";
    ::unsetenv("XDG_DOCUMENTS_DIR");
    ::unsetenv("HOME");
    EXPECT_EQ(platform::KnownDocumentsFolder(), std::nullopt);
    ::setenv("HOME", "", 1);
    EXPECT_EQ(platform::KnownDocumentsFolder(), std::nullopt);
    ::setenv("XDG_DOCUMENTS_DIR", "/srv/docs", 1);
    EXPECT_EQ(platform::KnownDocumentsFolder(), std::filesystem::path("/srv/docs"));
    ::setenv("HOME", home.c_str(), 1);
    if (documents) {
        ::setenv("XDG_DOCUMENTS_DIR", savedDocuments.c_str(), 1);
    } else {
        ::unsetenv("XDG_DOCUMENTS_DIR");
    }
}
