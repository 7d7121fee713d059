// The progress dialog: counts while the engine runs, the finished state only after the worker
// has returned, cancelling, and what it says when images or the whole PDF went missing.

#include <QTimer>
#include <chrono>
#include <future>

#include "app_test_support.h"
#include "conversion_fixture.h"
#include "job_builder.h"
#include "make_pdf_dialog.h"
#include "pdf_tools.h"
#include "texts.h"

namespace {

using apptest::Wide;

// Sees the dialog's messages before it does: records every status text and, when asked,
// presses Cancel (by a posted command, as a click would) once a status starts with cancelAt.
struct StatusSpy {
    static inline CMakePDFDialog* dialog = nullptr;
    static inline WNDPROC previous = nullptr;
    static inline std::vector<std::wstring> statuses;
    static inline std::wstring cancelAt;
    static inline WPARAM cancelKey = 0;  // 0: the Cancel button, else this key
    static inline bool runningShot = false;

    static void Watch(CMakePDFDialog& watched, const std::wstring& cancelPrefix = L"",
                      WPARAM key = 0) {
        dialog = &watched;
        statuses.clear();
        cancelAt = cancelPrefix;
        cancelKey = key;
        runningShot = false;
        previous = SetWindowProc(watched.GetSafeHwnd(), &Procedure);
    }

    static LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = CallWindowProc(previous, hwnd, msg, wParam, lParam);
        if (msg == WM_UI_CHANGED && wParam == CMakePDFDialog::kStatus) {
            statuses.push_back(dialog->StatusText());
            if (!cancelAt.empty() && statuses.back().starts_with(cancelAt)) {
                if (cancelKey != 0) {
                    PostMessage(hwnd, WM_KEYDOWN, cancelKey, 1);
                } else {
                    PostMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
                }
            }
            if (!runningShot && statuses.back().starts_with(L"(1/")) {
                runningShot = apptest::SaveScreenshot(*dialog, "progress-running.png");
            }
        }
        return result;
    }
};

class ProgressDialogTest : public apptest::ConversionTest {
protected:
    std::unique_ptr<engine::ConversionJob> Job(const std::vector<std::wstring>& images) {
        return app::BuildJob({0, Wide(output() / "run.pdf"), images}, app_->Settings());
    }

    std::vector<std::wstring> ThreeImages() {
        return {Image("p", "one.jpg", 72, "red"), Image("p", "two.jpg", 72, "green"),
                Image("p", "three.jpg", 72, "blue")};
    }
};

TEST_F(ProgressDialogTest, CountsEveryImageThenFinishesAfterTheWorker) {
    std::filesystem::create_directories(output());
    const std::vector<std::wstring> images = ThreeImages();
    auto job = Job(images);
    apptest::ModalAnswerer answerer;
    answerer.onFinished = [](CMakePDFDialog& dialog) {
        apptest::SaveScreenshot(dialog, "progress-finished.png");
    };
    CMakePDFDialog dialog(*app_, job.get(), nullptr);
    StatusSpy::Watch(dialog);
    EXPECT_EQ(dialog.DoModal(), IDOK);

    const std::vector<std::wstring> expected = {
        L"(0/3) " + images[0], L"(1/3) " + images[1], L"(2/3) " + images[2],
        L"(" + app::Text(L"100003") + L") " + Wide(output() / "run.pdf")};
    EXPECT_EQ(StatusSpy::statuses, expected);
    EXPECT_TRUE(StatusSpy::runningShot);
    EXPECT_EQ(dialog.ProgressPosition(), 3);
    EXPECT_TRUE(dialog.DetailsText().empty());
    EXPECT_EQ(testsupport::PageCount(output() / "run.pdf"), 3);
    EXPECT_EQ(testsupport::QpdfCheck(output() / "run.pdf"), 0);
}

TEST_F(ProgressDialogTest, FinishedStateNamesTheFreeNameTheRunClaimed) {
    std::filesystem::create_directories(output());
    testsupport::WriteFile(output() / "run.pdf", "taken meanwhile");
    auto job =
        app::BuildJob({0, Wide(output() / "run.pdf"), ThreeImages(), true}, app_->Settings());
    apptest::ModalAnswerer answerer;
    CMakePDFDialog dialog(*app_, job.get(), nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.StatusText(),
              L"(" + app::Text(L"100003") + L") " + Wide(output() / "run(1).pdf"));
    EXPECT_EQ(testsupport::ReadFile(output() / "run.pdf"), "taken meanwhile");
    EXPECT_EQ(testsupport::QpdfCheck(output() / "run(1).pdf"), 0);
}

TEST_F(ProgressDialogTest, CancelDuringTheSecondImageWaitsForTheWorker) {
    std::filesystem::create_directories(output());
    auto job = Job(ThreeImages());
    CMakePDFDialog dialog(*app_, job.get(), nullptr);
    StatusSpy::Watch(dialog, L"(1/3)");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    // The engine no longer holds the job: the worker has returned, so the job's lock is free.
    auto lockProbe = std::async(std::launch::async, [&job] { return job->ImageCount(); });
    ASSERT_EQ(lockProbe.wait_for(std::chrono::milliseconds(500)), std::future_status::ready);
    EXPECT_FALSE(dialog.IsFinished());
    // The engine stops at the report after the press (the worker may have read the flag for
    // image 2 already), and the pages done before the stop are kept in a whole document.
    const std::wstring last = StatusSpy::statuses.back().substr(0, 5);
    EXPECT_TRUE(last == L"(1/3)" || last == L"(2/3)") << last;
    const int pages = testsupport::PageCount(output() / "run.pdf");
    EXPECT_TRUE(pages == 1 || pages == 2) << pages;
    EXPECT_EQ(testsupport::QpdfCheck(output() / "run.pdf"), 0);
}

// Escape cancels a running conversion as the Cancel button does; Enter does nothing until the
// conversion has finished, and then finishes the dialog.
TEST_F(ProgressDialogTest, EscapeCancelsAndEnterFinishes) {
    std::filesystem::create_directories(output());
    {
        auto job = Job(ThreeImages());
        apptest::ModalAnswerer finishIfNotCancelled;
        CMakePDFDialog dialog(*app_, job.get(), nullptr);
        StatusSpy::Watch(dialog, L"(1/3)", VK_ESCAPE);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    auto job = Job(ThreeImages());
    CMakePDFDialog dialog(*app_, job.get(), nullptr);
    StatusSpy::Watch(dialog, L"(1/3)", VK_RETURN);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!dialog.IsFinished()) {
            return;
        }
        poll.stop();
        SendMessage(dialog.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 1);
        QTimer::singleShot(2000, [&] { dialog.Cancel(); });  // Enter ignored: fail, not hang
    });
    poll.start(20);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(testsupport::PageCount(output() / "run.pdf"), 3);
}

TEST_F(ProgressDialogTest, FinishedStateNamesImagesWithoutAPage) {
    std::filesystem::create_directories(output());
    const std::wstring good = Image("p", "good.jpg");
    testsupport::WriteFile(dir_ / "p" / "broken.jpg", "not a picture");
    auto job = Job({good, Wide(dir_ / "p" / "broken.jpg")});
    apptest::ModalAnswerer answerer;
    answerer.onFinished = [](CMakePDFDialog& dialog) {
        apptest::SaveScreenshot(dialog, "progress-finished-skipped.png");
    };
    CMakePDFDialog dialog(*app_, job.get(), nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(dialog.DetailsText().find(L"broken.jpg: "), std::wstring::npos);
    EXPECT_EQ(testsupport::PageCount(output() / "run.pdf"), 1);
}

TEST_F(ProgressDialogTest, SaysPlainlyWhenNoPdfWasWritten) {
    std::filesystem::create_directories(output());
    testsupport::WriteFile(dir_ / "broken.png", "not a picture");
    auto job = Job({Wide(dir_ / "broken.png")});
    apptest::ModalAnswerer answerer;
    CMakePDFDialog dialog(*app_, job.get(), nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(dialog.StatusText().find(L"No PDF was written"), std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(output() / "run.pdf"));
}

TEST_F(ProgressDialogTest, WithoutAJobItClosesAsCancel) {
    CMakePDFDialog dialog(*app_, nullptr, nullptr);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

}  // namespace
