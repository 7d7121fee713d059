// folioforge-recordd: the reference record server. Prints "listening on http://ADDRESS:PORT"
// once it accepts connections and runs until SIGINT or SIGTERM.

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <thread>

#include "record_database.h"
#include "routes.h"
#include "server_options.h"

namespace {

constexpr size_t kMaxRequestBytes = 16u << 20;

// Blocks the stop signals in every thread and stops the server from a thread of its own when
// one arrives.
std::thread StopOnSignal(httplib::Server& server) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return std::thread([&server, signals] {
        int received = 0;
        sigwait(&signals, &received);
        server.stop();
    });
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = recordd::ParseServerOptions({argv + 1, argv + argc});
    if (!options) {
        std::fputs(recordd::kUsage, stderr);
        return 2;
    }
    std::string error;
    const auto database = recordd::RecordDatabase::Open(options->databaseFile, error);
    if (!database) {
        std::fprintf(stderr, "folioforge-recordd: cannot open %s: %s\n",
                     options->databaseFile.c_str(), error.c_str());
        return 1;
    }

    httplib::Server server;
    server.set_payload_max_length(kMaxRequestBytes);
    recordd::InstallRoutes(server, *options, *database);
    const int port =
        options->port == 0
            ? server.bind_to_any_port(options->address)
            : (server.bind_to_port(options->address, options->port) ? options->port : -1);
    if (port <= 0) {
        std::fprintf(stderr, "folioforge-recordd: cannot listen on %s:%d\n",
                     options->address.c_str(), options->port);
        return 1;
    }
    std::thread stopper = StopOnSignal(server);
    std::printf("listening on http://%s:%d\n", options->address.c_str(), port);
    std::fflush(stdout);
    const bool served = server.listen_after_bind();
    pthread_kill(stopper.native_handle(), SIGTERM);  // ends the waiting thread when no signal came
    stopper.join();
    return served ? 0 : 1;
}
