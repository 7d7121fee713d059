// Adding folders and files from the file manager: which files come in and in what order,
// subfolders and linked folders, the text/uri-list a drop carries, and odd or hostile input.

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "file_drop.h"
#include "folder_files.h"
#include "image_list_view.h"
#include "list_fixture.h"
#include "platform/text.h"

namespace {

namespace fs = std::filesystem;

using AddingTest = ListTest;

std::vector<std::wstring> Sorted(std::vector<std::wstring> texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(AddingTest, AFolderAddsItsOwnImagesOrAlsoThoseOfItsSubfolders) {
    Touch("top/a.jpg");
    Touch("top/b.PNG");
    Touch("top/notes.txt");
    Touch("top/sub/c.gif");
    Touch("top/sub/deeper/d.tif");
    const std::wstring top = Wide(dir_ / "top");

    EXPECT_EQ(list_->AddFolder(top, false), 2);
    EXPECT_EQ(Sorted(Column(kColumnName)), (std::vector<std::wstring>{L"a.jpg", L"b.PNG"}));

    list_->RemoveAll();
    EXPECT_EQ(list_->AddFolder(top + L"/", true), 2) << "only the folder's own level counts";
    EXPECT_EQ(Sorted(Column(kColumnName)),
              (std::vector<std::wstring>{L"a.jpg", L"b.PNG", L"c.gif", L"d.tif"}));
    EXPECT_EQ(Column(kColumnPosition), (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
    for (int row = 0; row < list_->GetItemCount(); ++row) {
        EXPECT_EQ(fs::exists(platform::ToUtf8(list_->GetFullPath(row))), true) << row;
    }
    EXPECT_EQ(list_->AddFolder(Wide(dir_ / "missing"), true), 0);
}

TEST_F(AddingTest, SubfoldersAreEnteredDepthFirstWhereTheyAreMet) {
    Touch("walk/x/1.jpg");
    Touch("walk/x/y/2.jpg");
    Touch("walk/z/3.jpg");
    const FolderFiles found =
        ListFolderFiles(Wide(dir_ / "walk"), true, [](const std::wstring&) { return true; });
    ASSERT_EQ(found.files.size(), 3u);
    // Whatever order the file system lists entries in, x's subtree is walked before or after
    // z's, never interleaved with it.
    EXPECT_NE(found.files[1], Wide(dir_ / "walk/z/3.jpg"));
}

TEST_F(AddingTest, LinkedFoldersAreNotFollowedAndLoopsEnd) {
    Touch("linked/own.jpg");
    Touch("elsewhere/far.jpg");
    fs::create_directory_symlink(dir_ / "elsewhere", dir_ / "linked" / "link");
    fs::create_directory_symlink(dir_ / "linked", dir_ / "linked" / "loop");
    fs::create_symlink(dir_ / "elsewhere" / "far.jpg", dir_ / "linked" / "shortcut.jpg");
    list_->AddFolder(Wide(dir_ / "linked"), true);
    EXPECT_EQ(Sorted(Column(kColumnName)),
              (std::vector<std::wstring>{L"own.jpg", L"shortcut.jpg"}));
}

TEST_F(AddingTest, ADropAddsFoldersWithSubfoldersAndFilesInOrderAndIsCounted) {
    Touch("drop/one.jpg");
    Touch("drop/inner/two.jpg");
    const std::wstring single = Touch("single.bmp");
    list_->AddDroppedPaths({single, Wide(dir_ / "drop"), Touch("skip.doc"), L"/gone/x.png"});
    ASSERT_EQ(list_->GetItemCount(), 4);
    EXPECT_EQ(list_->GetFullPath(0), single);
    EXPECT_EQ(Sorted({Column(kColumnName)[1], Column(kColumnName)[2]}),
              (std::vector<std::wstring>{L"one.jpg", L"two.jpg"}));
    EXPECT_EQ(list_->GetFullPath(3), L"/gone/x.png") << "a missing path is added as a file";
}

TEST_F(AddingTest, AUriListGivesTheLocalPathsItNames) {
    const std::string list =
        "# a comment\r\n"
        "file:///home/u/My%20Photos/a%22b%22.jpg\r\n"
        "file://localhost/tmp/line%0Abreak.png\r\n"
        "http://example.com/c.jpg\r\n"
        "file://otherhost.invalid/d.jpg\r\n"
        "\r\n"
        "file:/srv/100%25.jpg\n"
        "file:///bad%zzescape.gif";
    EXPECT_EQ(PathsFromUriList(list),
              (std::vector<std::wstring>{L"/home/u/My Photos/a\"b\".jpg", L"/tmp/line\nbreak.png",
                                         L"/srv/100%.jpg", L"/bad%zzescape.gif"}));
    EXPECT_TRUE(PathsFromUriList("file:///a%00b.jpg").empty()) << "no NUL inside a path";
    EXPECT_EQ(PathsFromUriList("file:///caf%C3%A9.jpg"), std::vector<std::wstring>{L"/café.jpg"});
}

TEST_F(AddingTest, FilesDroppedOnTheListReachTheParentAsDropFiles) {
    const std::wstring image = Touch("dropped image.jpg");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdWString(image)),
                  QUrl(QStringLiteral("https://example.com/x.jpg"))});
    ASSERT_TRUE(HasDroppedPaths(data));
    QWidget* viewport = list_->View()->viewport();
    const QPoint point(50, 50);
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    ASSERT_EQ(parent_.drops.size(), 1u);
    EXPECT_EQ(parent_.drops[0], std::vector<std::wstring>{image});

    QMimeData text;
    text.setText(QStringLiteral("just words"));
    QDragEnterEvent refused(point, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(AddingTest, AFolderOfTenThousandFilesWithOddNamesListsOnlyTheImages) {
    const fs::path folder = dir_ / "crowd";
    fs::create_directories(folder);
    for (int i = 0; i < 10000; ++i) {
        std::ofstream(folder / ("file" + std::to_string(i) + (i % 100 == 0 ? ".jpg" : ".dat")));
    }
    for (const char* odd : {"quote\"d.jpg", "new\nline.png", "sp ace .gif", "\xff\xfe.jpg"}) {
        std::ofstream(folder / odd);
    }
    list_->AddDroppedPaths({Wide(folder)});
    EXPECT_EQ(list_->GetItemCount(), 104);
    EXPECT_EQ(list_->GetItemText(103, kColumnPosition), L"104");
    const std::vector<std::wstring> names = Column(kColumnName);
    EXPECT_NE(std::find(names.begin(), names.end(), L"new\nline.png"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), L"quote\"d.jpg"), names.end());
    QTest::qWait(10);  // the view lays out the rows without trouble
}

}  // namespace
