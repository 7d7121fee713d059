#include "platform/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace platform {
namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set inside a signal handler");

void OnInterrupt(int) {
    interrupted = true;
    std::signal(SIGINT, SIG_DFL);  // a second Ctrl-C ends the process at once
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

InterruptWatch::InterruptWatch() {
    std::signal(SIGINT, OnInterrupt);
}

InterruptWatch::~InterruptWatch() {
    std::signal(SIGINT, SIG_DFL);
}

bool Interrupted() {
    return interrupted;
}

}  // namespace platform
