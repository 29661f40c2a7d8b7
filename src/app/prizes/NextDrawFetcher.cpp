#include "app/prizes/NextDrawFetcher.h"

#include "update/DrawServiceFetch.h"

#include <QMetaObject>

namespace karvo {

namespace {

constexpr auto kAskAgainAfter = std::chrono::minutes(1);

} // namespace

NextDrawFetcher::NextDrawFetcher(QObject* parent, std::string base)
    : QObject(parent)
    , m_base(std::move(base))
{
}

NextDrawFetcher::~NextDrawFetcher()
{
    m_stop->store(true);
    for (auto& [game, ask] : m_asks) {
        if (ask.worker.joinable()) {
            ask.worker.join();
        }
    }
}

void NextDrawFetcher::request(GameCode game)
{
    if (!HasDrawService(game)) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    Ask& ask = m_asks[game];
    if (ask.done && (!ask.done->load() || now - ask.at < kAskAgainAfter)) {
        return; // under way, or asked a moment ago
    }
    if (ask.worker.joinable()) {
        ask.worker.join(); // finished: its answer has been delivered
    }
    ask.at = now;
    ask.done = std::make_shared<std::atomic<bool>>(false);
    ask.worker = std::thread([this, game, base = m_base, stop = m_stop, done = ask.done] {
        std::vector<DrawServiceResult> results = FetchFromDrawService({{game}}, base, [stop] { return stop->load(); });
        std::optional<NextDraw> next = std::move(results.front().next);
        done->store(true);
        if (stop->load()) {
            return;
        }
        // Delivered on the window's thread; a fetcher gone by then takes its queued call with it.
        QMetaObject::invokeMethod(
            this,
            [this, game, next = std::move(next)] {
                m_asks[game].next = next;
                emit answered(game);
            },
            Qt::QueuedConnection);
    });
}

std::optional<NextDraw> NextDrawFetcher::known(GameCode game) const
{
    const auto found = m_asks.find(game);
    return found == m_asks.end() ? std::nullopt : found->second.next;
}

} // namespace karvo
