// Loopback TCP listening, for the project's own test servers.
// This file must contain only operating-system independent declarations.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class TcpConnection {
public:
    virtual ~TcpConnection() = default;
    // Receives up to size bytes. Returns the count, 0 at the peer's end, -1 on failure.
    virtual int Receive(char* buf, int size) = 0;
    // Sends all of data. Returns true on success.
    virtual bool SendAll(const std::string& data) = 0;
};

class TcpListener {
public:
    virtual ~TcpListener() = default;
    // Returns the port it listens on.
    virtual std::uint16_t Port() const = 0;
    // Waits for the next connection. Returns nothing when the listener failed.
    virtual std::unique_ptr<TcpConnection> Accept() = 0;
};

// Listens on 127.0.0.1 only; port 0 picks a free one. Returns nothing on failure.
std::unique_ptr<TcpListener> ListenLoopback(std::uint16_t port);

}  // namespace platform
