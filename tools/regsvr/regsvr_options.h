#pragma once

#include <optional>
#include <string>
#include <vector>

namespace regsvr {

// folioforge-regsvr [/u] [/s] [/n] [/i[:COMMANDLINE]] [--] MODULE...
struct Options {
    bool unregister = false;      // /u: unregister instead of register
    bool silent = false;          // /s: print nothing
    bool skipServerCall = false;  // /n: call neither DllRegisterServer nor DllUnregisterServer
    bool callInstall = false;     // /i: call DllInstall
    std::optional<std::string> installCommandLine;  // the text after "/i:", when given
    std::vector<std::string> modules;               // as given on the command line
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the command line is valid
};

// Switches start with '/' or '-' and ignore letter case; "--" ends them. A word starting with
// '/' that is not a switch is a module path (paths are absolute). Errors: an unknown '-'
// switch, /n without /i, no module.
ParseResult ParseArguments(int argc, char** argv);

// The usage text, ending with the exit statuses.
std::string UsageText();

}  // namespace regsvr
