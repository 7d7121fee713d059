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
#include "platform/local_time.h"
#include "platform/modules.h"
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
