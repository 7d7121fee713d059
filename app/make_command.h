#pragma once

// The conversion commands 0-5 of the Make button: one PDF, one per image or one per folder,
// written into the configured output folder (0-2) or where the user chooses (3-5). A command
// checks the list, asks about differing resolutions, stores the mode, decides the output,
// builds the job and runs it in the progress dialog.
//
// GUI thread only.

#include <string>
#include <vector>

#include "engine/conversion_settings.h"
#include "job_builder.h"

class CFolioforgeApp;
class CMakePDFDialog;
class QWidget;

namespace app {

// The rows of the image list a conversion needs: full paths and the DPI column, in row order.
struct ListRows {
    std::vector<std::wstring> paths;
    std::vector<std::wstring> dpi;
};

// The MakeMultiPDF mode of command k: k for 0-2, k - 3 for 3-5.
int ModeOfCommand(int command);

// True when two rows' DPI values (ignoring "" and "-") differ as text.
bool DpiValuesDiffer(const std::vector<std::wstring>& dpiColumn);

// Where commands 0-2 write for mode, given the first image: in mode 0 the PDF named after the
// image's folder in the configured output folder (its first choice: the run claims the next free
// name when it writes); in modes 1 and 2 that folder's next free subfolder of the same name, or
// the output folder itself with SaveToImageDir. May create folders.
std::wstring ConfiguredOutput(engine::ConversionSettings& settings, const std::wstring& firstImage,
                              int mode);

// The question asked when they differ (its text is fixed, not a language text).
extern const wchar_t kDpiQuestion[];

class ConversionCommand {
public:
    enum class Outcome { kEmptyList, kDpiToBeFixed, kNoOutputChosen, kConverted };

    // owner: the main window's widget, parent of the boxes, dialogs and the progress dialog.
    ConversionCommand(CFolioforgeApp& app, QWidget* owner) : app_(app), owner_(owner) {}

    // Runs command (0-5) on rows; returns once the progress dialog has closed and the job is
    // gone.
    Outcome Run(int command, const ListRows& rows);

    // The progress dialog while a conversion runs; null otherwise.
    CMakePDFDialog* RunningDialog() const { return running_; }

private:
    bool ConfirmDpi(const ListRows& rows);
    void StoreMode(int mode);
    bool ChooseOutput(int mode, std::wstring& output);
    void Convert(const JobOrder& order);

    CFolioforgeApp& app_;
    QWidget* owner_;
    CMakePDFDialog* running_ = nullptr;
};

}  // namespace app
