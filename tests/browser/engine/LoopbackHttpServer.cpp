#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

int listenOnLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0) {
        ::close(fd);
        throw std::runtime_error("bind or listen failed");
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::string reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    listener_ = listenOnLoopback(port_);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    acceptor_.join();
    ::close(listener_);
    std::vector<std::thread> workers;
    {
        std::lock_guard guard(lock_);
        workers = std::move(workers_);
    }
    for (auto& worker : workers)
        worker.join();
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackHttpServer::route(const std::string& path, HttpReply reply) {
    std::lock_guard guard(lock_);
    routes_[path] = std::move(reply);
}

int LoopbackHttpServer::hits(const std::string& path) const {
    std::lock_guard guard(lock_);
    const auto found = hits_.find(path);
    return found == hits_.end() ? 0 : found->second;
}

std::string LoopbackHttpServer::lastRequest(const std::string& path) const {
    std::lock_guard guard(lock_);
    const auto found = lastRequests_.find(path);
    return found == lastRequests_.end() ? std::string() : found->second;
}

int LoopbackHttpServer::closedPort() {
    int port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return port;
}

void LoopbackHttpServer::acceptLoop() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::lock_guard guard(lock_);
        workers_.emplace_back([this, connection] { serve(connection); });
    }
}

void LoopbackHttpServer::hold(int milliseconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!stopping_ && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void LoopbackHttpServer::serve(int connection) {
    // A client that never closes must not hold the server's shutdown.
    timeval timeout{5, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd waiting{connection, POLLIN, 0};
        if (stopping_ || ::poll(&waiting, 1, 5000) <= 0)
            break;
        const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        request.append(buffer, static_cast<std::size_t>(count));
    }
    const auto firstSpace = request.find(' ');
    const auto secondSpace = request.find(' ', firstSpace + 1);
    if (firstSpace == std::string::npos || secondSpace == std::string::npos) {
        ::close(connection);
        return;
    }
    std::string path = request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    path = path.substr(0, path.find('?'));
    HttpReply reply;
    {
        std::lock_guard guard(lock_);
        ++hits_[path];
        lastRequests_[path] = request.substr(0, request.find("\r\n\r\n"));
        const auto found = routes_.find(path);
        if (found != routes_.end())
            reply = found->second;
        else
            reply = HttpReply{404, "text/html", "<html><body>missing</body></html>", {}, {}};
    }
    if (!reply.requiredAuthorization.empty() &&
        request.find("\r\nAuthorization: " + reply.requiredAuthorization + "\r\n") ==
            std::string::npos)
        reply = HttpReply{401,
                          "text/html",
                          "<html><body>who are you</body></html>",
                          {{"WWW-Authenticate", "Basic realm=\"plenfox\""}},
                          {}};
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonOf(reply.status) +
                       "\r\nContent-Type: " + reply.contentType +
                       "\r\nContent-Length: " + std::to_string(reply.body.size()) +
                       "\r\nConnection: close\r\n";
    for (const auto& [name, value] : reply.headers)
        head += name + ": " + value + "\r\n";
    head += "\r\n";
    const std::size_t bodyBytes =
        reply.breakAfter >= 0 ? static_cast<std::size_t>(reply.breakAfter) : reply.body.size();
    if (sendAll(connection, head.data(), head.size())) {
        const std::size_t firstPart = reply.holdMs > 0 ? bodyBytes / 2 : bodyBytes;
        if (sendAll(connection, reply.body.data(), firstPart) && firstPart < bodyBytes) {
            hold(reply.holdMs);
            sendAll(connection, reply.body.data() + firstPart, bodyBytes - firstPart);
        }
    }
    ::shutdown(connection, SHUT_WR);
    // Let the client read everything before the socket closes.
    while (::recv(connection, buffer, sizeof buffer, 0) > 0) {
    }
    ::close(connection);
}
