#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace karvo::test {

namespace {

const char* ReasonOf(int status)
{
    switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

bool SendAll(int socket, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

// The path of the request line "GET <path> HTTP/1.1", once the headers have arrived.
std::string ReadRequestPath(int socket)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd ready{socket, POLLIN, 0};
        if (::poll(&ready, 1, 5000) <= 0) {
            return {};
        }
        const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return {};
        }
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t first = request.find(' ');
    const std::size_t second = first == std::string::npos ? first : request.find(' ', first + 1);
    return second == std::string::npos ? std::string() : request.substr(first + 1, second - first - 1);
}

} // namespace

LoopbackResponse LoopbackResponse::Body(std::string body, int status)
{
    LoopbackResponse response;
    response.body = std::move(body);
    response.status = status;
    return response;
}

LoopbackResponse LoopbackResponse::Redirect(std::string location, int status)
{
    LoopbackResponse response;
    response.location = std::move(location);
    response.status = status;
    return response;
}

LoopbackResponse LoopbackResponse::Hang()
{
    LoopbackResponse response;
    response.hang = true;
    return response;
}

LoopbackResponse LoopbackResponse::delayed(int ms) const
{
    LoopbackResponse response = *this;
    response.delayMs = ms;
    return response;
}

LoopbackResponse LoopbackResponse::withoutBody() const
{
    LoopbackResponse response = *this;
    response.closeWithoutBody = true;
    return response;
}

LoopbackResponse LoopbackResponse::cutAfter(long bytes) const
{
    LoopbackResponse response = *this;
    response.sendBytes = bytes;
    return response;
}

LoopbackServer::LoopbackServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // the system picks a free port
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(m_listener, 16) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stopSignal.notify_all();
    m_acceptor.join();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
    ::close(m_listener);
}

void LoopbackServer::set(const std::string& path, LoopbackResponse response)
{
    std::lock_guard lock(m_mutex);
    m_responses[path] = std::move(response);
}

void LoopbackServer::clear()
{
    std::lock_guard lock(m_mutex);
    m_responses.clear();
}

std::string LoopbackServer::baseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::vector<std::string> LoopbackServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int LoopbackServer::requestCount(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    int count = 0;
    for (const std::string& seen : m_requests) {
        count += seen == path ? 1 : 0;
    }
    return count;
}

void LoopbackServer::acceptLoop()
{
    // Polls with a short period so that the stop flag is seen without a wake-up pipe.
    while (!m_stopping) {
        pollfd ready{m_listener, POLLIN, 0};
        if (::poll(&ready, 1, 50) <= 0) {
            continue;
        }
        const int socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (socket < 0) {
            continue;
        }
        std::lock_guard lock(m_mutex);
        m_workers.emplace_back([this, socket] {
            serve(socket);
            ::close(socket);
        });
    }
}

bool LoopbackServer::waitUnlessStopping(int ms)
{
    std::unique_lock lock(m_mutex);
    return !m_stopSignal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping.load(); });
}

void LoopbackServer::serve(int socket)
{
    const std::string path = ReadRequestPath(socket);
    if (path.empty()) {
        return;
    }
    LoopbackResponse response = LoopbackResponse::Body({}, 404);
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(path);
        if (auto found = m_responses.find(path); found != m_responses.end()) {
            response = found->second;
        }
    }
    if (response.hang) {
        waitUnlessStopping(24 * 3600 * 1000);
        return;
    }
    if (response.delayMs > 0 && !waitUnlessStopping(response.delayMs)) {
        return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + ReasonOf(response.status) + "\r\n"
                       + "Content-Type: " + response.contentType + "\r\n"
                       + "Content-Length: " + std::to_string(response.body.size()) + "\r\n"
                       + "Connection: close\r\n";
    if (!response.location.empty()) {
        head += "Location: " + response.location + "\r\n";
    }
    head += "\r\n";
    if (!SendAll(socket, head.data(), head.size()) || response.closeWithoutBody) {
        return;
    }
    std::size_t size = response.body.size();
    if (response.sendBytes >= 0 && static_cast<std::size_t>(response.sendBytes) < size) {
        size = static_cast<std::size_t>(response.sendBytes);
    }
    SendAll(socket, response.body.data(), size);
    ::shutdown(socket, SHUT_WR);
}

} // namespace karvo::test
