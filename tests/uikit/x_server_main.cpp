// The entry of the X server tests: re-runs the program under xvfb-run when both xvfb-run and
// xdotool are installed, starts a window manager there when openbox is installed (moves and
// resizes then go through it, as on a desktop), and starts the application on the xcb platform
// (on the offscreen platform otherwise, where every test skips).

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "x_server.h"

namespace {

constexpr const char* kUnderXvfb = "FOLIOFORGE_UNDER_XVFB";

bool HaveProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// Starts openbox on the X server when it is installed; its process id, or -1.
pid_t StartWindowManager() {
    if (!HaveProgram("openbox")) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        execlp("openbox", "openbox", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));  // until it manages the screen
    return child;
}

bool& Available() {
    static bool available = false;
    return available;
}

}  // namespace

bool OnXServer() {
    return Available();
}

bool Xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments).c_str()) == 0;
}

void MovePointerTo(int x, int y) {
    Xdotool("mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
    QTest::qWait(50);
}

int main(int argc, char** argv) {
    const bool tools = HaveProgram("xvfb-run") && HaveProgram("xdotool");
    if (tools && std::getenv(kUnderXvfb) == nullptr) {
        setenv(kUnderXvfb, "1", 1);
        std::vector<char*> arguments{const_cast<char*>("xvfb-run"), const_cast<char*>("-a"),
                                     const_cast<char*>("-s"),
                                     const_cast<char*>("-screen 0 1280x800x24")};
        arguments.insert(arguments.end(), argv, argv + argc);
        arguments.push_back(nullptr);
        execvp("xvfb-run", arguments.data());
        return 127;  // xvfb-run could not be started
    }
    Available() = tools && std::getenv("DISPLAY") != nullptr;
    const pid_t windowManager = Available() ? StartWindowManager() : -1;
    qputenv("QT_QPA_PLATFORM", Available() ? "xcb" : "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (windowManager > 0) {
        kill(windowManager, SIGTERM);
        waitpid(windowManager, nullptr, 0);
    }
    return result;
}
