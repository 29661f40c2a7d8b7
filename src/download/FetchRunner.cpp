#include "download/FetchRunner.h"

#include "download/TransferOptions.h"
#include "util/Files.h"

#include <algorithm>
#include <chrono>
#include <curl/curl.h>
#include <map>

namespace karvo {

namespace {

using Clock = std::chrono::steady_clock;
constexpr long kClockSlackMs = 50;

bool IsUnreachable(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE: return true;
    default: return false;
    }
}

// A job: where its requests stand, and the bodies that wait for the ones before them.
struct Job
{
    std::vector<FetchRequest> requests;
    FetchRunner::Deliver deliver;
    std::size_t next = 0;      // the first request not started
    std::size_t delivered = 0; // the first request not delivered
    std::map<std::size_t, FetchedBody> finished;
    bool stopped = false;

    bool startable(std::size_t window) const { return !stopped && next < requests.size() && next < delivered + window; }
    bool done() const { return stopped || delivered == requests.size(); }
};

// One transfer under way and the body it has brought so far.
struct Transfer
{
    Job* job = nullptr;
    std::size_t index = 0;
    CURL* easy = nullptr;
    int fd = -1;
    DownloadLimits limits;
    Clock::time_point started = Clock::now();
    std::string body;
    long long received = 0;
    bool tooLarge = false;
    int writeError = 0;

    ~Transfer()
    {
        if (easy != nullptr) {
            curl_easy_cleanup(easy);
        }
    }
};

std::size_t TakeBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    // A body without an announced length (or with a false one) stops at the limit too: returning
    // less than given ends the transfer.
    if (transfer->received + static_cast<long long>(bytes) > transfer->limits.maxBodyBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    if (transfer->fd >= 0) {
        transfer->writeError = WriteAll(transfer->fd, std::string_view(data, bytes));
        if (transfer->writeError != 0) {
            return 0;
        }
    } else {
        if (transfer->body.empty()) {
            // Room for the announced length at once: growing by doubling would need half as much again.
            curl_off_t length = -1;
            curl_easy_getinfo(transfer->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
            if (length > 0 && length <= transfer->limits.maxBodyBytes) {
                transfer->body.reserve(static_cast<std::size_t>(length));
            }
        }
        transfer->body.append(data, bytes);
    }
    transfer->received += static_cast<long long>(bytes);
    return bytes;
}

FetchFailure FailureOf(const Transfer& transfer, CURLcode code)
{
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return FetchFailure::TooLarge;
    }
    if (transfer.writeError != 0) {
        return FetchFailure::WriteFailed;
    }
    if (code == CURLE_OPERATION_TIMEDOUT) {
        // Both limits end in the same code; libcurl rounds its clock to the millisecond, so one
        // that comes within a few of the overall limit is that limit.
        if (Clock::now() - transfer.started >= std::chrono::milliseconds(transfer.limits.totalMs - kClockSlackMs)) {
            return FetchFailure::TimedOut;
        }
        // A time-out after the request went out is a server that stopped sending, not one never reached.
        long requestBytes = 0;
        curl_easy_getinfo(transfer.easy, CURLINFO_REQUEST_SIZE, &requestBytes);
        return requestBytes > 0 ? FetchFailure::Stalled : FetchFailure::Other;
    }
    return IsUnreachable(code) ? FetchFailure::Unreachable : FetchFailure::Other;
}

FetchedBody Outcome(Transfer& transfer, CURLcode code)
{
    FetchedBody result;
    result.transferCode = static_cast<int>(code);
    result.maxBodyBytes = transfer.limits.maxBodyBytes;
    curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &result.status);
    curl_off_t retryAfter = 0;
    if (curl_easy_getinfo(transfer.easy, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK && retryAfter > 0) {
        result.retryAfterSeconds = static_cast<long long>(retryAfter);
    }
    if (code == CURLE_OK && !transfer.tooLarge && transfer.writeError == 0) {
        result.body = std::move(transfer.body);
        return result;
    }
    result.failure = FailureOf(transfer, code);
    result.writeError = transfer.writeError;
    return result;
}

std::string Seconds(long ms)
{
    return std::to_string((ms + 999) / 1000);
}

} // namespace

std::string HostOf(const std::string& url)
{
    std::size_t start = url.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    const std::size_t end = url.find_first_of("/?#", start);
    std::string host = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (const std::size_t at = host.rfind('@'); at != std::string::npos) {
        host.erase(0, at + 1); // never a user name or password in a message
    }
    return host;
}

std::string TransferFailureText(const FetchedBody& result, const std::string& host, const DownloadLimits& limits)
{
    switch (result.failure) {
    case FetchFailure::None: return {};
    case FetchFailure::TooLarge:
        return "ο διακομιστής " + host + " έστειλε περισσότερα από " + std::to_string(result.maxBodyBytes >> 20)
            + " MB, περισσότερα από όσα δέχεται το πρόγραμμα";
    case FetchFailure::Stalled:
        return "ο διακομιστής " + host + " σταμάτησε να στέλνει (λιγότερα από " + std::to_string(limits.lowSpeedBytes)
            + " bytes το δευτερόλεπτο επί " + std::to_string(limits.stallSeconds) + " δευτερόλεπτα)";
    case FetchFailure::TimedOut:
        return "ο διακομιστής " + host + " δεν τελείωσε την αποστολή μέσα σε " + Seconds(limits.totalMs)
            + " δευτερόλεπτα";
    case FetchFailure::WriteFailed: return "δεν ήταν δυνατή η εγγραφή της λήψης";
    case FetchFailure::Unreachable:
    case FetchFailure::Other: break;
    }
    switch (static_cast<CURLcode>(result.transferCode)) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return "ο διακομιστής " + host + " δεν βρέθηκε";
    case CURLE_COULDNT_CONNECT: return "ο διακομιστής " + host + " αρνήθηκε τη σύνδεση ή δεν είναι προσβάσιμος";
    case CURLE_OPERATION_TIMEDOUT:
        return "ο διακομιστής " + host + " δεν δέχτηκε σύνδεση μέσα σε " + Seconds(limits.connectMs) + " δευτερόλεπτα";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE: return "η ασφαλής σύνδεση (TLS) με τον διακομιστή " + host + " απέτυχε";
    case CURLE_TOO_MANY_REDIRECTS: return "ο διακομιστής " + host + " έστειλε πάρα πολλές ανακατευθύνσεις";
    case CURLE_GOT_NOTHING: return "ο διακομιστής " + host + " έκλεισε τη σύνδεση χωρίς απάντηση";
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE: return "ο διακομιστής " + host + " διέκοψε τη σύνδεση";
    default:
        return "η μεταφορά από τον διακομιστή " + host + " απέτυχε ("
            + curl_easy_strerror(static_cast<CURLcode>(result.transferCode)) + ")";
    }
}

struct FetchRunner::State
{
    std::size_t parallel;
    DownloadLimits limits;
    CURLM* multi = nullptr;
    std::vector<std::unique_ptr<Job>> jobs;
    std::vector<std::unique_ptr<Transfer>> running;
    std::size_t turn = 0; // the job whose turn it is to start a transfer
    bool draining = false;

    // Removes every transfer from the multi handle and closes its connection.
    void abortAll()
    {
        for (const auto& transfer : running) {
            curl_multi_remove_handle(multi, transfer->easy);
        }
        running.clear();
    }

    // Aborts the transfers of one job.
    void abortJob(const Job& job)
    {
        std::erase_if(running, [&](const auto& transfer) {
            if (transfer->job != &job) {
                return false;
            }
            curl_multi_remove_handle(multi, transfer->easy);
            return true;
        });
    }

    void start(Job& job)
    {
        const std::size_t index = job.next++;
        FetchRequest& request = job.requests[index];
        if (request.open) {
            request.fd = request.open();
            if (request.fd < 0) {
                job.finished.emplace(index, FetchedBody{{}, FetchFailure::WriteFailed});
                return;
            }
        }
        auto transfer = std::make_unique<Transfer>();
        transfer->job = &job;
        transfer->index = index;
        transfer->fd = request.fd;
        transfer->limits = limits;
        if (request.maxBodyBytes > 0) {
            transfer->limits.maxBodyBytes = std::min(transfer->limits.maxBodyBytes, request.maxBodyBytes);
        }
        transfer->easy = curl_easy_init();
        if (transfer->easy != nullptr) {
            SetTransferOptions(transfer->easy, request.url, transfer->limits);
            curl_easy_setopt(transfer->easy, CURLOPT_WRITEFUNCTION, TakeBody);
            curl_easy_setopt(transfer->easy, CURLOPT_WRITEDATA, transfer.get());
            curl_easy_setopt(transfer->easy, CURLOPT_PRIVATE, transfer.get());
            if (multi != nullptr && curl_multi_add_handle(multi, transfer->easy) == CURLM_OK) {
                running.push_back(std::move(transfer));
                return;
            }
        }
        job.finished.emplace(index, FetchedBody{{}, FetchFailure::Other});
    }

    // Fills the free places, the jobs taking turns, and sends the new requests at once.
    void startTransfers()
    {
        bool started = false;
        for (std::size_t idle = 0; !draining && running.size() < parallel && idle < jobs.size();) {
            Job& job = *jobs[turn % jobs.size()];
            turn = (turn + 1) % jobs.size();
            if (job.startable(parallel)) {
                start(job);
                started = true;
                idle = 0;
            } else {
                ++idle;
            }
        }
        int active = 0;
        if (started && multi != nullptr) {
            // The first pass opens the connections, the second sends the requests down those
            // already open (at once on a near server).
            curl_multi_perform(multi, &active);
            curl_multi_poll(multi, nullptr, 0, 0, nullptr);
            curl_multi_perform(multi, &active);
            // Those passes may have ended other transfers too: their bodies are not to wait.
            collectFinished();
        }
    }

    void collectFinished()
    {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg != CURLMSG_DONE) {
                continue;
            }
            const auto found = std::find_if(running.begin(), running.end(), [&](const auto& transfer) {
                return transfer->easy == message->easy_handle;
            });
            if (found == running.end()) {
                continue;
            }
            Transfer& transfer = **found;
            const CURLcode code = message->data.result;
            curl_multi_remove_handle(multi, transfer.easy);
            transfer.job->finished.emplace(transfer.index, Outcome(transfer, code));
            running.erase(found);
        }
    }

    // Delivers every body whose turn has come; false when poll stopped the run.
    bool deliverFinished(const FetchPoll& poll)
    {
        for (bool delivered = true; delivered;) {
            delivered = false;
            // By index: a delivery may add a job.
            for (std::size_t j = 0; j < jobs.size(); ++j) {
                Job& job = *jobs[j];
                if (job.stopped) {
                    continue;
                }
                const auto found = job.finished.find(job.delivered);
                if (found == job.finished.end()) {
                    continue;
                }
                FetchedBody body = std::move(found->second);
                job.finished.erase(found);
                const std::size_t index = job.delivered++;
                // The requests its place frees go out before the body is stored, and the servers
                // answer them while storing waits for the disk.
                startTransfers();
                job.deliver(index, std::move(body));
                delivered = true;
                // The next request is under way before the next body is stored: storing waits for the disk.
                startTransfers();
                if (poll && poll()) {
                    return false;
                }
            }
        }
        return true;
    }

    // A body whose turn has come waits to be delivered.
    bool deliverable() const
    {
        return std::any_of(jobs.begin(), jobs.end(),
                           [](const auto& job) { return !job->stopped && job->finished.count(job->delivered) > 0; });
    }

    bool allDelivered() const
    {
        return std::all_of(jobs.begin(), jobs.end(), [](const auto& job) { return job->done(); });
    }
};

FetchRunner::FetchRunner(int parallel, const DownloadLimits& limits)
    : m_state(std::make_unique<State>())
{
    InitialiseCurl();
    m_state->parallel = parallel < 1 ? 1 : static_cast<std::size_t>(parallel);
    m_state->limits = limits;
    m_state->multi = curl_multi_init();
}

FetchRunner::~FetchRunner()
{
    m_state->abortAll();
    if (m_state->multi != nullptr) {
        curl_multi_cleanup(m_state->multi);
    }
}

std::size_t FetchRunner::add(std::vector<FetchRequest> requests, Deliver deliver)
{
    auto job = std::make_unique<Job>();
    job->requests = std::move(requests);
    job->deliver = std::move(deliver);
    m_state->jobs.push_back(std::move(job));
    return m_state->jobs.size() - 1;
}

void FetchRunner::stopJob(std::size_t job)
{
    Job& stopped = *m_state->jobs.at(job);
    stopped.stopped = true;
    stopped.finished.clear();
    m_state->abortJob(stopped);
}

void FetchRunner::drain()
{
    m_state->draining = true;
}

bool FetchRunner::run(const FetchPoll& poll)
{
    State& s = *m_state;
    auto lastPoll = Clock::now();
    // Stops at once: the aborted transfers close their connections.
    auto stop = [&] {
        lastPoll = Clock::now();
        if (poll && poll()) {
            s.abortAll();
            return true;
        }
        return false;
    };
    try {
        while (true) {
            s.startTransfers();
            if (!s.deliverFinished(stop)) {
                return false;
            }
            if (s.running.empty() && (s.draining || s.allDelivered())) {
                return s.allDelivered();
            }
            int active = 0;
            curl_multi_perform(s.multi, &active);
            s.collectFinished();
            if (Clock::now() - lastPoll >= std::chrono::milliseconds(kFetchPollMs) && stop()) {
                return false;
            }
            if (!s.running.empty() && !s.deliverable()) {
                curl_multi_poll(s.multi, nullptr, 0, kFetchPollMs, nullptr);
            }
        }
    } catch (...) {
        s.abortAll();
        throw;
    }
}

} // namespace karvo
