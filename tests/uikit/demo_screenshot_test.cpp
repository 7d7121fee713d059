// The demo program paints its window into a PNG, kept in the build tree as an artefact: the
// picture shows the caption bar, the toolbar buttons and the background image.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

namespace {

constexpr int kSkyColumn = 580;  // empty sky in the rows of the caption bar and the toolbar

int Brightness(const QColor& c) {
    return c.red() + c.green() + c.blue();
}

// True when some pixel of area is clearly darker than the sky beside it on the same row.
bool HasInk(const QImage& shot, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int sky = Brightness(shot.pixelColor(kSkyColumn, y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (Brightness(shot.pixelColor(x, y)) < sky - 120) {
                return true;
            }
        }
    }
    return false;
}

bool IsRed(const QColor& c) {
    return c.red() > 150 && c.green() < 110 && c.blue() < 110;
}

TEST(DemoScreenshot, ShowsTheCaptionBarTheButtonsAndTheBackgroundImage) {
    const QString shotPath = QStringLiteral(TRELLIS_DEMO_SCREENSHOT);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(shotPath).path()));
    QFile::remove(shotPath);
    QProcess demo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    demo.setProcessEnvironment(environment);
    demo.start(QStringLiteral(TRELLIS_DEMO_PROGRAM), {QStringLiteral("--screenshot"), shotPath});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();

    const QImage shot(shotPath);
    ASSERT_FALSE(shot.isNull());
    ASSERT_EQ(shot.size(), QSize(720, 460));

    // Caption bar: the icon at the top left, the title after it, four caption buttons lined up
    // from the right edge (close, minimise, maximise, menu), each 20 wide with 2 between.
    EXPECT_TRUE(IsRed(shot.pixelColor(8, 10))) << "the window icon";
    EXPECT_TRUE(HasInk(shot, QRect(26, 5, 120, 16))) << "the title";
    for (int right = 710; right > 630; right -= 22) {
        EXPECT_TRUE(HasInk(shot, QRect(right - 20, 5, 20, 20))) << "a caption button at " << right;
    }
    EXPECT_FALSE(HasInk(shot, QRect(520, 5, 60, 20))) << "nothing else in the caption bar";

    // Toolbar: the images and labels of the three buttons, and the red band of "Make PDF".
    EXPECT_TRUE(HasInk(shot, QRect(12, 36, 84, 70)));
    EXPECT_TRUE(HasInk(shot, QRect(100, 36, 72, 58)));
    bool pdfBand = false;
    for (int x = 176; x < 260 && !pdfBand; ++x) {
        pdfBand = IsRed(shot.pixelColor(x, 58));
    }
    EXPECT_TRUE(pdfBand);

    // Background: sky above, hills below, and the one-pixel frame.
    const QColor sky = shot.pixelColor(400, 60);
    EXPECT_GT(sky.blue(), sky.red() + 40) << "sky";
    const QColor hill = shot.pixelColor(300, 420);
    EXPECT_GT(hill.green(), hill.red() + 30) << "hills";
    EXPECT_GT(hill.green(), hill.blue() + 30);
    EXPECT_EQ(shot.pixelColor(0, 200), QColor(0x6E, 0x6E, 0x6E)) << "the frame";
}

}  // namespace
