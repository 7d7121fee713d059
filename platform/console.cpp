#include "platform/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "platform/pending_files.h"

namespace platform {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set inside a signal handler");
const char* acknowledgementText = "";

void OnStopSignal(int signal) {
    if (interrupted.exchange(true)) {
        // The second request: nothing may be left behind, and nothing waits any longer.
        RemovePendingFiles();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    const size_t length = std::strlen(acknowledgementText);
    if (length > 0) {
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, acknowledgementText, length);
    }
}

}  // namespace

bool OpenStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // open takes the lowest free descriptor, which is fd while the lower ones are open.
        const int opened = ::open("/dev/null", O_RDWR);
        if (opened != fd) {
            if (opened >= 0) {
                ::close(opened);
            }
            return false;
        }
    }
    return true;
}

bool IsTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) != 0;
}

InterruptWatch::InterruptWatch(const char* acknowledgement) {
    interrupted = false;
    acknowledgementText = acknowledgement;
    for (const int signal : kStopSignals) {
        std::signal(signal, OnStopSignal);
    }
}

InterruptWatch::~InterruptWatch() {
    for (const int signal : kStopSignals) {
        std::signal(signal, SIG_DFL);
    }
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool Interrupted() {
    return interrupted;
}

}  // namespace platform
