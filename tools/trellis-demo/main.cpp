// trellis-demo: a window built only from toolkit objects.
//
//   trellis-demo                     shows the window until it is closed
//   trellis-demo --screenshot FILE   paints the window into FILE (PNG) and exits: 0 when the
//                                    picture was written, 1 when not, 2 for a bad command line

#include <QApplication>
#include <QTimer>

#include "demo_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QString screenshot;
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--screenshot")) {
        screenshot = arguments[2];
    } else if (arguments.size() != 1) {
        return 2;
    }
    DemoWindow window;
    window.show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(200, [&] {
            const bool written = window.grab().save(screenshot, "PNG");
            QCoreApplication::exit(written ? 0 : 1);
        });
    }
    return QApplication::exec();
}
