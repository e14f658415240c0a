// Winsock adapter of platform/Socket.h. Only the win32/ folders hold code for Win32.
#include <winsock2.h>

#include "platform/Socket.h"

namespace platform {

namespace {

bool StartWinsock() {
    static bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

class WinsockConnection : public TcpConnection {
public:
    explicit WinsockConnection(SOCKET s) : s_(s) {}
    ~WinsockConnection() override { ::closesocket(s_); }
    int Receive(char* buf, int size) override { return ::recv(s_, buf, size, 0); }
    bool SendAll(const std::string& data) override {
        std::size_t sent = 0;
        while (sent < data.size()) {
            int n = ::send(s_, data.data() + sent, static_cast<int>(data.size() - sent), 0);
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    SOCKET s_;
};

class WinsockListener : public TcpListener {
public:
    WinsockListener(SOCKET s, std::uint16_t port) : s_(s), port_(port) {}
    ~WinsockListener() override { ::closesocket(s_); }
    std::uint16_t Port() const override { return port_; }
    std::unique_ptr<TcpConnection> Accept() override {
        SOCKET c = ::accept(s_, nullptr, nullptr);
        if (c == INVALID_SOCKET) return nullptr;
        return std::make_unique<WinsockConnection>(c);
    }

private:
    SOCKET s_;
    std::uint16_t port_;
};

}  // namespace

std::unique_ptr<TcpListener> ListenLoopback(std::uint16_t port) {
    if (!StartWinsock()) return nullptr;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return nullptr;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof addr;
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 16) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::closesocket(s);
        return nullptr;
    }
    return std::make_unique<WinsockListener>(s, ntohs(addr.sin_port));
}

}  // namespace platform
