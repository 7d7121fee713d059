#include "platform/console.h"

#include <unistd.h>

#include <atomic>
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
