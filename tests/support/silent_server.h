#pragma once

// A listening socket on 127.0.0.1 with an ephemeral port that never accepts or answers: the
// kernel completes connections to it and requests then wait for a reply that never comes. Once
// closed, connections to its port are refused.

#include <string>

namespace testsupport {

class SilentServer {
public:
    // Throws std::runtime_error when no socket can be set up.
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    void Close();

    // "http://127.0.0.1:PORT" followed by path.
    std::wstring Url(const std::wstring& path = L"/") const;

private:
    int socket_;
    int port_ = 0;
};

}  // namespace testsupport
