#include "folioforge_app.h"

#include <QApplication>

#include "background_image.h"
#include "command_line.h"
#include "folioforge_dlg.h"
#include "list/drop_list_ctrl.h"
#include "platform/file_io.h"
#include "platform/registry.h"

namespace {

// Stored paths are read up to this many characters.
constexpr size_t kStoredPathLimit = 259;

}  // namespace

// The host's common-control initialisation and ActiveX hosting have no counterpart here: Qt
// needs neither. Nor does the message filter for drops from unelevated file managers, since
// desktop sessions on Linux have no such privilege levels.
CFolioforgeApp::CFolioforgeApp() : background_(app::kDefaultBackground) {
    settings_.LoadSettings();
    LoadStoredBackground();
}

void CFolioforgeApp::LoadStoredBackground() {
    std::optional<std::wstring> stored = platform::RegReadString(
        settings_.registryRoot, settings_.registryKey, app::kBackgroundValue);
    if (!stored) {
        return;
    }
    if (stored->size() > kStoredPathLimit) {
        stored->resize(kStoredPathLimit);
    }
    SetBackground(*stored);
}

int CFolioforgeApp::SetBackground(const std::wstring& path) {
    if (!app::LoadsAsImage(path)) {
        return 0;
    }
    background_ = path;
    return 1;
}

// Files opened with the program go into the list as they are; a folder contributes its own
// images (not its subfolders'), and a path naming nothing is skipped.
void CFolioforgeApp::AddOpenedPaths(CDropListCtrl& list, const std::vector<std::wstring>& paths) {
    for (const std::wstring& path : paths) {
        switch (platform::KindOf(path)) {
            case platform::PathKind::kFolder:
                list.AddFolder(path, false);
                break;
            case platform::PathKind::kOther:
                list.AddFile(path);
                break;
            case platform::PathKind::kMissing:
                break;
        }
    }
}

int CFolioforgeApp::Run(const std::vector<std::wstring>& arguments) {
    CFolioforgeDlg window(*this, app::MakePathsOf(arguments));
    AddOpenedPaths(window.List(), app::OpenPathsOf(arguments));
    mainWindow_ = &window;
    window.RunModal();
    mainWindow_ = nullptr;
    return 0;
}
