// The update question inside a Qt application: shown on the application's thread even when the
// check runs on a worker, and only web URLs are opened.

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <thread>

#include "server_fixture.h"
#include "url_catcher.h"

using namespace testsupport;

namespace {

class UpdatePromptTest : public BasaltServerTest {
protected:
    void SetUp() override {
        basalt_.WriteLanguage("english.lng",
                              LanguageFileText("English", "100025=Update?{\\r\\n}Now?\n"));
        Init();
    }

    // Runs the check on a worker thread (or on this one) and answers the box with answer.
    int CheckAndAnswer(QMessageBox::StandardButton answer, bool onWorker) {
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title_ = box->windowTitle();
            text_ = box->text();
            defaultIsNo_ =
                static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::No);
            box->button(answer)->click();
        });
        answering.start(20);
        if (!onWorker)
            return basalt_->CheckForUpdate(L"Folioforge", 0, 1, nullptr);

        std::atomic<int> result = -1;
        std::thread worker([&] { result = basalt_->CheckForUpdate(L"Folioforge", 0, 1, nullptr); });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (result == -1 && std::chrono::steady_clock::now() < deadline) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        worker.join();
        return result;
    }

    UrlCatcher catcher_{"http", "https", "file", "ftp"};
    QString title_;
    QString text_;
    bool defaultIsNo_ = false;
};

TEST_F(UpdatePromptTest, AskedFromAWorkerTheBoxAppearsAndYesOpensTheDownloadPage) {
    server_.SetEntries("NewVersion=2.10.0.0\nUpdateURL=https://folioforge.invalid/get\n");
    EXPECT_EQ(CheckAndAnswer(QMessageBox::Yes, true), 1);
    EXPECT_EQ(title_, "Folioforge");
    EXPECT_EQ(text_, "Update?\r\nNow?");
    EXPECT_EQ(catcher_.opened, QStringList{"https://folioforge.invalid/get"});
}

TEST_F(UpdatePromptTest, NoOpensNothing) {
    server_.SetEntries("NewVersion=3\nUpdateURL=https://folioforge.invalid/get\n");
    EXPECT_EQ(CheckAndAnswer(QMessageBox::No, false), 1);
    EXPECT_EQ(text_, "Update?\r\nNow?");
    EXPECT_TRUE(defaultIsNo_) << "Enter must not open the page";
    EXPECT_TRUE(catcher_.opened.isEmpty());
}

TEST_F(UpdatePromptTest, UrlsOtherThanWebPagesAreNeverOpened) {
    for (const char* url : {"file:///etc/passwd", "ftp://folioforge.invalid/x", "/usr/bin/xterm"}) {
        server_.SetEntries(std::string("NewVersion=3\nUpdateURL=") + url + "\n");
        EXPECT_EQ(CheckAndAnswer(QMessageBox::Yes, true), 1) << url;
    }
    EXPECT_TRUE(catcher_.opened.isEmpty());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
