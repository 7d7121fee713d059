// folioforge: the desktop program.
//
//   folioforge                  opens the main window
//   folioforge /make PATH...    opens it and converts the images of the files and folders
//                               given into one PDF in the configured output folder
//   folioforge PATH...          opens it with the images of the files and folders given in
//                               the list (what "Open with" from a file manager runs)

#include <QApplication>
#include <string>
#include <vector>

#include "folioforge_app.h"
#include "platform/console.h"
#include "platform/text.h"

int main(int argc, char* argv[]) {
    // Started with a standard stream closed, the first file opened would take its place.
    platform::OpenStandardDescriptors();
    // Web windows need the shared contexts, set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("folioforge"));
    std::vector<std::wstring> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(platform::PathFromNative(argv[i]));
    }
    CFolioforgeApp app;
    return app.Run(arguments);
}
