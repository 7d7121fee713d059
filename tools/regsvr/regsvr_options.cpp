#include "regsvr_options.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace regsvr {
namespace {

std::string Lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Applies a switch; false when the word is not one.
bool ApplySwitch(std::string_view word, Options& options) {
    const std::string name = Lowered(word.substr(1));
    if (name == "u") {
        options.unregister = true;
    } else if (name == "s") {
        options.silent = true;
    } else if (name == "n") {
        options.skipServerCall = true;
    } else if (name == "i") {
        options.callInstall = true;
    } else if (name.starts_with("i:")) {
        options.callInstall = true;
        options.installCommandLine = std::string(word.substr(3));
    } else {
        return false;
    }
    return true;
}

}  // namespace

ParseResult ParseArguments(int argc, char** argv) {
    ParseResult result;
    bool switchesEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (switchesEnded || word.empty() || (word[0] != '/' && word[0] != '-')) {
            result.options.modules.emplace_back(word);
        } else if (word == "--") {
            switchesEnded = true;
        } else if (!ApplySwitch(word, result.options)) {
            if (word[0] == '-') {
                result.error = "unknown switch " + std::string(word);
                return result;
            }
            result.options.modules.emplace_back(word);
        }
    }
    if (result.options.skipServerCall && !result.options.callInstall) {
        result.error = "/n needs /i";
    } else if (result.options.modules.empty()) {
        result.error = "no module named";
    }
    return result;
}

std::string UsageText() {
    return "usage: folioforge-regsvr [/u] [/s] [/n] [/i[:COMMANDLINE]] [--] MODULE...\n"
           "  /u  unregister the module\n"
           "  /s  silent: print nothing\n"
           "  /i  call DllInstall, with COMMANDLINE when given (\"user\": for this user only)\n"
           "  /n  do not call DllRegisterServer or DllUnregisterServer (with /i)\n"
           "exit status: 0 done, 1 bad command line, 3 module not loaded, 4 entry point "
           "missing, 5 registration failed\n";
}

}  // namespace regsvr
