#include "settings_dialog.h"

#include <cwchar>

#include "basalt/basalt.h"
#include "folioforge_app.h"
#include "message_boxes.h"
#include "platform/text.h"
#include "settings_bindings.h"
#include "settings_rules.h"
#include "texts.h"

namespace {

constexpr int kUsageSettings = 102;

void RecordUsage(const std::wstring& text) {
    Record(kUsageSettings, text.c_str());
}

std::wstring HexText(COLORREF colour) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%x", colour);
    return text;
}

}  // namespace

CSettingsDialog::CSettingsDialog(CFolioforgeApp& app, QWidget* owner,
                                 app::SettingsServices services)
    : CProgramDialog(app, owner,
                     QSize(app::SettingsPages::kDialogWidth, app::SettingsPages::kDialogHeight),
                     app::Text(L"200004")),
      services_(std::move(services)) {
    pages_.Build(root_, app_.Settings());
    AttachSkin();
    SelectPage(0);
}

int CSettingsDialog::DoModal() {
    return RunModal();
}

void CSettingsDialog::Close() {
    EndDialog(IDCANCEL);
}

void CSettingsDialog::SelectPage(int index) {
    if (index < 0 || index >= app::SettingsPages::kPageCount) {
        return;
    }
    RecordUsage(L"属性页," + std::to_wstring(index));
    pages_.ShowPage(index);
}

void CSettingsDialog::OnCommand(UINT id) {
    switch (id) {
        case app::kSettingsClose:
            Close();
            break;
        case app::kSettingsTab:
            SelectPage(pages_.Tab().GetHotIndex());
            break;
        case app::kOutputFolderBrowse:
            BrowseOutputFolder();
            break;
        case app::kWaterImageBrowse:
            BrowseWatermarkImage();
            break;
        case app::kWaterColorSwatch:
            ChooseWatermarkColor();
            break;
        default:
            break;
    }
}

void CSettingsDialog::OnChanged(UINT id, LPARAM what) {
    if (what == UI_CHANGED_TEXT && pages_.Edit(id) != nullptr) {
        OnTextChanged(id);
    } else if (what == UI_CHANGED_CHECK && pages_.Button(id) != nullptr) {
        OnCheckChanged(id, pages_.Button(id)->GetCheck());
    } else if (what == UI_CHANGED_SELECTION && pages_.ChoiceList(id) != nullptr) {
        OnChoiceChanged(id, static_cast<int>(pages_.ChoiceList(id)->GetSelectItem()));
    }
}

void CSettingsDialog::OnTextChanged(UINT id) {
    if (id == app::kImageMaxXEdit || id == app::kImageMaxYEdit) {
        StoreImageMax();
        return;
    }
    const app::EditBinding* binding = app::FindEditBinding(id);
    if (binding == nullptr) {
        return;
    }
    const std::wstring text = pages_.Edit(id)->GetText();
    RecordUsage(app::Substituted(binding->usage, text));
    app::StoreEditText(app_.Settings(), *binding, text);
}

void CSettingsDialog::StoreImageMax() {
    const std::wstring x = pages_.Edit(app::kImageMaxXEdit)->GetText();
    const std::wstring y = pages_.Edit(app::kImageMaxYEdit)->GetText();
    RecordUsage(L"ID_ED_IMAGE_MAX_X," + x + L" ID_ED_IMAGE_MAX_Y," + y);
    app_.Settings().SetImageMax(app::NumberOfText(x), app::NumberOfText(y));
}

void CSettingsDialog::OnCheckChanged(UINT id, int check) {
    engine::ConversionSettings& settings = app_.Settings();
    const bool on = check != 0;
    switch (id) {
        case app::kContextMenuCheck:
            RecordUsage(on ? L"系统菜单,打开" : L"系统菜单,关闭");
            services_.switchContextMenu(on);
            settings.SetNumber(L"CheckRightMenu", on ? 1 : 0);
            break;
        case app::kBookmarkCheck:
            RecordUsage(on ? L"添加书签" : L"添加书签,关闭");
            settings.SetNumber(L"CreateBookmark", on ? 1 : 0);
            break;
        case app::kShowAdCheck:
            RecordUsage(on ? L"显示广告" : L"显示广告,关闭");
            settings.SetShowAD(on ? 1 : 0);
            break;
        case app::kRotatePageCheck:
            RecordUsage(L"旋转页面, " + std::to_wstring(check));
            settings.SetRotatePage(check);
            break;
        default:
            break;
    }
}

void CSettingsDialog::OnChoiceChanged(UINT id, int index) {
    engine::ConversionSettings& settings = app_.Settings();
    switch (id) {
        case app::kImageEncodeList:
            RecordUsage(L"图片压缩," + std::to_wstring(index));
            settings.SetNumber(L"ImageEncode", index);
            break;
        case app::kDefaultEncodeList:
            RecordUsage(L"默认压缩," + std::to_wstring(index + 1));
            settings.SetNumber(L"DefaultImageEncode", index + 1);
            break;
        case app::kPageSizeList:
            RecordUsage(L"页面大小," + std::to_wstring(index));
            settings.SetPageSize(static_cast<engine::PageFormat>(index));
            break;
        case app::kLanguageList:
            ChangeLanguage(pages_.ChoiceList(id)->GetSelectString());
            break;
        default:
            break;
    }
}

void CSettingsDialog::ChangeLanguage(const std::wstring& name) {
    const wchar_t* current = GetCurrentLanguage();
    if (platform::EqualsIgnoreCase(name, current != nullptr ? current : L"")) {
        return;
    }
    RecordUsage(L"语言," + name);
    ChangeCurrentLanguage(name.c_str());
    if (!app::AskYesNo(this, app::Text(L"200001"), app::Text(L"100024"))) {
        return;  // the new language takes effect at the next start
    }
    // Whether or not the new instance starts, this one ends.
    services_.restartProgram();
    RecordUsage(L"修改语言重启");
    restartRequested_ = true;
    EndDialog(IDOK);
}

void CSettingsDialog::BrowseOutputFolder() {
    if (const auto folder = services_.chooseFolder(this, app::Text(L"100015"))) {
        pages_.Edit(app::kOutputFolderEdit)->SetText(folder->c_str(), 1);
    }
}

void CSettingsDialog::BrowseWatermarkImage() {
    if (const auto file = services_.chooseFile(this)) {
        pages_.Edit(app::kWaterImageEdit)->SetText(file->c_str(), 1);
    }
}

void CSettingsDialog::ChooseWatermarkColor() {
    engine::ConversionSettings& settings = app_.Settings();
    const auto colour = services_.chooseColor(this, static_cast<COLORREF>(settings.WaterColor));
    if (!colour) {
        return;
    }
    RecordUsage(L"水印色," + HexText(*colour));
    pages_.Button(app::kWaterColorSwatch)->SetColor(*colour);
    settings.SetNumber(L"WaterColor", static_cast<int32_t>(*colour));
}

LRESULT CSettingsDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_UI_CHANGED:
            OnChanged(static_cast<UINT>(wParam), lParam);
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                Close();
            }
            return 0;
        default:
            return CHostWindow::WindowProc(msg, wParam, lParam);
    }
}
