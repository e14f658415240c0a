// POSIX adapter of platform/Socket.h.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/Socket.h"

namespace platform {

namespace {

class PosixConnection : public TcpConnection {
public:
    explicit PosixConnection(int fd) : fd_(fd) {}
    ~PosixConnection() override { ::close(fd_); }
    int Receive(char* buf, int size) override { return static_cast<int>(::recv(fd_, buf, size, 0)); }
    bool SendAll(const std::string& data) override {
        std::size_t sent = 0;
        while (sent < data.size()) {
            auto n = ::send(fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_;
};

class PosixListener : public TcpListener {
public:
    PosixListener(int fd, std::uint16_t port) : fd_(fd), port_(port) {}
    ~PosixListener() override { ::close(fd_); }
    std::uint16_t Port() const override { return port_; }
    std::unique_ptr<TcpConnection> Accept() override {
        int c = ::accept(fd_, nullptr, nullptr);
        if (c < 0) return nullptr;
        return std::make_unique<PosixConnection>(c);
    }

private:
    int fd_;
    std::uint16_t port_;
};

}  // namespace

std::unique_ptr<TcpListener> ListenLoopback(std::uint16_t port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return nullptr;
    int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixListener>(fd, ntohs(addr.sin_port));
}

}  // namespace platform
