#pragma once

// Names of temporary files that exist only until their writer finishes, kept where a signal
// that ends the process can still remove them. AtomicFile registers its hidden temporary names
// here (an unnamed temporary file needs nothing: it vanishes with the process).

namespace platform {

// Remembers path (copied) until ForgetPendingFile; returns its slot, or -1 when every slot is
// taken or the path is too long (the file is then simply not removed by a signal). Any thread.
int RegisterPendingFile(const char* path);

// Forgets the path of slot; -1 is ignored. Any thread.
void ForgetPendingFile(int slot);

// Removes every registered file. Async-signal-safe: meant for a handler that is about to end
// the process.
void RemovePendingFiles();

}  // namespace platform
