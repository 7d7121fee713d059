#include "record_database.h"

#include <ctime>

namespace recordd {
namespace {

constexpr char kSchema[] =
    "CREATE TABLE IF NOT EXISTS submissions (id INTEGER PRIMARY KEY, received TEXT NOT NULL, "
    "client TEXT NOT NULL, tip TEXT NOT NULL, document TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS ini_requests (id INTEGER PRIMARY KEY, received TEXT NOT NULL, "
    "client TEXT NOT NULL, body TEXT NOT NULL);";

constexpr int kBusyTimeoutMs = 1000;

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace

std::unique_ptr<RecordDatabase> RecordDatabase::Open(const std::filesystem::path& file,
                                                     std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK ||
        sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return std::unique_ptr<RecordDatabase>(new RecordDatabase(db));
}

RecordDatabase::~RecordDatabase() {
    sqlite3_close(db_);
}

bool RecordDatabase::StoreSubmission(std::string_view client, std::string_view tip,
                                     std::string_view document) {
    return Insert("INSERT INTO submissions (received, client, tip, document) VALUES (?,?,?,?)",
                  {UtcNow(), client, tip, document});
}

bool RecordDatabase::StoreIniRequest(std::string_view client, std::string_view body) {
    return Insert("INSERT INTO ini_requests (received, client, body) VALUES (?,?,?)",
                  {UtcNow(), client, body});
}

bool RecordDatabase::Insert(const char* sql, std::initializer_list<std::string_view> values) {
    const std::lock_guard guard(lock_);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    int index = 1;
    for (const std::string_view value : values) {
        sqlite3_bind_text64(statement, index++, value.data(), value.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
    }
    const bool stored = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return stored;
}

}  // namespace recordd
