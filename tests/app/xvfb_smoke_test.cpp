// folioforge /make on a real X server (xvfb-run), when the machine has one.

#include <signal.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "conversion_fixture.h"
#include "pdf_tools.h"

namespace {

using apptest::Wide;

class XvfbSmokeTest : public apptest::ConversionTest {};

TEST_F(XvfbSmokeTest, MakeCommandLineWritesThePdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    Image("Smoke", "a.jpg");
    const std::wstring b = Image("Smoke", "b.png");
    const std::filesystem::path pdf = output() / "Smoke.pdf";

    QProcess program;
    program.setChildProcessModifier([] { setsid(); });  // one group, ended together below
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("FOLIOFORGE_SERVER"), QStringLiteral("http://127.0.0.1:9"));
    program.setProcessEnvironment(environment);
    // A display number of its own, away from the ones other programs' xvfb-run -a take first.
    const QString display = QString::number(300 + getpid() % 600);
    program.start(QStringLiteral("xvfb-run"),
                  {QStringLiteral("-a"), QStringLiteral("-n"), display,
                   QStringLiteral(FOLIOFORGE_PROGRAM), QStringLiteral("/make"),
                   QString::fromStdString((dir_ / "Smoke").string()), QString::fromStdWString(b)});
    ASSERT_TRUE(program.waitForStarted());

    QElapsedTimer clock;
    clock.start();
    while (!std::filesystem::exists(pdf) && clock.elapsed() < 60000 &&
           program.state() == QProcess::Running) {
        QThread::msleep(100);
    }
    // The PDF appears whole or not at all; the program waits for Finish, so end it here.
    ::kill(-static_cast<pid_t>(program.processId()), SIGTERM);
    program.waitForFinished(10000);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(testsupport::PageCount(pdf), 3);
    EXPECT_EQ(testsupport::QpdfCheck(pdf), 0);
}

}  // namespace
