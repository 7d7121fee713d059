// The settings dialog: its storage rules, every page's controls against the store, the moment
// each change is written, the language switch and restart, the context-menu entry, the banner,
// the desktop's dialogs, its layout and its screenshots.

#include "settings_dialog.h"

#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <climits>
#include <thread>

#include "app_test_support.h"
#include "conversion_fixture.h"
#include "folioforge_dlg.h"
#include "qt_wait.h"
#include "recordd_process.h"
#include "settings_bindings.h"
#include "settings_rules.h"
#include "shellext/registration_launcher.h"
#include "texts.h"

namespace {

namespace fs = std::filesystem;
using apptest::Wide;
using testsupport::WaitUntil;

constexpr wchar_t kKey[] = L"Software\\Velkor\\Folioforge";

// ---- Storage rules --------------------------------------------------------------------------

TEST(SettingsRules, NumbersAreTheLeadingDecimalsHeldWithin32Bits) {
    EXPECT_EQ(app::NumberOfText(L"150"), 150);
    EXPECT_EQ(app::NumberOfText(L"  -1"), -1);
    EXPECT_EQ(app::NumberOfText(L"+12px"), 12);
    EXPECT_EQ(app::NumberOfText(L"abc"), 0);
    EXPECT_EQ(app::NumberOfText(L""), 0);
    EXPECT_EQ(app::NumberOfText(L"-"), 0);
    EXPECT_EQ(app::NumberOfText(L"99999999999"), INT32_MAX);
    EXPECT_EQ(app::NumberOfText(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(app::NumberOfText(L"-99999999999999999999999"), INT32_MIN);
}

TEST(SettingsRules, TheFontSizeIsItsLowestByte) {
    EXPECT_EQ(app::FontSizeText(0x0214), L"20");
    EXPECT_EQ(app::FontSizeWithLowByte(20, 300), 44);
    EXPECT_EQ(app::FontSizeWithLowByte(0x0214, 300), 0x022C);
    EXPECT_EQ(app::FontSizeWithLowByte(-1, 16), static_cast<int32_t>(0xFFFFFF10));
    EXPECT_EQ(app::Substituted(L"JPEG%,%s", L"150"), L"JPEG%,150");
    EXPECT_EQ(app::Substituted(L"PDF,标题", L"x"), L"PDF,标题");
}

TEST(SettingsRules, EveryBoundEditNamesAStoredField) {
    testsupport::ScopedSettingsHome home;
    engine::ConversionSettings settings;
    for (UINT id = 1100; id < 1200; ++id) {
        if (const app::EditBinding* binding = app::FindEditBinding(id)) {
            EXPECT_TRUE(app::StoreEditText(settings, *binding, L"7")) << binding->setting;
        }
    }
    EXPECT_EQ(settings.MearginLeft, 7);
    EXPECT_EQ(settings.PDFKeywords, L"7");
    EXPECT_EQ(app::FindEditBinding(app::kImageMaxXEdit), nullptr) << "stored as a pair";
}

// ---- The dialog -----------------------------------------------------------------------------

// The desktop's dialogs, the context-menu switch and the restart, answered by the test.
struct FakeDesktop {
    std::optional<std::wstring> folder;
    std::optional<std::wstring> file;
    std::optional<COLORREF> colour;
    std::wstring folderTitle;
    COLORREF offeredColour = 0xFFFFFFFF;
    std::vector<bool> switches;
    int restarts = 0;
    bool restartStarts = true;

    app::SettingsServices Services() {
        app::SettingsServices services;
        services.chooseFolder = [this](QWidget*, const std::wstring& title) {
            folderTitle = title;
            return folder;
        };
        services.chooseFile = [this](QWidget*) { return file; };
        services.chooseColor = [this](QWidget*, COLORREF initial) {
            offeredColour = initial;
            return colour;
        };
        services.switchContextMenu = [this](bool on) { switches.push_back(on); };
        services.restartProgram = [this] {
            ++restarts;
            return restartStarts;
        };
        return services;
    }
};

QPoint CentreOf(const CUIObject& object) {
    RECT rect;
    object.GetWndRect(&rect);
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

QRect RectOf(const CUIObject& object) {
    RECT rect;
    object.GetRect(&rect);
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

class SettingsDialogTest : public apptest::ConversionTest {
protected:
    ~SettingsDialogTest() override { ChangeCurrentLanguage(L"English"); }

    std::unique_ptr<CSettingsDialog> Open() {
        auto dialog = std::make_unique<CSettingsDialog>(*app_, nullptr, desktop_.Services());
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    static void Click(CSettingsDialog& dialog, QPoint at) {
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, at);
    }

    static void ClickTab(CSettingsDialog& dialog, int index) {
        CUITab& tab = dialog.Pages().Tab();
        RECT strip;
        tab.GetWndRect(&strip);
        const CRect item = tab.GetItemRect(index);
        Click(dialog, QPoint(strip.left + (item.left + item.right) / 2,
                             strip.top + (item.top + item.bottom) / 2));
    }

    // A place on the current page where no control lies: its bottom-right corner.
    static void ClickElsewhere(CSettingsDialog& dialog) {
        RECT page;
        dialog.Pages().Page(dialog.Pages().CurrentPage()).GetWndRect(&page);
        Click(dialog, QPoint(page.right - 5, page.bottom - 5));
    }

    // Opens edit id with a click, types text over its selected text and clicks elsewhere.
    static void Type(CSettingsDialog& dialog, UINT id, const QString& text) {
        CUIEdit* edit = dialog.Pages().Edit(id);
        ASSERT_NE(edit, nullptr);
        Click(dialog, CentreOf(*edit));
        ASSERT_NE(edit->GetEditControl(), nullptr);
        QTest::keyClicks(edit->GetEditControl(), text);
        ClickElsewhere(dialog);
    }

    static void SetEditText(CSettingsDialog& dialog, UINT id, const std::wstring& text) {
        dialog.Pages().Edit(id)->SetText(text.c_str(), 1);
    }

    static std::optional<uint32_t> StoredNumber(const wchar_t* name) {
        return platform::RegReadDWord(platform::HKEY_CURRENT_USER, kKey, name);
    }
    static std::optional<std::wstring> StoredText(const wchar_t* name) {
        return platform::RegReadString(platform::HKEY_CURRENT_USER, kKey, name);
    }
    // Changes the store behind the settings record's back, to see whether the dialog writes.
    static void OverwriteStored(const wchar_t* name, uint32_t value) {
        platform::RegWriteDWord(platform::HKEY_CURRENT_USER, kKey, name, value);
    }

    engine::ConversionSettings& settings() { return app_->Settings(); }

    FakeDesktop desktop_;
};

TEST_F(SettingsDialogTest, ATypedNumberIsWrittenOnceWhenEditingEnds) {
    auto dialog = Open();
    ClickTab(*dialog, 2);
    ASSERT_EQ(dialog->Pages().CurrentPage(), 2);
    Type(*dialog, app::kJpegQualityEdit, QStringLiteral("150"));
    EXPECT_EQ(settings().JpepPercent, 150);
    EXPECT_EQ(StoredNumber(L"JpepPercent"), 150u);

    OverwriteStored(L"JpepPercent", 99);
    Click(*dialog, CentreOf(*dialog->Pages().Edit(app::kJpegQualityEdit)));
    ClickElsewhere(*dialog);
    SetEditText(*dialog, app::kJpegQualityEdit, L"150");
    EXPECT_EQ(StoredNumber(L"JpepPercent"), 99u) << "an unchanged value is not written again";
}

TEST_F(SettingsDialogTest, TextsIgnoreAChangeOfLetterCaseOnly) {
    settings().SetPDFTitle(L"abc");
    auto dialog = Open();
    EXPECT_EQ(dialog->Pages().Edit(app::kTitleEdit)->GetText(), L"abc");
    SetEditText(*dialog, app::kTitleEdit, L"ABC");
    EXPECT_EQ(settings().PDFTitle, L"abc");
    EXPECT_EQ(StoredText(L"PDFTitle"), L"abc");
    SetEditText(*dialog, app::kTitleEdit, L"abd");
    EXPECT_EQ(StoredText(L"PDFTitle"), L"abd");
    SetEditText(*dialog, app::kWaterTextEdit, L"%FileName%");
    EXPECT_EQ(StoredText(L"WaterText"), L"%FileName%");
}

TEST_F(SettingsDialogTest, NumberEditsIgnoreMinusOneAndStoreZeroForText) {
    settings().SetNumber(L"WaterPosX", 40);
    settings().SetImageMax(800, 600);
    auto dialog = Open();
    SetEditText(*dialog, app::kWaterPosXEdit, L"-1");
    EXPECT_EQ(settings().WaterPosX, 40);
    SetEditText(*dialog, app::kWaterPosXEdit, L"abc");
    EXPECT_EQ(StoredNumber(L"WaterPosX"), 0u);
    SetEditText(*dialog, app::kWaterPosXEdit, L"99999999999");
    EXPECT_EQ(StoredNumber(L"WaterPosX"), static_cast<uint32_t>(INT32_MAX));
    SetEditText(*dialog, app::kMarginTopEdit, L"36");
    EXPECT_EQ(StoredNumber(L"MearginTop"), 36u);

    // The two size limits go together; -1 in one leaves that one as it was.
    SetEditText(*dialog, app::kImageMaxYEdit, L"-1");
    SetEditText(*dialog, app::kImageMaxXEdit, L"1024");
    EXPECT_EQ(StoredNumber(L"ImageMaxX"), 1024u);
    EXPECT_EQ(settings().ImageMaxY, 600);
    SetEditText(*dialog, app::kImageMaxYEdit, L"");
    EXPECT_EQ(StoredNumber(L"ImageMaxY"), 0u);
}

TEST_F(SettingsDialogTest, TheFontSizeEditChangesTheLowestByteOnly) {
    auto dialog = Open();
    EXPECT_EQ(dialog->Pages().Edit(app::kWaterFontSizeEdit)->GetText(), L"20");
    SetEditText(*dialog, app::kWaterFontSizeEdit, L"300");
    EXPECT_EQ(StoredNumber(L"WaterFontSize"), 44u);
    SetEditText(*dialog, app::kWaterFontSizeEdit, L"255");
    EXPECT_EQ(settings().WaterFontSize, 44);
    SetEditText(*dialog, app::kWaterFontSizeEdit, L"-1");
    EXPECT_EQ(StoredNumber(L"WaterFontSize"), 44u);

    settings().SetWaterFontSize(0x0214);
    auto second = Open();
    EXPECT_EQ(second->Pages().Edit(app::kWaterFontSizeEdit)->GetText(), L"20");
    SetEditText(*second, app::kWaterFontSizeEdit, L"300");
    EXPECT_EQ(StoredNumber(L"WaterFontSize"), 0x022Cu);
}

TEST_F(SettingsDialogTest, ChecksAndChoicesAreStoredAsTheyChange) {
    auto dialog = Open();
    app::SettingsPages& pages = dialog->Pages();
    pages.Button(app::kBookmarkCheck)->SetCheck(0);
    EXPECT_EQ(StoredNumber(L"CreateBookmark"), 0u);
    pages.Button(app::kRotatePageCheck)->SetCheck(1);
    EXPECT_EQ(StoredNumber(L"RotatePage"), 1u);
    pages.ChoiceList(app::kImageEncodeList)->SetSelectItem(3);
    EXPECT_EQ(StoredNumber(L"ImageEncode"), 3u);
    pages.ChoiceList(app::kDefaultEncodeList)->SetSelectItem(2);
    EXPECT_EQ(StoredNumber(L"DefaultImageEncode"), 3u) << "the list starts at JPEG, 1";
    pages.ChoiceList(app::kPageSizeList)->SetSelectItem(4);
    EXPECT_EQ(settings().GetPageFormat(), engine::PageFormat::kA4);
    EXPECT_EQ(StoredNumber(L"PageSize"), 4u);
}

TEST_F(SettingsDialogTest, TheAdsBoxShowsAndHidesTheBannerAtOnce) {
    std::vector<bool> banner;
    settings().SetBannerObserver([&](bool shown) { banner.push_back(shown); });
    auto dialog = Open();
    Click(*dialog, CentreOf(*dialog->Pages().Button(app::kShowAdCheck)));
    EXPECT_EQ(banner, std::vector<bool>{false});
    EXPECT_EQ(StoredNumber(L"ShowAD"), 0u);
    Click(*dialog, CentreOf(*dialog->Pages().Button(app::kShowAdCheck)));
    EXPECT_EQ(banner, (std::vector<bool>{false, true}));
    settings().SetBannerObserver(nullptr);
}

TEST_F(SettingsDialogTest, ClearingTheMenuBoxUnregistersAndStoresZeroEvenIfNeverRegistered) {
    settings().SetNumber(L"CheckRightMenu", 1);
    auto dialog = Open();
    CUIButton& box = *dialog->Pages().Button(app::kContextMenuCheck);
    EXPECT_EQ(box.GetCheck(), 1);
    Click(*dialog, CentreOf(box));
    EXPECT_EQ(desktop_.switches, std::vector<bool>{false});
    EXPECT_EQ(StoredNumber(L"CheckRightMenu"), 0u);
}

// The check box against the real registration tool, for the current user, in a temporary
// data folder: the Nautilus script is the last thing registration writes.
TEST_F(SettingsDialogTest, TheMenuBoxRegistersTheEntryWithTheRealTool) {
    testsupport::TempDir data;
    const bool hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.path().string()));
    const fs::path script = data.path() / "nautilus/scripts/Convert images into PDF";
    app::SettingsServices services = desktop_.Services();
    services.switchContextMenu = [](bool on) {
        using shellext::RegistrationAction;
        shellext::StartExtensionRegistration(
            on ? RegistrationAction::kRegister : RegistrationAction::kUnregister,
            shellext::RegistrationScope::kCurrentUser, PROGRAM_FOLDER);
    };
    CSettingsDialog dialog(*app_, nullptr, services);
    CUIButton& box = *dialog.Pages().Button(app::kContextMenuCheck);
    box.SetCheck(1);
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(script); }));
    EXPECT_EQ(StoredNumber(L"CheckRightMenu"), 1u);
    box.SetCheck(0);
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(script); }));
    EXPECT_EQ(StoredNumber(L"CheckRightMenu"), 0u);
    if (hadDataHome) {
        qputenv("XDG_DATA_HOME", dataHome);
    } else {
        qunsetenv("XDG_DATA_HOME");
    }
}

TEST_F(SettingsDialogTest, BrowseButtonsFillTheirEditsWhichStoreThem) {
    const std::wstring folder = Wide(dir_ / "elsewhere");
    desktop_.folder = folder;
    desktop_.file = Wide(dir_ / "mark.png");
    auto dialog = Open();
    app::SettingsPages& pages = dialog->Pages();
    Click(*dialog, CentreOf(*pages.Button(app::kOutputFolderBrowse)));
    EXPECT_EQ(desktop_.folderTitle, app::Text(L"100015"));
    EXPECT_EQ(pages.Edit(app::kOutputFolderEdit)->GetText(), folder);
    EXPECT_EQ(StoredText(L"PDFPath"), folder);
    EXPECT_EQ(settings().GetOutputFolder(), folder);

    ClickTab(*dialog, 3);
    Click(*dialog, CentreOf(*pages.Button(app::kWaterImageBrowse)));
    EXPECT_EQ(StoredText(L"WaterImage"), desktop_.file);

    desktop_.file.reset();  // Cancel
    Click(*dialog, CentreOf(*pages.Button(app::kWaterImageBrowse)));
    EXPECT_EQ(pages.Edit(app::kWaterImageEdit)->GetText(), Wide(dir_ / "mark.png"));
}

TEST_F(SettingsDialogTest, TheSwatchTakesTheChosenColour) {
    settings().SetNumber(L"WaterColor", 0x123456);
    auto dialog = Open();
    ClickTab(*dialog, 3);
    CUIButton& swatch = *dialog->Pages().Button(app::kWaterColorSwatch);
    EXPECT_EQ(swatch.GetBtStyle(), UIBS_COLOR);
    Click(*dialog, CentreOf(swatch));
    EXPECT_EQ(desktop_.offeredColour, 0x123456u);
    EXPECT_EQ(StoredNumber(L"WaterColor"), 0x123456u) << "Cancel changes nothing";
    desktop_.colour = 0x0000FF;
    Click(*dialog, CentreOf(swatch));
    EXPECT_EQ(StoredNumber(L"WaterColor"), 0x0000FFu);
    EXPECT_TRUE(apptest::SaveScreenshot(*dialog, "settings-watermark-red-swatch.png"));
}

// ---- Language -------------------------------------------------------------------------------

TEST_F(SettingsDialogTest, TheCurrentLanguageAgainDoesNothing) {
    auto dialog = Open();
    CUIComboBox& list = *dialog->Pages().ChoiceList(app::kLanguageList);
    EXPECT_EQ(list.GetSelectString(), L"English");
    apptest::ModalAnswerer answerer(QMessageBox::Yes);
    SendMessage(dialog->GetSafeHwnd(), WM_UI_CHANGED, app::kLanguageList, UI_CHANGED_SELECTION);
    WaitUntil([] { return false; }, 100);
    EXPECT_TRUE(answerer.boxTexts.empty());
    EXPECT_EQ(desktop_.restarts, 0);
    EXPECT_FALSE(dialog->IsRestartRequested());
}

TEST_F(SettingsDialogTest, AnotherLanguageAnsweredNoKeepsTheDialogOpen) {
    auto dialog = Open();
    CUIComboBox& list = *dialog->Pages().ChoiceList(app::kLanguageList);
    apptest::ModalAnswerer answerer(QMessageBox::No);
    int result = -1;
    QTimer::singleShot(0, [&] {
        list.SetSelectItem(1);
        EXPECT_TRUE(dialog->isVisible());
        dialog->Close();
    });
    result = dialog->DoModal();
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(answerer.boxTexts.size(), 1u);
    // Asked in the new language; the box shows line breaks without carriage returns.
    EXPECT_EQ(answerer.boxTexts[0], QString::fromStdWString(app::Text(L"100024"))
                                        .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(std::wstring(GetCurrentLanguage()), L"简体中文");
    EXPECT_EQ(desktop_.restarts, 0);
    EXPECT_FALSE(dialog->IsRestartRequested());
}

TEST_F(SettingsDialogTest, AnotherLanguageAnsweredYesRestartsAndClosesTheMainWindow) {
    CFolioforgeDlg window(*app_, {});
    window.SettingsDialogServices() = desktop_.Services();
    window.show();
    apptest::ModalAnswerer answerer(QMessageBox::Yes);
    QTimer::singleShot(100, [&] {
        auto* dialog = dynamic_cast<CSettingsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Pages().ChoiceList(app::kLanguageList)->SetSelectItem(1);
    });
    const HWND hwnd = window.GetSafeHwnd();
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(CFolioforgeDlg::kSettingsButton, UI_COMMAND_TAG), 0);
    EXPECT_EQ(desktop_.restarts, 1);
    EXPECT_EQ(answerer.boxTexts.size(), 1u);
    EXPECT_FALSE(IsWindow(hwnd)) << "the main window ends after the restart";
}

TEST_F(SettingsDialogTest, ARestartThatCannotStartStillClosesTheDialog) {
    desktop_.restartStarts = false;
    CSettingsDialog dialog(*app_, nullptr, desktop_.Services());
    apptest::ModalAnswerer answerer(QMessageBox::Yes);
    QTimer::singleShot(50,
                       [&] { dialog.Pages().ChoiceList(app::kLanguageList)->SetSelectItem(1); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(desktop_.restarts, 1);
    EXPECT_TRUE(dialog.IsRestartRequested());
}

// ---- Opening and closing --------------------------------------------------------------------

TEST_F(SettingsDialogTest, TheMainMenuOpensItAndCloseEscapeAndTheCaptionCloseIt) {
    CFolioforgeDlg window(*app_, {});
    window.SettingsDialogServices() = desktop_.Services();
    window.show();
    bool seen = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = dynamic_cast<CSettingsDialog*>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (dialog) {
            Click(*dialog, CentreOf(dialog->Pages().CloseButton()));
        }
    });
    window.MainMenuItem(1);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(IsWindow(window.GetSafeHwnd()));

    CSettingsDialog dialog(*app_, nullptr, desktop_.Services());
    QTimer::singleShot(50, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    QTimer::singleShot(50, [&] { SendMessage(dialog.GetSafeHwnd(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.IsRestartRequested());
}

TEST_F(SettingsDialogTest, ClosingWhileEditingKeepsWhatWasTyped) {
    for (const bool byEscape : {true, false}) {
        CSettingsDialog dialog(*app_, nullptr, desktop_.Services());
        QTimer::singleShot(50, [&] {
            ClickTab(dialog, 4);
            CUIEdit& edit = *dialog.Pages().Edit(app::kMarginTopEdit);
            Click(dialog, CentreOf(edit));
            QTest::keyClicks(edit.GetEditControl(),
                             byEscape ? QStringLiteral("12") : QStringLiteral("34"));
            if (byEscape) {
                QTest::keyClick(edit.GetEditControl(), Qt::Key_Escape);
            } else {
                Click(dialog, CentreOf(dialog.Pages().CloseButton()));
            }
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(StoredNumber(L"MearginTop"), byEscape ? 12u : 34u);
    }
}

TEST_F(SettingsDialogTest, EveryChangeIsCountedAsAUsageEvent) {
    testsupport::RecorddProcess server(dir_.path());
    desktop_.colour = 0xFF00;
    auto dialog = Open();
    app::SettingsPages& pages = dialog->Pages();
    SetEditText(*dialog, app::kJpegQualityEdit, L"150");
    SetEditText(*dialog, app::kImageMaxXEdit, L"640");
    pages.Button(app::kContextMenuCheck)->SetCheck(1);
    pages.Button(app::kRotatePageCheck)->SetCheck(1);
    pages.ChoiceList(app::kDefaultEncodeList)->SetSelectItem(1);
    ClickTab(*dialog, 3);
    Click(*dialog, CentreOf(*pages.Button(app::kWaterColorSwatch)));
    ASSERT_EQ(SubmitRecord(server.wideUrl("/record.php").c_str()), 1);
    const auto documents = server.Query("SELECT document FROM submissions");
    ASSERT_EQ(documents.size(), 1u);
    for (const std::wstring info :
         {L"属性页,0", L"属性页,3", L"JPEG%,150", L"ID_ED_IMAGE_MAX_X,640 ID_ED_IMAGE_MAX_Y,0",
          L"系统菜单,打开", L"旋转页面, 1", L"默认压缩,2", L"水印色,ff00"}) {
        const std::string utf8 = platform::ToUtf8(info);
        char* encoded = Base64Encode(reinterpret_cast<const unsigned char*>(utf8.data()),
                                     static_cast<int>(utf8.size()), nullptr);
        EXPECT_NE(documents[0].find(std::string("\"info\":\"") + encoded + "\""), std::string::npos)
            << platform::ToUtf8(info);
        Base64ReleaseBuffer(encoded);
    }
}

// ---- What the pages show --------------------------------------------------------------------

TEST_F(SettingsDialogTest, EveryPageShowsTheStoredValues) {
    const auto number = [](const wchar_t* name, uint32_t value) { OverwriteStored(name, value); };
    const auto text = [](const wchar_t* name, const wchar_t* value) {
        platform::RegWriteString(platform::HKEY_CURRENT_USER, kKey, name, value);
    };
    text(L"PDFPath", L"/tmp/out put");
    number(L"CheckRightMenu", 1);
    number(L"CreateBookmark", 0);
    number(L"ShowAD", 0);
    text(L"PDFTitle", L"Title");
    text(L"PDFSubject", L"Subject");
    text(L"PDFAuthor", L"Author");
    text(L"PDFCreator", L"Creator");
    text(L"PDFKeywords", L"Keywords");
    number(L"ImageEncode", 2);
    number(L"JpepPercent", 85);
    number(L"DefaultImageEncode", 3);
    number(L"ImageMaxX", 1600);
    number(L"ImageMaxY", 1200);
    number(L"DPI", 300);
    text(L"WaterText", L"Draft");
    number(L"WaterColor", 0xFF);
    number(L"WaterFontSize", 0x0118);
    number(L"WaterPosX", 11);
    number(L"WaterPosY", 12);
    text(L"WaterImage", L"/tmp/mark.png");
    number(L"WaterImageOpacity", 50);
    number(L"WaterImageX", 13);
    number(L"WaterImageY", 14);
    number(L"PageSize", 8);
    number(L"RotatePage", 1);
    number(L"MearginTop", 15);
    number(L"MearginLeft", 16);
    settings().LoadSettings();

    auto dialog = Open();
    app::SettingsPages& pages = dialog->Pages();
    const auto edit = [&](UINT id) { return pages.Edit(id)->GetText(); };
    const auto check = [&](UINT id) { return pages.Button(id)->GetCheck(); };
    const auto choice = [&](UINT id) { return pages.ChoiceList(id)->GetSelectString(); };
    EXPECT_EQ(edit(app::kOutputFolderEdit), L"/tmp/out put");
    EXPECT_EQ(check(app::kContextMenuCheck), 1);
    EXPECT_EQ(check(app::kBookmarkCheck), 0);
    EXPECT_EQ(check(app::kShowAdCheck), 0);
    EXPECT_EQ(choice(app::kLanguageList), L"English");
    EXPECT_EQ(edit(app::kTitleEdit), L"Title");
    EXPECT_EQ(edit(app::kSubjectEdit), L"Subject");
    EXPECT_EQ(edit(app::kAuthorEdit), L"Author");
    EXPECT_EQ(edit(app::kCreatorEdit), L"Creator");
    EXPECT_EQ(edit(app::kKeywordsEdit), L"Keywords");
    EXPECT_EQ(choice(app::kImageEncodeList), app::Text(L"201306"));
    EXPECT_EQ(edit(app::kJpegQualityEdit), L"85");
    EXPECT_EQ(choice(app::kDefaultEncodeList), app::Text(L"201307"));
    EXPECT_EQ(edit(app::kImageMaxXEdit), L"1600");
    EXPECT_EQ(edit(app::kImageMaxYEdit), L"1200");
    EXPECT_EQ(edit(app::kDpiEdit), L"300");
    EXPECT_EQ(edit(app::kWaterTextEdit), L"Draft");
    EXPECT_EQ(edit(app::kWaterFontSizeEdit), L"24");
    EXPECT_EQ(edit(app::kWaterPosXEdit), L"11");
    EXPECT_EQ(edit(app::kWaterPosYEdit), L"12");
    EXPECT_EQ(edit(app::kWaterImageEdit), L"/tmp/mark.png");
    EXPECT_EQ(edit(app::kWaterOpacityEdit), L"50");
    EXPECT_EQ(edit(app::kWaterImageXEdit), L"13");
    EXPECT_EQ(edit(app::kWaterImageYEdit), L"14");
    EXPECT_EQ(choice(app::kPageSizeList), L"letter");
    EXPECT_EQ(check(app::kRotatePageCheck), 1);
    EXPECT_EQ(edit(app::kMarginTopEdit), L"15");
    EXPECT_EQ(edit(app::kMarginLeftEdit), L"16");
    EXPECT_EQ(GetWindowText(dialog->GetSafeHwnd()), app::Text(L"200004"));
}

TEST_F(SettingsDialogTest, KeyControlsSitWhereTheLayoutPutsThem) {
    auto dialog = Open();
    app::SettingsPages& pages = dialog->Pages();
    const int width = app::SettingsPages::kDialogWidth;
    const int height = app::SettingsPages::kDialogHeight;
    EXPECT_EQ(dialog->size(), QSize(width, height));
    EXPECT_EQ(RectOf(pages.Tab()), QRect(10, 30, width - 20, 22));
    EXPECT_EQ(RectOf(pages.CloseButton()), QRect(width - 60, height - 32, 50, 22));
    EXPECT_EQ(RectOf(pages.Page(3)), QRect(10, 52, width - 20, height - 42 - 52));
    const int pageWidth = width - 20;
    EXPECT_EQ(RectOf(*pages.Edit(app::kOutputFolderEdit)), QRect(135, 10, 350, 22));
    EXPECT_EQ(RectOf(*pages.Button(app::kOutputFolderBrowse)),
              QRect(490, 10, pageWidth - 10 - 490, 20));
    EXPECT_EQ(RectOf(*pages.Button(app::kContextMenuCheck)), QRect(10, 74, pageWidth - 20, 20));
    EXPECT_EQ(RectOf(*pages.Button(app::kShowAdCheck)).top(), 134);
    EXPECT_EQ(RectOf(*pages.Edit(app::kKeywordsEdit)), QRect(115, 138, pageWidth - 125, 22));
    EXPECT_EQ(RectOf(*pages.Edit(app::kDpiEdit)), QRect(170, 170, 100, 22));
    EXPECT_EQ(RectOf(*pages.Button(app::kWaterColorSwatch)), QRect(330, 10, 22, 22));
    EXPECT_EQ(RectOf(*pages.Edit(app::kWaterImageYEdit)), QRect(120, 234, 100, 22));
    EXPECT_EQ(RectOf(*pages.Button(app::kRotatePageCheck)), QRect(120, 42, pageWidth - 130, 20));
    EXPECT_EQ(RectOf(*pages.Edit(app::kMarginLeftEdit)), QRect(120, 114, 100, 22));
    RECT page;
    pages.Page(3).GetClientRect(&page);
    EXPECT_LE(RectOf(*pages.Edit(app::kWaterImageYEdit)).bottom() + 10, page.bottom)
        << "the last watermark row fits its page";
}

// Saves build/artefacts/settings-<language>-<index>-<page>.png for every page.
TEST_F(SettingsDialogTest, TabsShowOnePageAtATimeInEveryLanguage) {
    const char* names[] = {"general", "document", "images", "watermark", "page"};
    for (const auto& [language, tag] :
         {std::pair{L"English", "en"}, std::pair{L"简体中文", "zh"}}) {
        ASSERT_EQ(ChangeCurrentLanguage(language), 1);
        auto dialog = Open();
        app::SettingsPages& pages = dialog->Pages();
        for (int index = 0; index < app::SettingsPages::kPageCount; ++index) {
            ClickTab(*dialog, index);
            EXPECT_EQ(pages.CurrentPage(), index);
            for (int other = 0; other < app::SettingsPages::kPageCount; ++other) {
                EXPECT_EQ(pages.Page(other).IsVisible() != 0, other == index);
            }
            QApplication::processEvents();
            EXPECT_TRUE(apptest::SaveScreenshot(*dialog, std::string("settings-") + tag + "-" +
                                                             std::to_string(index) + "-" +
                                                             names[index] + ".png"));
        }
    }
}

// ---- The real program on a real X server ----------------------------------------------------

// Where the script below clicks, in the dialog's coordinates, taken from a dialog laid out here
// with the same fonts.
struct DialogSpots {
    QPoint generalTab, imagesTab, jpegQuality, elsewhere, menuBox, close;
};

QString Spot(QPoint point) {
    return QStringLiteral("%1 %2").arg(point.x()).arg(point.y());
}

// Opens the dialog with the Settings button (60 x 60 at 150, 30 in the main window), ticks the
// context-menu box, types 77 into the JPEG quality, clicks elsewhere, goes back to the first page
// and closes the dialog; fails when it is still there afterwards.
QString SmokeScript(const DialogSpots& at) {
    return QStringLiteral(
               "set -e\n"
               "\"$0\" & program=$!\n"
               "main=$(xdotool search --sync --onlyvisible --name '^Folioforge$' | head -1)\n"
               "sleep 1; xdotool mousemove --window $main 180 60 click 1\n"
               "dialog=$(xdotool search --sync --onlyvisible --name '^%1$' | head -1)\n"
               "click() { sleep 1; xdotool mousemove --window $dialog $1 $2 click 1; }\n"
               "click %2; click %3; click %4; sleep 0.5; xdotool type --delay 50 77\n"
               "click %5; click %6; click %7; sleep 1\n"
               "if xdotool search --onlyvisible --name '^%1$'; then exit 3; fi\n"
               "kill $program; wait $program || true\n")
        .arg(QString::fromStdWString(app::Text(L"200004")), Spot(at.menuBox), Spot(at.imagesTab),
             Spot(at.jpegQuality), Spot(at.elsewhere), Spot(at.generalTab), Spot(at.close));
}

TEST_F(SettingsDialogTest, TheRealProgramStoresWhatIsTypedInItsSettings) {
    for (const char* tool : {"xvfb-run", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    DialogSpots spots;
    {
        CSettingsDialog dialog(*app_, nullptr, desktop_.Services());
        app::SettingsPages& pages = dialog.Pages();
        RECT strip;
        pages.Tab().GetWndRect(&strip);
        const auto tab = [&](int index) {
            const CRect item = pages.Tab().GetItemRect(index);
            return QPoint(strip.left + (item.left + item.right) / 2, strip.top + item.Height() / 2);
        };
        pages.ShowPage(2);
        spots = {tab(0),
                 tab(2),
                 CentreOf(*pages.Edit(app::kJpegQualityEdit)),
                 QPoint(app::SettingsPages::kDialogWidth - 30, 300),
                 CentreOf(*pages.Button(app::kContextMenuCheck)),
                 CentreOf(pages.CloseButton())};
    }
    testsupport::TempDir data;
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("FOLIOFORGE_SERVER"), QStringLiteral("http://127.0.0.1:9"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(data.path()));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    const QString display = QString::number(300 + (getpid() + 17) % 600);
    run.start(QStringLiteral("xvfb-run"),
              {QStringLiteral("-a"), QStringLiteral("-n"), display, QStringLiteral("sh"),
               QStringLiteral("-c"), SmokeScript(spots), QStringLiteral(FOLIOFORGE_PROGRAM)});
    ASSERT_TRUE(run.waitForFinished(90000)) << run.readAll().toStdString();
    EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    EXPECT_EQ(StoredNumber(L"JpepPercent"), 77u);
    EXPECT_EQ(StoredNumber(L"CheckRightMenu"), 1u);
    const fs::path script = data.path() / "nautilus/scripts/Convert images into PDF";
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(script); })) << "registered for this user";
}

}  // namespace
