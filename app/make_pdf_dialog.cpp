#include "make_pdf_dialog.h"

#include <QProgressBar>
#include <algorithm>

#include "basalt/basalt.h"
#include "desktop_services.h"
#include "folioforge_app.h"
#include "platform/file_io.h"
#include "progress_texts.h"
#include "texts.h"

namespace {

// Sent by the worker (blocking) for every engine report: wParam a ProgressReport*.
constexpr UINT WM_MAKEPDF_PROGRESS = WM_USER + 101;
// Posted by the worker once the engine has returned.
constexpr UINT WM_MAKEPDF_DONE = WM_USER + 102;

// 304 x 107 dialog units of the standard dialog font.
constexpr int kWidth = 456;
constexpr int kHeight = 174;
constexpr int kDetailsLineHeight = 16;
constexpr size_t kMostDetailLines = 8;
constexpr RECT kProgressBarRect{11, 83, 446, 106};
constexpr UINT kStatusFormat = DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS;

}  // namespace

CMakePDFDialog::CMakePDFDialog(CFolioforgeApp& app, engine::ConversionJob* job, QWidget* owner)
    : CProgramDialog(app, owner, QSize(kWidth, kHeight), app::Text(L"202001")), job_(job) {
    progressBar_ = std::make_unique<CProgressCtrl>(GetSafeHwnd(), kProgressBar);
    progressBarHandle_ = progressBar_->GetSafeHwnd();
    const RECT& bar = kProgressBarRect;
    SetWindowPos(progressBar_->GetSafeHwnd(), bar.left, bar.top, bar.right - bar.left,
                 bar.bottom - bar.top, 0);
    BuildLayout();
    AttachSkin();
}

CMakePDFDialog::~CMakePDFDialog() {
    runner_.reset();  // waits for a worker that is still running
    progressBar_.reset();
    DestroyWindow(GetSafeHwnd());
}

void CMakePDFDialog::BuildLayout() {
    const RECT statusRect{10, 50, kWidth - 10, 70};
    status_.Create(nullptr, &statusRect, &root_, kStatus);
    status_.SetFormat(kStatusFormat);
    status_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    const RECT detailsRect{10, 110, kWidth - 10, 126};
    details_.Create(nullptr, &detailsRect, &root_, kDetails);
    details_.SetFormat(DT_LEFT);
    details_.Anchor(ANCHOR_TOP, &root_, ANCHOR_TOP, 110);
    details_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    details_.Anchor(ANCHOR_BOTTOM, &root_, ANCHOR_BOTTOM, -46);
    PlaceButtons();
    const RECT panelRect{0, 30, kWidth, kHeight - 38};
    panel_.Create(nullptr, &panelRect, &root_, kPanel);
    panel_.SetBkColor(0xFFFFFF, 200);
    panel_.Anchor(ANCHOR_TOP, &root_, ANCHOR_TOP, 30);
    panel_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, 0);
    panel_.Anchor(ANCHOR_BOTTOM, &finish_, ANCHOR_TOP, -8);
}

void CMakePDFDialog::PlaceButtons() {
    struct Button {
        CUIButton* button;
        UINT id;
        const wchar_t* text;
        int left;  // negative: from the right edge
    };
    const Button buttons[] = {{&cancel_, IDCANCEL, L"100002", -110},
                              {&finish_, IDOK, L"100003", -110},
                              {&openResult_, kOpenResult, L"100004", 10},
                              {&showInFolder_, kShowInFolder, L"100009", 120}};
    for (const Button& entry : buttons) {
        const int left = entry.left < 0 ? kWidth + entry.left : entry.left;
        const RECT rect{left, kHeight - 30, left + 100, kHeight - 10};
        entry.button->Create(app::Text(entry.text).c_str(), &rect, &root_, entry.id);
        DressTextButton(*entry.button);
        entry.button->Anchor(ANCHOR_BOTTOM, &root_, ANCHOR_BOTTOM, -10);
        if (entry.left < 0) {
            entry.button->Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
        }
        entry.button->SetVisible(entry.id == IDCANCEL);
    }
}

int CMakePDFDialog::DoModal() {
    if (!job_) {
        return IDCANCEL;
    }
    runner_ = std::make_unique<app::JobRunner>(
        *job_,
        [this](int total, int index, const std::wstring& path) {
            return OnWorkerProgress(total, index, path);
        },
        [hwnd = GetSafeHwnd()] { PostMessage(hwnd, WM_MAKEPDF_DONE, 0, 0); });
    runner_->Start();
    const int result = RunModal();
    runner_->Join();
    return result;
}

// Worker thread: moves the bar and hands the text to the window, each by a blocking send, and
// answers whether to go on.
bool CMakePDFDialog::OnWorkerProgress(int total, int index, const std::wstring& path) {
    SendMessage(progressBarHandle_, PBM_SETRANGE32, 0, total);
    SendMessage(progressBarHandle_, PBM_SETPOS, index, 0);
    ProgressReport report{total, index, &path};
    SendMessage(GetSafeHwnd(), WM_MAKEPDF_PROGRESS, reinterpret_cast<WPARAM>(&report), 0);
    return cancelFlag_ == 0;
}

void CMakePDFDialog::ShowProgress(const ProgressReport& report) {
    if (report.index != report.total) {
        status_.SetText(app::CountText(report.index, report.total, *report.path).c_str(), 0);
    }
}

void CMakePDFDialog::OnWorkerDone() {
    runner_->Join();
    workerReturned_ = true;
    if (cancelling_) {
        EndDialog(IDCANCEL);
        return;
    }
    EnterFinishedState();
}

void CMakePDFDialog::EnterFinishedState() {
    const std::wstring output = runner_->OutputPath();
    const bool multi = runner_->IsMultiDocument();
    const bool written = runner_->PagesPlaced() > 0 &&
                         platform::KindOf(output) ==
                             (multi ? platform::PathKind::kFolder : platform::PathKind::kOther);
    status_.SetText(app::FinishedText(app::Text(L"100003"), output, written).c_str(), 0);
    status_.SetTipText(output.c_str());
    const std::vector<app::SkippedImage> skipped = runner_->Skipped();
    const std::wstring summary = app::SkippedSummary(skipped, kMostDetailLines);
    details_.SetText(summary.c_str(), 1);
    if (!summary.empty()) {
        const int lines = static_cast<int>(std::count(summary.begin(), summary.end(), L'\n'));
        resize(width(), height() + lines * kDetailsLineHeight);
    }
    cancel_.SetVisible(0);
    finish_.SetVisible(1);
    openResult_.SetVisible(written);
    showInFolder_.SetVisible(written);
    finished_ = true;
}

// The dialog's own loop goes on meanwhile, so the windows stay responsive and the worker's
// reports are still answered. Waiting in a loop of its own instead would stall when Cancel is
// reached from a posted message: the worker's blocking sends are posted events too, and they
// are not delivered inside the handling of another one.
void CMakePDFDialog::Cancel() {
    if (cancelling_) {
        return;  // already waiting for the worker
    }
    Record(105, L"取消");
    cancelFlag_ = 1;
    if (workerReturned_) {
        EndDialog(IDCANCEL);
        return;
    }
    cancelling_ = true;  // OnWorkerDone closes the dialog
}

void CMakePDFDialog::OnCommand(UINT id) {
    switch (id) {
        case IDCANCEL:
            Cancel();
            break;
        case IDOK:
            EndDialog(IDOK);
            break;
        case kOpenResult:
            Record(109, L"PDF");
            app::OpenPath(runner_->OutputPath());
            break;
        case kShowInFolder:
            Record(109, L"文件夹");
            app::ShowInFolder(runner_->OutputPath());
            break;
        default:
            break;
    }
}

// Escape is the caption's close button; Enter is Finish once the conversion has finished.
void CMakePDFDialog::OnKey(WPARAM key) {
    if (key == VK_ESCAPE) {
        Cancel();
    } else if (key == VK_RETURN && finished_) {
        EndDialog(IDOK);
    }
}

int CMakePDFDialog::ProgressPosition() const {
    return progressBar_->Bar()->value();
}

LRESULT CMakePDFDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MAKEPDF_PROGRESS:
            ShowProgress(*reinterpret_cast<const ProgressReport*>(wParam));
            return 0;
        case WM_MAKEPDF_DONE:
            OnWorkerDone();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            Cancel();
            return 0;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        default:
            return CHostWindow::WindowProc(msg, wParam, lParam);
    }
}
