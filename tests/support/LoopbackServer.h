// A small HTTP/1.1 server on 127.0.0.1 for tests of everything that fetches: it listens on a free
// port and answers each GET, one connection at a time in a thread of its own, from a map of
// path -> response. A path without a response gets 404 with an empty body.
#pragma once

#include <algorithm>
#include <arpa/inet.h>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace karvo::test {

struct LoopbackResponse
{
    std::string body;
    int status = 200;
    std::string location;  // sent as Location: use with a 3xx status
    bool hang = false;     // read the request, then answer nothing until the client gives up
    long sendBytes = -1;   // when 0 or more: close after this many bytes of the announced body

    static LoopbackResponse Body(std::string body, int status = 200) { return {std::move(body), status, {}, false, -1}; }
    static LoopbackResponse Redirect(std::string location) { return {{}, 302, std::move(location), false, -1}; }
    static LoopbackResponse Hang() { return {{}, 200, {}, true, -1}; }
    LoopbackResponse cutAfter(long bytes) const
    {
        LoopbackResponse cut = *this;
        cut.sendBytes = bytes;
        return cut;
    }
};

class LoopbackServer
{
public:
    LoopbackServer()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // port 0: the system picks a free one
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_listener, generic, length) != 0 || ::listen(m_listener, 16) != 0
            || ::getsockname(m_listener, generic, &length) != 0) {
            throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
        }
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { run(); });
    }
    // Shutting the listener down wakes the blocked accept, which ends the thread.
    ~LoopbackServer()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        ::close(m_listener);
    }

    void set(const std::string& path, LoopbackResponse response)
    {
        std::lock_guard lock(m_mutex);
        m_responses[path] = std::move(response);
    }
    // "http://127.0.0.1:<port>", no trailing "/".
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    // Paths requested so far, in arrival order.
    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    int requestCount(const std::string& path) const
    {
        const std::vector<std::string> seen = requests();
        return static_cast<int>(std::count(seen.begin(), seen.end(), path));
    }

private:
    void run()
    {
        for (int socket; (socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; ::close(socket)) {
            serve(socket);
        }
    }

    void serve(int socket)
    {
        std::string request;
        char buffer[4096];
        for (ssize_t got = 0; request.find("\r\n\r\n") == std::string::npos; request.append(buffer, got)) {
            if ((got = ::recv(socket, buffer, sizeof buffer, 0)) <= 0) {
                return;
            }
        }
        const std::string path = request.substr(4, request.find(' ', 4) - 4);  // "GET <path> HTTP/1.1"
        LoopbackResponse response = LoopbackResponse::Body({}, 404);
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(path);
            if (auto found = m_responses.find(path); found != m_responses.end()) {
                response = found->second;
            }
        }
        // A hanging answer waits until the client closes the connection after its time-out.
        while (response.hang && ::recv(socket, buffer, sizeof buffer, 0) > 0) {
        }
        std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " Status\r\nContent-Length: "
                            + std::to_string(response.body.size()) + "\r\nConnection: close\r\n";
        if (!response.location.empty()) {
            reply += "Location: " + response.location + "\r\n";
        }
        // sendBytes -1 converts to the largest size: the whole body.
        reply += "\r\n" + response.body.substr(0, std::min<std::size_t>(response.body.size(), response.sendBytes));
        if (!response.hang) {
            ::send(socket, reply.data(), reply.size(), MSG_NOSIGNAL);  // blocks until all is queued
        }
    }

    int m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, LoopbackResponse> m_responses;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

} // namespace karvo::test
