// The update of the market data: asks for a range of days, fetches the days of the range a few
// at a time and stores each day that brings data as its day file.
#pragma once

#include <QDate>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace karvo {

class UserInterface;

// Why a day brought no body; Unreachable when the server could not be reached at all.
enum class DayFetchFailure { None, Unreachable, Other };

struct DayBody
{
    std::string body;
    DayFetchFailure failure = DayFetchFailure::None;
};

// Fetches urls, calling deliver once per URL in index order; asks cancelled() between
// completions and starts nothing new once it says true. The program passes libcurl's multi
// fetch, tests a loopback server or a map.
using RangeFetcher = std::function<void(const std::vector<std::string>& urls, const std::function<bool()>& cancelled,
                                        const std::function<void(std::size_t index, DayBody body)>& deliver)>;

// The progress of a long range: the window shows a dialog with a Cancel button, tests script it.
class RangeProgress
{
public:
    virtual ~RangeProgress() = default;
    virtual void start(int days) = 0;
    virtual void advance(int daysDone) = 0;
    // Also keeps the window painted while the fetches run.
    virtual bool cancelled() = 0;
    virtual void finish() = 0;
};

// Ranges longer than this show the progress.
inline constexpr int kQuietRangeDays = 7;

// The hosts of the two services: scheme, host and optional port, no trailing "/".
struct MarketServers
{
    std::string stock;
    std::string funds;
};

// KARVO_STOCK_URL and KARVO_FUNDS_URL, read at each call, or the services' own hosts.
MarketServers MarketServersInUse();
std::string StockDayUrl(const std::string& host, const std::string& dayText);
std::string FundDayUrl(const std::string& host, const std::string& dayText);

struct MarketContext
{
    UserInterface& ui;
    std::string folder; // the working folder, ending in "/"
    QDate today;
    MarketServers servers;
    RangeFetcher fetch;
    RangeProgress* progress = nullptr; // none: no progress is shown
};

// How an update went, for the account the window gives once the view is rebuilt.
struct MarketReport
{
    bool ran = false;       // false: cancelled or invalid dates, nothing was fetched
    int requested = 0;      // days asked of the server
    int stored = 0;         // day files written
    int noData = 0;         // days asked that gave nothing to store
    int unreachable = 0;    // days the server could not be reached for
    int cut = 0;            // days stored shortened to what a day file holds
    bool cancelled = false; // the user stopped the range
    std::string host;       // the server asked

    // Every day asked failed because the server could not be reached.
    bool serverUnreachable() const { return requested > 0 && unreachable == requested; }
};

// The two-field date box, prefilled with today; false when cancelled, when a field is no valid
// day/month/year, or when a range of more than 20 years is not confirmed.
bool AskDateRange(UserInterface& ui, QDate today, QDate& from, QDate& to);

// "Downloading yyyy-mm-dd" for every day of the range, each fetched day stored.
MarketReport UpdateStock(MarketContext& context);
// As UpdateStock, but Saturdays and Sundays are not asked for (their notice still shows).
MarketReport UpdateFunds(MarketContext& context);

// The account of a report for the status bar, and the warning when the server was unreachable.
std::string MarketAccount(const MarketReport& report);
std::string UnreachableWarning(const MarketReport& report);

} // namespace karvo
