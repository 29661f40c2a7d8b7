#include "update/DrawServiceFetch.h"

#include "util/KarvoError.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace karvo {

namespace {

constexpr int kMostRetries = 2;
constexpr long long kLongestRetryWaitSeconds = 30;

bool ShouldRetry(const FetchedBody& body)
{
    return body.failure == FetchFailure::None && (body.status == 429 || body.status == 503);
}

} // namespace

DownloadLimits DrawServiceLimits()
{
    DownloadLimits limits;
    limits.connectMs = 10000;
    limits.stallSeconds = 15;
    limits.maxBodyBytes = 4LL << 20;
    limits.totalMs = 30000;
    return limits;
}

std::vector<DrawServiceResult> FetchFromDrawService(const std::vector<DrawServiceRequest>& requests,
                                                    const std::string& base, const FetchPoll& poll,
                                                    const DownloadLimits& limits)
{
    std::vector<DrawServiceResult> results(requests.size());
    std::vector<FetchedBody> bodies(requests.size());
    std::vector<std::size_t> asking(requests.size());
    for (std::size_t i = 0; i < asking.size(); ++i) {
        asking[i] = i;
    }
    std::vector<bool> stopped(requests.size(), false);
    for (int round = 0; !asking.empty(); ++round) {
        std::vector<FetchRequest> fetches;
        fetches.reserve(asking.size());
        for (const std::size_t i : asking) {
            fetches.push_back({DrawServiceUrl(base, requests[i].game, requests[i].drawId)});
        }
        FetchRunner runner(kTransfersAtOnce, limits);
        runner.add(fetches, [&](std::size_t k, FetchedBody body) { bodies[asking[k]] = std::move(body); });
        bool stop = !runner.run(poll ? poll : [] { return false; });
        // The busy answers are asked again once the longest wait any of them asked for is over.
        std::vector<std::size_t> again;
        long long waitSeconds = 1;
        for (const std::size_t i : asking) {
            if (round < kMostRetries && ShouldRetry(bodies[i])) {
                again.push_back(i);
                waitSeconds = std::max(waitSeconds, std::min(bodies[i].retryAfterSeconds, kLongestRetryWaitSeconds));
            }
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
        while (!stop && !again.empty() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kFetchPollMs));
            stop = poll && poll();
        }
        if (stop) {
            for (const std::size_t i : asking) {
                stopped[i] = true;
            }
            break;
        }
        asking = std::move(again);
    }
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const FetchedBody& body = bodies[i];
        const std::string caption = GameInfoFor(requests[i].game).caption;
        const std::string url = DrawServiceUrl(base, requests[i].game, requests[i].drawId);
        if (stopped[i]) {
            results[i].error = caption + ": η ερώτηση στην υπηρεσία κληρώσεων διακόπηκε.";
            continue;
        }
        if (body.failure != FetchFailure::None) {
            results[i].error = caption
                + ": η υπηρεσία κληρώσεων δεν απάντησε: " + TransferFailureText(body, HostOf(url), limits) + ".";
            continue;
        }
        if (body.status >= 400 || body.status < 200) {
            results[i].error =
                caption + ": η υπηρεσία κληρώσεων απάντησε με σφάλμα (HTTP " + std::to_string(body.status) + ").";
            continue;
        }
        try {
            if (requests[i].drawId > 0) {
                ServiceDraw draw = ServiceDrawFromJson(requests[i].game, body.body);
                if (draw.drawId != requests[i].drawId) {
                    throw KarvoError(caption + ": η απάντηση της υπηρεσίας κληρώσεων είναι για την κλήρωση "
                                     + std::to_string(draw.drawId) + ", όχι για την "
                                     + std::to_string(requests[i].drawId) + ".");
                }
                results[i].draw = std::move(draw);
            } else {
                results[i].next = NextDrawFromJson(requests[i].game, body.body);
            }
        } catch (const KarvoError& error) {
            results[i].draw.reset();
            results[i].error = error.what();
        }
    }
    return results;
}

} // namespace karvo
