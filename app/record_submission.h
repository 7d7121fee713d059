#pragma once

#include <chrono>

namespace app {

// Sends the usage records to the record server ("/record.php") on a worker thread and waits at
// most patience for it, so an unreachable server cannot hold the closing window. A submission
// still running then is left to finish or to end with the process. True when the server
// accepted the records in time.
bool SubmitUsageRecords(std::chrono::milliseconds patience);

}  // namespace app
