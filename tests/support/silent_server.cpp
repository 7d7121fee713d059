#include "silent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace testsupport {

SilentServer::SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (socket_ < 0 || ::bind(socket_, generic, size) != 0 || ::listen(socket_, 8) != 0 ||
        ::getsockname(socket_, generic, &size) != 0) {
        Close();
        throw std::runtime_error("no listening socket");
    }
    port_ = ntohs(address.sin_port);
}

SilentServer::~SilentServer() {
    Close();
}

void SilentServer::Close() {
    if (socket_ >= 0) {
        ::close(std::exchange(socket_, -1));
    }
}

std::wstring SilentServer::Url(const std::wstring& path) const {
    return L"http://127.0.0.1:" + std::to_wstring(port_) + path;
}

}  // namespace testsupport
