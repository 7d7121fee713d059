#include "server_options.h"

#include <charconv>

namespace recordd {
namespace {

std::optional<int> ParsePort(const std::string& text) {
    int port = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

// Applies one option with its value; false when the option is unknown or the value invalid.
bool Apply(ServerOptions& options, const std::string& option, const std::string& value) {
    if (option == "--listen") {
        options.address = value;
    } else if (option == "--port") {
        const auto port = ParsePort(value);
        if (!port)
            return false;
        options.port = *port;
    } else if (option == "--entries") {
        options.entriesFile = value;
    } else if (option == "--database") {
        options.databaseFile = value;
    } else {
        return false;
    }
    return !value.empty();
}

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments) {
    ServerOptions options;
    for (size_t i = 0; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size() || !Apply(options, arguments[i], arguments[i + 1])) {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace recordd
