#include "make_command.h"

#include "basalt/basalt.h"
#include "engine/output_target.h"
#include "file_dialogs.h"
#include "folioforge_app.h"
#include "job_builder.h"
#include "make_pdf_dialog.h"
#include "message_boxes.h"
#include "texts.h"

namespace app {

const wchar_t kDpiQuestion[] =
    L"DPI 不一致可能导致转换出来的PDF页面大小不一致。\r\n您可以通过修改 "
    L"设置->图片处理->DPI 为固定的值(例如：72)解决此问题。\r\n是否现在设置？";

int ModeOfCommand(int command) {
    return command < 3 ? command : command - 3;
}

bool DpiValuesDiffer(const std::vector<std::wstring>& dpiColumn) {
    const std::wstring* reference = nullptr;
    for (const std::wstring& value : dpiColumn) {
        if (value.empty() || value == L"-") {
            continue;
        }
        if (!reference) {
            reference = &value;
        } else if (value != *reference) {
            return true;
        }
    }
    return false;
}

std::wstring ConfiguredOutput(engine::ConversionSettings& settings, const std::wstring& firstImage,
                              int mode) {
    if (mode == 0) {
        return engine::DefaultOutputFile(settings.GetOutputFolder(), firstImage);
    }
    return engine::DefaultOutputTarget(settings.GetOutputFolder(), firstImage,
                                       static_cast<engine::DocumentMode>(mode),
                                       settings.SaveToImageDir != 0);
}

ConversionCommand::Outcome ConversionCommand::Run(int command, const ListRows& rows) {
    if (rows.paths.empty()) {
        ShowInformation(owner_, Text(L"200001"), Text(L"200014"));
        return Outcome::kEmptyList;
    }
    if (!ConfirmDpi(rows)) {
        return Outcome::kDpiToBeFixed;
    }
    const int mode = ModeOfCommand(command);
    StoreMode(mode);
    std::wstring output;
    const bool configured = command < 3;
    if (configured) {
        output = ConfiguredOutput(app_.Settings(), rows.paths.front(), mode);
    } else if (!ChooseOutput(mode, output)) {
        return Outcome::kNoOutputChosen;
    }
    RecordF(105, L"%d", static_cast<int>(rows.paths.size()));
    // A PDF named in the configured folder takes the next free name when it is written, so
    // that two conversions at once never replace each other's document.
    Convert({mode, output, rows.paths, configured && mode == 0});
    return Outcome::kConverted;
}

// False when the user wants to fix the resolution first.
bool ConversionCommand::ConfirmDpi(const ListRows& rows) {
    if (app_.Settings().DPI != 0 || !DpiValuesDiffer(rows.dpi)) {
        return true;
    }
    return !AskYesNo(owner_, Text(L"200001"), kDpiQuestion);
}

void ConversionCommand::StoreMode(int mode) {
    app_.Settings().SetNumber(L"MakeMultiPDF", mode);
}

bool ConversionCommand::ChooseOutput(int mode, std::wstring& output) {
    const std::optional<std::wstring> chosen =
        mode == 0 ? ChoosePdfFile(owner_) : ChooseFolder(owner_, Text(L"100015"));
    if (!chosen) {
        return false;
    }
    output = *chosen;
    return true;
}

void ConversionCommand::Convert(const JobOrder& order) {
    const std::unique_ptr<engine::ConversionJob> job = BuildJob(order, app_.Settings());
    CMakePDFDialog dialog(app_, job.get(), owner_);
    running_ = &dialog;
    dialog.DoModal();
    running_ = nullptr;
}

}  // namespace app
