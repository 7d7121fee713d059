#pragma once

// The server's SQLite store: every usage submission (table "submissions": received, client,
// tip, document) and every dictionary request (table "ini_requests": received, client, body).
// Times are UTC in ISO 8601 ("2026-01-31T12:00:00Z").
//
// Thread-safe: one mutex serialises the connection. A write that finds the database locked by
// another process waits up to one second, then fails.

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace recordd {

class RecordDatabase {
public:
    // Opens (creating when missing) the database and its tables; null with a message in error
    // when that fails.
    static std::unique_ptr<RecordDatabase> Open(const std::filesystem::path& file,
                                                std::string& error);
    ~RecordDatabase();

    bool StoreSubmission(std::string_view client, std::string_view tip, std::string_view document);
    bool StoreIniRequest(std::string_view client, std::string_view body);

private:
    explicit RecordDatabase(sqlite3* db) : db_(db) {}
    bool Insert(const char* sql, std::initializer_list<std::string_view> values);

    std::mutex lock_;
    sqlite3* db_;
};

}  // namespace recordd
