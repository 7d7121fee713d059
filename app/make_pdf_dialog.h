#pragma once

// CMakePDFDialog, the modal window shown while a conversion runs: it runs the job on a worker
// thread, shows "(i/n) path" and a progress bar while it runs, lets the user cancel, and once
// the worker has returned offers Finish, Open result and Show in folder. The finished state
// says plainly when no PDF was written and names the images that gave no page. Escape acts as
// the caption's close button (Cancel), Enter as Finish once finished.
//
// The dialog never returns, and never lets its job go, before the worker has returned, so the
// caller may destroy the job as soon as DoModal returns. GUI thread only.

#include <atomic>
#include <memory>

#include "engine/conversion_job.h"
#include "job_builder.h"
#include "program_dialog.h"
#include "progress_ctrl.h"

class CMakePDFDialog : public CProgramDialog {
public:
    // Command and control ids.
    static constexpr UINT kOpenResult = 1000;
    static constexpr UINT kShowInFolder = 1001;
    static constexpr UINT kProgressBar = 1003;
    static constexpr UINT kStatus = 110;
    static constexpr UINT kPanel = 111;
    static constexpr UINT kDetails = 112;

    // job (not owned) must outlive DoModal; owner (may be null) is the window the dialog is
    // modal to and centred on.
    CMakePDFDialog(CFolioforgeApp& app, engine::ConversionJob* job, QWidget* owner);
    ~CMakePDFDialog() override;

    // Starts the conversion and runs the dialog until it closes: IDOK after Finish, IDCANCEL
    // after Cancel or without a job. The worker has returned by then. Call it from the handling
    // of a user action or a timer, not of a posted message: the worker's reports are posted
    // events, which are not delivered while another one is being handled.
    int DoModal();

    // The Cancel command: asks the engine to stop; the dialog closes as soon as the worker has
    // returned, its windows staying responsive meanwhile. In the finished state it closes at
    // once.
    void Cancel();

    // What the dialog shows, for the program's tests.
    bool IsFinished() const { return finished_; }
    std::wstring StatusText() const { return status_.GetText(); }
    std::wstring DetailsText() const { return details_.GetText(); }
    int ProgressPosition() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct ProgressReport {
        int total;
        int index;
        const std::wstring* path;
    };

    void BuildLayout();
    void PlaceButtons();
    bool OnWorkerProgress(int total, int index, const std::wstring& path);
    void ShowProgress(const ProgressReport& report);
    void OnWorkerDone();
    void EnterFinishedState();
    void OnKey(WPARAM key);
    void OnCommand(UINT id);

    engine::ConversionJob* job_;
    CUIStatic status_;
    CUIStatic details_;
    CUIButton cancel_;
    CUIButton finish_;
    CUIButton openResult_;
    CUIButton showInFolder_;
    CUIImage panel_;
    std::unique_ptr<CProgressCtrl> progressBar_;
    HWND progressBarHandle_ = nullptr;  // set before the worker starts, read by it
    std::unique_ptr<app::JobRunner> runner_;
    std::atomic<int> cancelFlag_{0};
    bool workerReturned_ = false;
    bool finished_ = false;
    bool cancelling_ = false;
};
