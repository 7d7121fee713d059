#include "recordd_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "temp_dir.h"

extern char** environ;

namespace testsupport {
namespace {

constexpr int kStartTimeoutMs = 10'000;

// Reads the first line the child prints, waiting at most kStartTimeoutMs.
std::string ReadFirstLine(int fd) {
    std::string line;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            break;
        char chunk[256];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got <= 0)
            break;
        line.append(chunk, static_cast<size_t>(got));
    }
    return line.substr(0, line.find('\n'));
}

bool WaitForExit(pid_t pid, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace

RecorddProcess::RecorddProcess(const std::filesystem::path& folder)
    : entriesFile_(folder / "entries.conf"), databaseFile_(folder / "records.sqlite") {
    SetEntries("");
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string entries = entriesFile_.string(), database = databaseFile_.string();
    const char* argv[] = {RECORDD_PROGRAM, "--port",         "0",    "--entries", entries.c_str(),
                          "--database",    database.c_str(), nullptr};
    const int spawned =
        posix_spawn(&pid_, RECORDD_PROGRAM, &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    const std::string line = spawned == 0 ? ReadFirstLine(out[0]) : "";
    close(out[0]);
    const std::string prefix = "listening on ";
    if (!line.starts_with(prefix)) {
        if (spawned == 0) {
            kill(pid_, SIGKILL);
            WaitForExit(pid_, std::chrono::seconds(5));
        }
        throw std::runtime_error("folioforge-recordd did not start: " + line);
    }
    url_ = line.substr(prefix.size());
}

RecorddProcess::~RecorddProcess() {
    kill(pid_, SIGTERM);
    if (!WaitForExit(pid_, std::chrono::seconds(5))) {
        kill(pid_, SIGKILL);
        WaitForExit(pid_, std::chrono::seconds(5));
    }
}

std::wstring RecorddProcess::wideUrl(const std::string& path) const {
    const std::string full = url_ + path;
    return std::wstring(full.begin(), full.end());
}

void RecorddProcess::SetEntries(const std::string& lines) const {
    WriteFile(entriesFile_, lines);
}

std::vector<std::string> RecorddProcess::Query(const std::string& sql) const {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databaseFile_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_exec(
            db, sql.c_str(),
            [](void* out, int, char** values, char**) {
                static_cast<std::vector<std::string>*>(out)->push_back(values[0] ? values[0] : "");
                return 0;
            },
            &rows, nullptr);
    }
    sqlite3_close(db);
    return rows;
}

}  // namespace testsupport
