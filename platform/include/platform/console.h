#pragma once

// What a command-line program needs of its console: whether output goes to a terminal, and
// Ctrl-C as a request to stop rather than an abrupt end.

#include <cstdio>

namespace platform {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed, so that files the
// program opens later never land on them (and receive what is printed to standard error). Call
// first thing in main, before any other thread exists. False when one could not be opened.
bool OpenStandardDescriptors();

// True when the stream writes to a terminal.
bool IsTerminal(std::FILE* stream);

// While a watch exists, the first Ctrl-C (SIGINT), SIGTERM or SIGHUP only marks the process
// interrupted and writes acknowledgement to standard error at once; a second one removes the
// pending temporary files (see pending_files.h) and ends the process as the signal does. A new
// watch starts unmarked; the mark stays after the watch goes. One watch at a time;
// acknowledgement must outlive it.
class InterruptWatch {
public:
    explicit InterruptWatch(const char* acknowledgement = "");
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
};

// Makes writes beyond the file-size limit (RLIMIT_FSIZE) fail with EFBIG, to be reported like
// a full disk, instead of ending the process with SIGXFSZ.
void IgnoreFileSizeSignal();

// True once one of those signals came while an InterruptWatch existed. Any thread, any time.
bool Interrupted();

}  // namespace platform
