// The about box: its texts, OK closing it, the main menu opening it, and its screenshot.

#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "about_dlg.h"
#include "app_test_support.h"
#include "conversion_fixture.h"
#include "folioforge_dlg.h"
#include "texts.h"

namespace {

class AboutBoxTest : public apptest::ConversionTest {};

TEST_F(AboutBoxTest, ShowsTitleVersionAndTheConfiguredAddresses) {
    setenv("FOLIOFORGE_SERVER", "127.0.0.1:8123/", 1);
    setenv("FOLIOFORGE_SUPPORT", "help@folioforge.test", 1);
    CAboutDlg box(*app_, nullptr);
    unsetenv("FOLIOFORGE_SERVER");
    unsetenv("FOLIOFORGE_SUPPORT");
    const std::vector<std::wstring> texts = box.Texts();
    ASSERT_EQ(texts.size(), 5u);
    const wchar_t* version = GetIniString(L"FileVersion");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(texts[0], app::Text(L"200001"));
    EXPECT_EQ(texts[1], app::Text(L"100017", version));
    EXPECT_NE(texts[1].find(version), std::wstring::npos);
    EXPECT_EQ(texts[2], app::Text(L"100022"));
    EXPECT_EQ(texts[3], app::Text(L"100021") + L":  http://127.0.0.1:8123/");
    EXPECT_EQ(texts[4], app::Text(L"100023") + L":  help@folioforge.test");
    EXPECT_EQ(GetWindowText(box.GetSafeHwnd()), app::Text(L"100019") + L" " + app::Text(L"200001"));

    box.show();
    QApplication::processEvents();
    EXPECT_TRUE(apptest::SaveScreenshot(box, "about-box.png"));
}

TEST_F(AboutBoxTest, TheMainMenuOpensItModallyAndOkClosesIt) {
    CFolioforgeDlg window(*app_, {});
    window.show();
    bool seen = false;
    QTimer::singleShot(200, [&] {
        auto* box = dynamic_cast<CAboutDlg*>(QApplication::activeModalWidget());
        seen = box != nullptr;
        if (box) {
            SendMessage(box->GetSafeHwnd(), WM_COMMAND, IDOK, 0);
        }
    });
    window.MainMenuItem(4);
    EXPECT_TRUE(seen);
}

TEST_F(AboutBoxTest, EnterAndEscapeCloseItLikeOk) {
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        CAboutDlg box(*app_, nullptr);
        QTimer::singleShot(100, [&] { SendMessage(box.GetSafeHwnd(), WM_KEYDOWN, key, 1); });
        EXPECT_EQ(box.DoModal(), IDOK);
    }
}

}  // namespace
