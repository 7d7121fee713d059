// folioforge-regsvr: the registration tool for in-process server modules such as
// libcommon.so. See UsageText for the command line and the exit statuses.

#include <cstdio>

#include "module_calls.h"
#include "regsvr_options.h"

int main(int argc, char** argv) {
    const regsvr::ParseResult parsed = regsvr::ParseArguments(argc, argv);
    if (!parsed.error.empty()) {
        if (!parsed.options.silent) {
            std::fprintf(stderr, "folioforge-regsvr: %s\n%s", parsed.error.c_str(),
                         regsvr::UsageText().c_str());
        }
        return regsvr::kBadArguments;
    }
    for (const std::string& module : parsed.options.modules) {
        const regsvr::Outcome outcome = regsvr::RegisterModule(module, parsed.options);
        if (!parsed.options.silent) {
            std::fprintf(outcome.status == regsvr::kSucceeded ? stdout : stderr,
                         "folioforge-regsvr: %s\n", outcome.message.c_str());
        }
        if (outcome.status != regsvr::kSucceeded) {
            return outcome.status;
        }
    }
    return regsvr::kSucceeded;
}
