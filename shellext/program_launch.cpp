#include "program_launch.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace shellext {
namespace {

// Spawn attributes for a child that owes nothing to the host: its own session, no blocked
// signals, default handling of every signal the host may ignore.
class DetachedAttributes {
public:
    DetachedAttributes() {
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        sigdelset(&all, SIGKILL);
        sigdelset(&all, SIGSTOP);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setflags(
            &attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~DetachedAttributes() { posix_spawnattr_destroy(&attributes_); }
    DetachedAttributes(const DetachedAttributes&) = delete;
    DetachedAttributes& operator=(const DetachedAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// Waits for the child on a thread of its own so it leaves no zombie behind.
void ReapWhenDone(pid_t child, std::function<void()> ended) {
    try {
        std::thread([child, ended] {
            int status = 0;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            if (ended) {
                ended();
            }
        }).detach();
    } catch (...) {
        if (ended) {
            ended();
        }
    }
}

}  // namespace

int StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                  std::function<void()> ended) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const DetachedAttributes attributes;
    pid_t child = 0;
    const int error =
        posix_spawnp(&child, program.c_str(), nullptr, attributes.get(), argv.data(), environ);
    if (error == 0) {
        ReapWhenDone(child, std::move(ended));
    }
    return error;
}

}  // namespace shellext
