// A small HTTP/1.1 server on 127.0.0.1 for tests of everything that fetches: it listens on a free
// port and answers each GET, every connection in a thread of its own, from a map of
// path -> response. A path without a response gets 404 with an empty body. Besides whole
// answers it plays the hostile servers: one that never answers, one that cuts the body short,
// one whose body never ends and one that trickles it a few bytes at a time. setDelay makes every
// answer wait, as a distant server would.
#pragma once

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace karvo::test {

struct LoopbackResponse
{
    std::string body;
    int status = 200;
    std::string location;     // sent as Location: use with a 3xx status
    bool hang = false;        // read the request, then answer nothing until the client gives up
    long sendBytes = -1;      // when 0 or more: close after this many bytes of the announced body
    bool endless = false;     // no length announced; the body is sent again and again until the client leaves
    int trickleMs = 0;        // when more than 0: the body goes out 16 bytes at a time, this far apart
    std::string headers = {}; // further header lines, each ending in "\r\n" ("Retry-After: 1\r\n")

    static LoopbackResponse Body(std::string body, int status = 200, long sendBytes = -1)
    {
        return {std::move(body), status, {}, false, sendBytes};
    }
};

class LoopbackServer
{
public:
    LoopbackServer()
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}}; // port 0: the system picks one
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_listener, generic, length) != 0 || ::listen(m_listener, 16) != 0
            || ::getsockname(m_listener, generic, &length) != 0) {
            throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
        }
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            for (int socket; (socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
                std::lock_guard lock(m_mutex);
                m_connections.emplace_back([this, socket] {
                    const int open = ++m_open;
                    for (int most = m_mostOpen; open > most && !m_mostOpen.compare_exchange_weak(most, open);) { }
                    // A connection stops counting as open just before its last byte goes: the
                    // client cannot have the whole answer (and start another transfer) sooner.
                    bool released = false;
                    serve(socket, [this, &released] {
                        if (!std::exchange(released, true)) {
                            --m_open;
                        }
                    });
                    ::close(socket);
                    if (!released) {
                        --m_open;
                    }
                });
            }
        });
    }
    // Shutting the listener down wakes the blocked accept, which ends the thread.
    ~LoopbackServer()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        m_thread.join();
        for (std::thread& connection : m_connections) {
            connection.join();
        }
        ::close(m_listener);
    }

    // A port on 127.0.0.1 where nothing listens: a connection to it is refused.
    static int RefusedPort()
    {
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), length);
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(probe); // bound but never listening, and now closed: nothing answers there
        return ntohs(address.sin_port);
    }
    void setDelay(std::chrono::milliseconds delay) { m_delay = delay; }

    void set(const std::string& path, LoopbackResponse response)
    {
        std::lock_guard lock(m_mutex);
        m_responses[path] = std::move(response);
    }
    // Answers the next request for path with response, once, before the one set for it.
    void queue(const std::string& path, LoopbackResponse response)
    {
        std::lock_guard lock(m_mutex);
        m_queued[path].push_back(std::move(response));
    }
    // "http://127.0.0.1:<port>", no trailing "/".
    std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    // Paths requested so far, in arrival order, and how often one was.
    std::vector<std::string> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    int requestCount(const std::string& path) const { return static_cast<int>(std::ranges::count(requests(), path)); }
    // Connections being answered now (a trickle ends once the client has gone), and the most at once.
    int openConnections() const { return m_open; }
    int mostOpenConnections() const { return m_mostOpen; }

private:
    void serve(int socket, const std::function<void()>& release)
    {
        std::string request;
        char buffer[4096];
        for (ssize_t got = 0; request.find("\r\n\r\n") == std::string::npos; request.append(buffer, got)) {
            if ((got = ::recv(socket, buffer, sizeof buffer, 0)) <= 0) {
                return;
            }
        }
        const std::string path = request.substr(4, request.find(' ', 4) - 4); // "GET <path> HTTP/1.1"
        std::this_thread::sleep_for(m_delay.load());
        std::unique_lock lock(m_mutex);
        m_requests.push_back(path);
        const auto found = m_responses.find(path);
        LoopbackResponse response = found != m_responses.end() ? found->second : LoopbackResponse::Body({}, 404);
        if (auto& queued = m_queued[path]; !queued.empty()) {
            response = std::move(queued.front());
            queued.pop_front();
        }
        lock.unlock();
        // A hanging answer waits until the client closes the connection after its time-out.
        while (response.hang && ::recv(socket, buffer, sizeof buffer, 0) > 0) { }
        // sendBytes -1 converts to npos: the whole body.
        const std::string reply = "HTTP/1.1 " + std::to_string(response.status)
            + " Status\r\nContent-Length: " + std::to_string(response.body.size()) + "\r\nConnection: close\r\n"
            + (response.location.empty() ? "" : "Location: " + response.location + "\r\n") + response.headers + "\r\n"
            + response.body.substr(0, static_cast<std::size_t>(response.sendBytes));
        if (response.endless) {
            sendEndless(socket, response.body);
        } else if (response.trickleMs > 0) {
            sendTrickle(socket, reply, response.trickleMs, release);
        } else if (!response.hang) {
            // Blocks until all is queued.
            if (::send(socket, reply.data(), reply.size() - 1, MSG_NOSIGNAL) >= 0) {
                release();
                ::send(socket, reply.data() + reply.size() - 1, 1, MSG_NOSIGNAL);
            }
        }
    }
    // Until a send fails: the client has closed the connection.
    static void sendEndless(int socket, const std::string& body)
    {
        const std::string head = "HTTP/1.1 200 Status\r\nConnection: close\r\n\r\n";
        if (::send(socket, head.data(), head.size(), MSG_NOSIGNAL) < 0) {
            return;
        }
        while (::send(socket, body.data(), body.size(), MSG_NOSIGNAL) > 0) { }
    }
    static void sendTrickle(int socket, const std::string& reply, int pauseMs, const std::function<void()>& release)
    {
        const std::size_t head = reply.find("\r\n\r\n") + 4;
        if (::send(socket, reply.data(), head, MSG_NOSIGNAL) < 0) {
            return;
        }
        for (std::size_t at = head; at < reply.size(); at += 16) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            if (at + 16 >= reply.size()) {
                release();
            }
            if (::send(socket, reply.data() + at, std::min<std::size_t>(16, reply.size() - at), MSG_NOSIGNAL) < 0) {
                return;
            }
        }
    }

    int m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, LoopbackResponse> m_responses;
    std::map<std::string, std::deque<LoopbackResponse>> m_queued;
    std::vector<std::string> m_requests;
    std::atomic<std::chrono::milliseconds> m_delay{std::chrono::milliseconds(0)};
    std::vector<std::thread> m_connections;
    std::atomic<int> m_open{0};
    std::atomic<int> m_mostOpen{0};
    std::thread m_thread;
};

} // namespace karvo::test
