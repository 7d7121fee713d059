#pragma once

// The command line of folioforge-recordd.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace recordd {

struct ServerOptions {
    std::string address = "127.0.0.1";  // the address to listen on
    int port = 8470;                    // 0: any free port
    std::filesystem::path entriesFile;  // dictionary entries for "/ini.php"; none: empty reply
    std::filesystem::path databaseFile = "folioforge-records.sqlite";
};

inline constexpr char kUsage[] =
    "usage: folioforge-recordd [--listen ADDRESS] [--port N] [--entries FILE] "
    "[--database FILE]\n"
    "  --listen ADDRESS  address to listen on (default 127.0.0.1)\n"
    "  --port N          port to listen on, 0 for any free one (default 8470)\n"
    "  --entries FILE    \"key=value\" lines sent to /ini.php, read on every request\n"
    "  --database FILE   SQLite file for submissions (default folioforge-records.sqlite)\n";

// The options of the arguments after the program name; nullopt when they are not valid (an
// unknown option, a missing value, a port outside 0-65535).
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments);

}  // namespace recordd
