// The next draw of a game and its jackpot, asked of the operator's draw service on a thread of its
// own so that showing a game never waits for the network. A game is asked at most once a minute;
// a failed answer leaves nothing to show and is never put before the user.
#pragma once

#include "prizes/DrawService.h"

#include <QObject>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <thread>

namespace karvo {

class NextDrawFetcher : public QObject
{
    Q_OBJECT
public:
    // base: the service's address, DrawServiceBase() by default.
    explicit NextDrawFetcher(QObject* parent, std::string base = DrawServiceBase());
    // Stops the transfers under way and waits for their threads: within a poll's time.
    ~NextDrawFetcher() override;

    // Asks for game's next draw, unless it was asked within the last minute or has no service.
    void request(GameCode game);
    // What the last answer for game said; nothing when none came or it could not be read.
    std::optional<NextDraw> known(GameCode game) const;

signals:
    void answered(GameCode game);

private:
    struct Ask
    {
        std::chrono::steady_clock::time_point at;
        std::optional<NextDraw> next;
        std::thread worker;
        std::shared_ptr<std::atomic<bool>> done;
    };

    std::string m_base;
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
    std::map<GameCode, Ask> m_asks;
};

} // namespace karvo
