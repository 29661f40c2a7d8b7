// The one place that runs transfers: libcurl's multi interface on the calling thread, polled a
// few dozen times a second, so the window stays painted and a Cancel is seen while bodies arrive.
// Several jobs (a range of days, one workbook, a workbook per game) share at most `parallel`
// transfers; each job's bodies are delivered on the calling thread in the job's own order.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace karvo {

// A dead or hostile server must not hang the window or fill the disk: the connection has to open
// within connectMs; a transfer slower than lowSpeedBytes a second for stallSeconds on end is given
// up, and so is one still running after totalMs (a server that drips just above the floor); a
// body larger than maxBodyBytes is refused. As constructed: the limits the program runs with.
struct DownloadLimits
{
    long connectMs = 20000;
    long stallSeconds = 60;
    long lowSpeedBytes = 1024;
    long long maxBodyBytes = 64LL << 20;
    long totalMs = 5L * 60 * 1000;
};

// Why a transfer brought no whole body. Unreachable: no connection, unknown host, TLS handshake
// or certificate; TooLarge: past maxBodyBytes; Stalled: under the speed floor after the request
// went out; TimedOut: past the overall limit; WriteFailed: the request's file refused the body;
// Other: a broken transfer, a connection that never opened in time.
enum class FetchFailure { None, Unreachable, Other, TooLarge, Stalled, TimedOut, WriteFailed };

// One URL of a job. With fd at 0 or more the body is written to that open file as it arrives;
// otherwise it is kept in memory and delivered. open, when given, is asked for that file as the
// request starts (a long job keeps only its files under way open); less than 0: no file could be
// made, and the request fails without a transfer.
struct FetchRequest
{
    std::string url;
    int fd = -1;
    std::function<int()> open = {};
    long long maxBodyBytes = 0; // more than 0: a lower body limit for this request alone
};

struct FetchedBody
{
    std::string body; // in-memory requests only
    FetchFailure failure = FetchFailure::None;
    long status = 0;                 // the HTTP status of the last answer, 0 when none came
    int writeError = 0;              // errno of the write that failed (WriteFailed)
    int transferCode = 0;            // libcurl's result of the transfer (a CURLcode), 0 when it succeeded
    long long maxBodyBytes = 0;      // the body limit the transfer ran with (TooLarge)
    long long retryAfterSeconds = 0; // the answer's Retry-After, in seconds; 0 when it gave none
};

// Why a transfer brought no body, in Greek (UTF-8) and naming host: the host was not found,
// refused the connection, did not answer in time, failed the TLS handshake, sent too many
// redirects, broke off the transfer, sent more than the limit. Empty for a transfer that
// succeeded.
std::string TransferFailureText(const FetchedBody& result, const std::string& host, const DownloadLimits& limits);

// The host (and port) of an http(s) URL, as the messages name it.
std::string HostOf(const std::string& url);

// Asked at least every kFetchPollMs while transfers run, and after each delivery: keeps the window
// answering; true stops the run.
using FetchPoll = std::function<bool()>;
inline constexpr int kFetchPollMs = 50;

// The transfers a window allows at once.
inline constexpr int kTransfersAtOnce = 4;

class FetchRunner
{
public:
    using Deliver = std::function<void(std::size_t index, FetchedBody body)>;

    // Every transfer of the runner keeps to limits.
    explicit FetchRunner(int parallel = kTransfersAtOnce, const DownloadLimits& limits = {});
    ~FetchRunner();
    FetchRunner(const FetchRunner&) = delete;
    FetchRunner& operator=(const FetchRunner&) = delete;

    // Adds a job, also while running (from a delivery), and returns its number (0 for the first).
    // Its requests start in order, none more than `parallel` places ahead of the first body the
    // job has not delivered, and the jobs take turns for free places. deliver(index, body) is
    // called once per request, in index order.
    std::size_t add(std::vector<FetchRequest> requests, Deliver deliver);

    // Ends a job, also from its own delivery: its transfers under way are aborted, its requests
    // not started never start and nothing more of it is delivered. The other jobs go on.
    void stopJob(std::size_t job);

    // Starts nothing more, also when called from poll or a delivery: the transfers under way
    // end (or reach their limits) and are delivered, then run returns. A delivery's place goes to
    // the next request before the body is handed over, so that request is under way too.
    void drain();

    // Runs until every job is delivered (true) or poll answers true (false): then the transfers
    // under way are aborted at once and nothing more is delivered. After drain it returns once
    // the transfers under way are delivered: false when a job was left with requests not started.
    // An exception from a delivery aborts the same way and leaves run.
    bool run(const FetchPoll& poll);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace karvo
