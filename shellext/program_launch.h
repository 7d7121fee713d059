#pragma once

#include <functional>
#include <string>
#include <vector>

namespace shellext {

// Starts program (a native path; a name without '/' is looked up in PATH) with arguments, each
// handed over as one argument exactly as given, never through a shell. The program runs in a
// session of its own with no blocked signals and default signal handling, inherits the environment
// and the working folder, and is not waited for: a thread reaps it when it ends and then calls
// ended (may be empty). When no thread can be started, ended is called at once and the ended
// program lingers as a zombie until the caller's process ends. Returns 0 when the program started
// (ended will be called), else the errno value of the failure (ENOENT, EACCES, E2BIG, ...), and
// ended is not called. Thread-safe.
int StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                  std::function<void()> ended);

}  // namespace shellext
