// The main window: the /make command line end to end, its layout under resizing, the
// background it takes, closing during a conversion, the usage records it sends, and its
// screenshots.

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QUrl>
#include <chrono>

#include "app_test_support.h"
#include "command_line.h"
#include "conversion_fixture.h"
#include "folioforge_dlg.h"
#include "list/drop_list_ctrl.h"
#include "make_pdf_dialog.h"
#include "pdf_tools.h"
#include "qt_wait.h"
#include "recordd_process.h"
#include "texts.h"

namespace {

using apptest::Wide;
using testsupport::WaitUntil;

QRect ChildRect(HWND window) {
    return WindowFromHandle(window)->geometry();
}

class MainWindowTest : public apptest::ConversionTest {};

TEST_F(MainWindowTest, MakeCommandLineConvertsFoldersFilesAndQuotedPathsOnce) {
    const std::wstring a = Image("Trip", "a.jpg");
    Image("Trip/sub", "deeper.jpg");
    testsupport::WriteFile(dir_ / "Trip" / "notes.txt", "text");
    const std::wstring spaced = Image("with space", "b.jpg");
    app_->Settings().SetNumber(L"MakeMultiPDF", 2);
    const std::vector<std::wstring> paths = app::MakePathsOf(
        {L"folioforge", L"/MAKE", Wide(dir_ / "Trip"), L" \"" + spaced + L"\"", L"/gone"});

    apptest::ModalAnswerer answerer;
    CFolioforgeDlg window(*app_, paths);
    const std::filesystem::path pdf = output() / "Trip.pdf";
    ASSERT_TRUE(WaitUntil([&] { return window.List().GetItemCount() == 2; }));
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(pdf); }));
    EXPECT_EQ(window.List().GetFullPath(0), a);
    EXPECT_EQ(window.List().GetFullPath(1), spaced);
    EXPECT_EQ(testsupport::PageCount(pdf), 2);
    EXPECT_EQ(testsupport::QpdfCheck(pdf), 0);
    EXPECT_EQ(app_->Settings().MakeMultiPDF, 0);
    EXPECT_EQ(StoredMode(), 0u);

    // Timer 2 never fires again in this process.
    CFolioforgeDlg second(*app_, paths);
    QApplication::processEvents();
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(second.List().GetItemCount(), 0);
}

TEST_F(MainWindowTest, KeepsItsMinimumSizeAndTheListAndPreviewFollowResizes) {
    CFolioforgeDlg window(*app_, {});
    window.show();
    ASSERT_TRUE(window.IsPreviewShown());  // ShowView defaults to 1
    window.resize(300, 200);
    EXPECT_EQ(window.size(), QSize(400, 400));

    window.resize(900, 700);
    QApplication::processEvents();
    const HWND list = window.List().GetSafeHwnd();
    EXPECT_EQ(ChildRect(list), QRect(QPoint(10, 110), QPoint(900 - 310 - 1, 700 - 32 - 1)));
    RECT panel;
    window.PreviewPanel().GetRect(&panel);
    EXPECT_EQ(panel.right, 890);
    EXPECT_EQ(panel.left, 890 - 292);
    EXPECT_EQ(panel.bottom, 668);
    EXPECT_EQ(panel.top, 110);
    RECT link;
    window.VersionLink().GetRect(&link);
    EXPECT_EQ(link.left, 10) << "the version link keeps 10 px from both sides";
    EXPECT_EQ(link.right, 890);
    EXPECT_EQ(link.bottom, 695);

    window.TogglePreview();
    EXPECT_FALSE(window.PreviewPanel().IsVisible());
    EXPECT_EQ(ChildRect(list).right(), 900 - 10 - 1);
    window.resize(640, 480);
    QApplication::processEvents();
    EXPECT_EQ(ChildRect(list), QRect(QPoint(10, 110), QPoint(640 - 10 - 1, 480 - 32 - 1)));
    EXPECT_EQ(app_->Settings().ShowView, 0);
}

TEST_F(MainWindowTest, ClosingDuringAConversionWaitsForTheWorker) {
    CFolioforgeDlg window(*app_, {});
    for (int i = 0; i < 40; ++i) {
        window.List().AddFile(Image("many", "img" + std::to_string(i) + ".jpg"));
    }
    const HWND hwnd = window.GetSafeHwnd();
    apptest::ModalAnswerer answerer;  // presses Finish should the close come too late
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = dynamic_cast<CMakePDFDialog*>(widget);
            const std::wstring status = progress ? progress->StatusText() : L"";
            if (progress && progress->isVisible() && status.starts_with(L"(") &&
                !status.starts_with(L"(0/") && !status.starts_with(L"(1/")) {
                PostMessage(hwnd, WM_CLOSE, 0, 0);
                closer.stop();
            }
        }
    });
    closer.start(5);
    window.RunConversion(0);
    EXPECT_FALSE(IsWindow(hwnd));
    const std::filesystem::path pdf = output() / "many.pdf";
    EXPECT_EQ(testsupport::QpdfCheck(pdf), 0);
    EXPECT_LT(testsupport::PageCount(pdf), 40);
    EXPECT_GE(testsupport::PageCount(pdf), 2);
}

TEST_F(MainWindowTest, ClosingSendsTheUsageRecords) {
    testsupport::RecorddProcess server(dir_.path());
    setenv("FOLIOFORGE_SERVER", server.url().c_str(), 1);
    {
        CFolioforgeDlg window(*app_, {});
        DestroyWindow(window.GetSafeHwnd());
    }
    unsetenv("FOLIOFORGE_SERVER");
    const auto documents = server.Query("SELECT document FROM submissions");
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_NE(documents[0].find("{\"id\":\"3\""), std::string::npos);
}

TEST_F(MainWindowTest, FilesDroppedOnTheWindowJoinTheListWithTheirSubfolders) {
    const std::wstring top = Image("drop", "a.jpg");
    const std::wstring deeper = Image("drop/sub", "b.jpg");
    const std::wstring single = Image("other", "c.png");
    CFolioforgeDlg window(*app_, {});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((dir_ / "drop").string())),
                  QUrl::fromLocalFile(QString::fromStdWString(single))});
    // A drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(100, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    ASSERT_EQ(window.List().GetItemCount(), 3);
    EXPECT_EQ(window.List().GetFullPath(2), single);
}

TEST_F(MainWindowTest, HeaderClicksSortTheListThroughTheWindow) {
    CFolioforgeDlg window(*app_, {});
    for (const char* name : {"img10.jpg", "img2.jpg", "img1.jpg"}) {
        window.List().AddFile(Image("sort", name));
    }
    NMLISTVIEW click;
    click.hdr = {window.List().GetSafeHwnd(), IDC_IMAGE_LIST, LVN_COLUMNCLICK};
    click.iSubItem = kColumnName;
    SendMessage(window.GetSafeHwnd(), WM_NOTIFY, IDC_IMAGE_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(window.List().GetItemText(0, kColumnName), L"img1.jpg");
    EXPECT_EQ(window.List().GetItemText(2, kColumnName), L"img10.jpg");
    EXPECT_EQ(window.List().GetItemText(2, kColumnPosition), L"3");
    // The window kept the sort state: the same header now sorts descending.
    SendMessage(window.GetSafeHwnd(), WM_NOTIFY, IDC_IMAGE_LIST, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(window.List().GetItemText(0, kColumnName), L"img10.jpg");
}

TEST_F(MainWindowTest, BackgroundChooserWarnsAndReopensUntilAnImageLoads) {
    testsupport::WriteFile(dir_ / "corrupt.png", "not a picture");
    const std::wstring sky = Image("bg", "sky.jpg", 72, "skyblue", "300x200");
    CFolioforgeDlg window(*app_, {});
    apptest::ModalAnswerer answerer;
    answerer.fileAnswers = {QString::fromStdString((dir_ / "corrupt.png").string()),
                            QString::fromStdWString(sky)};
    window.ChooseBackground();
    EXPECT_EQ(answerer.fileDialogs, 2);
    ASSERT_EQ(answerer.boxTexts.size(), 1u);
    EXPECT_EQ(answerer.boxTexts[0].toStdWString(), app::Text(L"200015"));
    EXPECT_EQ(app_->GetBackground(), sky);
    EXPECT_EQ(platform::RegReadString(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                                      L"WndiowsBackground"),
              sky);
}

TEST_F(MainWindowTest, Screenshots) {
    CFolioforgeDlg window(*app_, {});
    window.show();
    QApplication::processEvents();
    EXPECT_TRUE(apptest::SaveScreenshot(window, "main-window-empty.png"));

    const char* colours[] = {"red", "orange", "gold", "green", "teal", "blue"};
    for (int i = 0; i < 12; ++i) {
        window.List().AddFile(Image("Holiday", "photo" + std::to_string(i + 1) + ".jpg",
                                    i % 2 ? 96 : 72, colours[i % 6], "400x300"));
    }
    window.List().SelectRow(2);
    EXPECT_FALSE(window.PreviewHint().IsVisible());
    WaitUntil([&] { return !window.List().HasUnprobedRow(); }, 5000);
    WaitUntil([&] { return window.List().GetItemText(11, kColumnSize) != L""; }, 5000);
    EXPECT_TRUE(apptest::SaveScreenshot(window, "main-window-12-rows.png"));
}

}  // namespace
