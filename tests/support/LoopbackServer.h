// A small HTTP/1.1 server on 127.0.0.1 for tests of everything that fetches: it listens on a
// random free port in a thread of its own and answers each GET from a map of path -> response.
//
//   LoopbackServer server;
//   server.set("/Excel_xlsx/5103/lotto_2024.xlsx", LoopbackResponse::Body(bytes));
//   server.set("/old", LoopbackResponse::Redirect("/new"));
//   server.set("/dead", LoopbackResponse::Hang());              // accepts, never answers
//   server.set("/cut", LoopbackResponse::Body(bytes).cutAfter(100));
//   setenv("KARVO_OPAP_MEDIA_URL", server.baseUrl().c_str(), 1);
//
// One request per connection ("Connection: close"); a path without a response gets 404 with an
// empty body. The query string is part of the path looked up. Each connection is served by its
// own thread; the destructor releases hanging connections and joins every thread, so a test ends
// cleanly even when the client gave up. Responses may be changed while the server runs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace karvo::test {

struct LoopbackResponse
{
    std::string body;
    int status = 200;
    std::string location;              // sent as Location (a path or a full URL): use with a 3xx status
    std::string contentType = "application/octet-stream";
    int delayMs = 0;                   // wait before the status line
    bool hang = false;                 // read the request, then send nothing until the server stops
    bool closeWithoutBody = false;     // send the headers (with the body's length), then close
    long sendBytes = -1;               // when 0 or more: close after this many bytes of the body

    static LoopbackResponse Body(std::string body, int status = 200);
    static LoopbackResponse Redirect(std::string location, int status = 302);
    static LoopbackResponse Hang();
    LoopbackResponse delayed(int ms) const;
    LoopbackResponse withoutBody() const;
    LoopbackResponse cutAfter(long bytes) const;
};

class LoopbackServer
{
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    void set(const std::string& path, LoopbackResponse response);
    void clear();

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>", no trailing "/".
    std::string baseUrl() const;
    std::string url(const std::string& path) const { return baseUrl() + path; }

    // Paths requested so far, in arrival order.
    std::vector<std::string> requests() const;
    int requestCount(const std::string& path) const;

private:
    void acceptLoop();
    void serve(int socket);
    // Sleeps up to ms, returning early (false) when the server stops.
    bool waitUnlessStopping(int ms);

    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_stopSignal;
    std::map<std::string, LoopbackResponse> m_responses;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_workers;
    std::thread m_acceptor;
};

} // namespace karvo::test
