#pragma once

// A folioforge-recordd child process on 127.0.0.1 with an ephemeral port, for tests. Its
// SQLite file can be queried while it runs.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class RecorddProcess {
public:
    // Starts the server with its database and entries file in folder ("records.sqlite",
    // "entries.conf"); waits at most 10 s for its address. Throws when it does not start.
    explicit RecorddProcess(const std::filesystem::path& folder);
    // Stops the server (SIGTERM, then SIGKILL after 5 s) and reaps it.
    ~RecorddProcess();
    RecorddProcess(const RecorddProcess&) = delete;
    RecorddProcess& operator=(const RecorddProcess&) = delete;

    // "http://127.0.0.1:PORT"
    const std::string& url() const { return url_; }
    std::wstring wideUrl(const std::string& path = "") const;

    const std::filesystem::path& entriesFile() const { return entriesFile_; }
    const std::filesystem::path& databaseFile() const { return databaseFile_; }

    // Replaces the entries the server hands out (read on every request).
    void SetEntries(const std::string& lines) const;

    // The first column of every row of a query on the server's database.
    std::vector<std::string> Query(const std::string& sql) const;

private:
    std::filesystem::path entriesFile_;
    std::filesystem::path databaseFile_;
    pid_t pid_ = -1;
    std::string url_;
};

}  // namespace testsupport
