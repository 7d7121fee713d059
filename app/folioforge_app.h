#pragma once

// CFolioforgeApp, the process-wide application object: the one live settings record, the
// background image path and the main window while it runs. Every window of the program reaches
// the settings and the background through it; a conversion job takes its own snapshot.
//
// GUI thread only. Create it after the QApplication.

#include <string>
#include <vector>

#include "engine/conversion_settings.h"

class CDropListCtrl;
class CFolioforgeDlg;

class CFolioforgeApp {
public:
    // Loads the settings from the store and takes the stored background when it loads as an
    // image (otherwise the default stays and the stored value is left alone).
    CFolioforgeApp();

    // Runs the main window until it closes. arguments: the process arguments, program first: a
    // /make command line converts its paths at once; other paths (files opened with the
    // program) are put in the list. Returns the process exit status (always 0: the window ends
    // the program).
    int Run(const std::vector<std::wstring>& arguments);

    engine::ConversionSettings& Settings() { return settings_; }

    // 1 and the path becomes the background when it loads as an image; 0 and nothing changes
    // otherwise. The store is not written (the background chooser does that).
    int SetBackground(const std::wstring& path);
    std::wstring GetBackground() const { return background_; }

    // The main window while Run runs; null otherwise.
    CFolioforgeDlg* MainWindow() const { return mainWindow_; }

    // Adds files and folders opened with the program to list: a folder's own images, each file
    // whose extension is accepted; paths that name nothing are skipped.
    static void AddOpenedPaths(CDropListCtrl& list, const std::vector<std::wstring>& paths);

private:
    void LoadStoredBackground();

    engine::ConversionSettings settings_;
    std::wstring background_;
    CFolioforgeDlg* mainWindow_ = nullptr;
};
