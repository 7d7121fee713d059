// OpenWebWnd where no web window can exist: a library without its web module beside it (as in
// a build without Qt WebEngine) and a process without a graphical application.

#include <gtest/gtest.h>

#include "basalt_library.h"
#include "temp_dir.h"

using namespace testsupport;

TEST(WebWindowAbsentTest, AnswersNullAndCreatesNothing) {
    ScopedSettingsHome home;
    TempDir dir;
    BasaltLibrary basalt(dir.path());
    basalt->InitBasalt(nullptr, nullptr, nullptr);
    ASSERT_EQ(basalt->IsSkipURL(), 0);
    EXPECT_EQ(basalt->OpenWebWnd(L"http://127.0.0.1:9/", nullptr, WEBWND_STANDALONE, 7690),
              nullptr);
    EXPECT_EQ(basalt->OpenWebWnd(nullptr, nullptr, WEBWND_POPUP, 0), nullptr);
}
