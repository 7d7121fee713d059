// Files opened with the program ("Open with" from a file manager, or folioforge PATH...) join
// the list without a conversion.

#include <gtest/gtest.h>

#include <filesystem>

#include "command_line.h"
#include "conversion_fixture.h"
#include "folioforge_dlg.h"
#include "list/drop_list_ctrl.h"
#include "qt_wait.h"

namespace {

using apptest::Wide;

class OpenedFilesTest : public apptest::ConversionTest {};

TEST_F(OpenedFilesTest, FilesAndFolderImagesJoinTheListAndNothingIsConverted) {
    const std::wstring first = Image("Trip", "a.jpg");
    Image("Trip/sub", "deeper.jpg");
    testsupport::WriteFile(dir_ / "Trip" / "notes.txt", "text");
    const std::wstring single = Image("loose", "b.jpg");
    testsupport::WriteFile(dir_ / "loose" / "c.txt", "text");

    CFolioforgeDlg window(*app_, {});
    CFolioforgeApp::AddOpenedPaths(
        window.List(), app::OpenPathsOf({L"folioforge", Wide(dir_ / "Trip"), single,
                                         Wide(dir_ / "loose" / "c.txt"), L"/gone/x.jpg"}));

    ASSERT_EQ(window.List().GetItemCount(), 2);
    EXPECT_EQ(window.List().GetFullPath(0), first);
    EXPECT_EQ(window.List().GetFullPath(1), single);
    testsupport::WaitUntil([] { return false; }, 300);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.path())) {
        EXPECT_NE(entry.path().extension(), ".pdf") << "opening must not convert: " << entry.path();
    }
}

}  // namespace
