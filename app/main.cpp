// folioforge: the desktop program.
//
//   folioforge                  opens the main window
//   folioforge /make PATH...    opens it and converts the images of the files and folders
//                               given into one PDF in the configured output folder

#include <QApplication>
#include <string>
#include <vector>

#include "folioforge_app.h"
#include "platform/text.h"

int main(int argc, char* argv[]) {
    // Web windows need the shared contexts, set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("folioforge"));
    std::vector<std::wstring> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(platform::FromUtf8(argv[i]));
    }
    CFolioforgeApp app;
    return app.Run(arguments);
}
