// folioforge-shellhost [--] PATH...
// Runs the context-menu handlers registered for files ("*") and folders ("Directory") on the
// given paths, as a file manager runs them when the user picks their menu item. File-manager
// entries call it with "--" so that every selected name counts as a path.

#include <cstdio>
#include <string>
#include <vector>

#include "com/guid.h"
#include "context_menu_host.h"
#include "handler_lookup.h"
#include "platform/text.h"
#include "selection.h"

namespace {

std::vector<std::string> PathArguments(int argc, char** argv) {
    const bool marked = argc > 1 && std::string(argv[1]) == "--";
    return std::vector<std::string>(argv + (marked ? 2 : 1), argv + argc);
}

void Report(const std::string& message) {
    std::fprintf(stderr, "folioforge-shellhost: %s\n", message.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = PathArguments(argc, argv);
    if (arguments.empty()) {
        Report("usage: folioforge-shellhost [--] PATH...");
        return shellhost::kBadArguments;
    }
    const shellhost::Selection selection = shellhost::MakeSelection(arguments);
    const auto handlers =
        shellhost::FindContextMenuHandlers(selection.hasFiles, selection.hasFolders);
    if (handlers.empty()) {
        Report("no context-menu handler is registered for these items");
        return shellhost::kNoHandler;
    }
    int status = shellhost::kDone;
    for (const com::CLSID& clsid : handlers) {
        const auto module = shellhost::FindInprocServer(clsid);
        const shellhost::HostOutcome outcome =
            module ? shellhost::RunContextMenuHandler(*module, clsid, selection.paths)
                   : shellhost::HostOutcome{shellhost::kNoHandler, "class is not registered"};
        if (outcome.status != shellhost::kDone) {
            Report("handler " + platform::PathToNative(com::GuidToString(clsid)) + ": " +
                   outcome.message);
            status = status == shellhost::kDone ? outcome.status : status;
        }
    }
    return status;
}
