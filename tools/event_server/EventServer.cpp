// vm_event_server: a local stand-in for the event's web server.
//
//   vm_event_server --fixtures <folder> --port-file <file> [--port <n>]
//
// Listens on 127.0.0.1 only. A GET of /a/b.php?x=1 answers with the bytes of <folder>/a/b.php
// (404 when there is no such file); every request target is recorded exactly as received.
// Control requests, not recorded:
//   /__requests  the recorded targets, one per line, in arrival order
//   /__reset     forgets the recorded targets
//   /__quit      ends the server
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Socket.h"

namespace {

std::string Reply(int status, const std::string& body, const char* type = "text/html") {
    const char* reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Bad Request";
    std::ostringstream out;
    out << "HTTP/1.1 " << status << ' ' << reason << "\r\n"
        << "Content-Type: " << type << "\r\n"
        << "Content-Length: " << body.size() << "\r\n"
        << "Connection: close\r\n\r\n"
        << body;
    return out.str();
}

bool ReadFixture(const std::string& folder, const std::string& path, std::string& body) {
    if (path.find("..") != std::string::npos) return false;
    std::ifstream in(folder + path, std::ios::binary);
    if (!in) return false;
    body.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string fixtures = ".", portFile;
    int port = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string opt = argv[i];
        if (opt == "--fixtures") fixtures = argv[i + 1];
        else if (opt == "--port-file") portFile = argv[i + 1];
        else if (opt == "--port") port = std::atoi(argv[i + 1]);
    }
    auto listener = platform::ListenLoopback(static_cast<std::uint16_t>(port));
    if (!listener) {
        std::fprintf(stderr, "vm_event_server: cannot listen on port %d\n", port);
        return 1;
    }
    if (!portFile.empty()) {
        std::ofstream(portFile + ".tmp") << listener->Port() << "\n";
        std::rename((portFile + ".tmp").c_str(), portFile.c_str());
    }
    std::printf("vm_event_server listening on 127.0.0.1:%u\n", listener->Port());
    std::fflush(stdout);

    std::vector<std::string> recorded;
    for (;;) {
        auto conn = listener->Accept();
        if (!conn) return 1;
        std::string request;
        char buf[4096];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            int n = conn->Receive(buf, sizeof buf);
            if (n <= 0) break;
            request.append(buf, static_cast<std::size_t>(n));
        }
        std::istringstream line(request.substr(0, request.find("\r\n")));
        std::string method, target;
        line >> method >> target;
        if (method != "GET" || target.empty() || target[0] != '/') {
            conn->SendAll(Reply(400, "bad request"));
            continue;
        }
        if (target == "/__requests") {
            std::string all;
            for (auto& r : recorded) all += r + "\n";
            conn->SendAll(Reply(200, all, "text/plain"));
            continue;
        }
        if (target == "/__reset") {
            recorded.clear();
            conn->SendAll(Reply(200, "", "text/plain"));
            continue;
        }
        if (target == "/__quit") {
            conn->SendAll(Reply(200, "", "text/plain"));
            return 0;
        }
        recorded.push_back(target);
        std::string path = target.substr(0, target.find('?'));
        if (path.back() == '/') path += "index.php";
        std::string body;
        if (ReadFixture(fixtures, path, body))
            conn->SendAll(Reply(200, body, "application/octet-stream"));
        else
            conn->SendAll(Reply(404, "<html><body>not found</body></html>"));
    }
}
