// The update of the market data: asks for a range of days, fetches the days of the range a few
// at a time and stores each day that brings data as its day file.
#pragma once

#include "download/FetchProgress.h"
#include "download/FetchRunner.h"
#include "market/MarketFiles.h"

#include <QDate>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace karvo {

class UserInterface;

// Fetches urls, calling deliver once per URL in index order on the calling thread; asks poll at
// least every kFetchPollMs and after each delivery, and stops at once when it answers true. The
// program passes FetchDays, tests the same against a loopback server.
using RangeFetcher = std::function<void(const std::vector<std::string>& urls, const FetchPoll& poll,
                                        const std::function<void(std::size_t index, FetchedBody body)>& deliver)>;

// The fetch the program uses: kTransfersAtOnce days at a time through one FetchRunner.
void FetchDays(const std::vector<std::string>& urls, const FetchPoll& poll,
               const std::function<void(std::size_t index, FetchedBody body)>& deliver);
// FetchDays within other limits than the program's.
RangeFetcher FetchDaysWithin(const DownloadLimits& limits);

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
    FetchProgress* progress = nullptr; // none: no progress is shown and nothing cancels
};

// How an update went, for the account the window gives once the view is rebuilt. The days stored
// before a stop (Cancel, a day file that cannot be written) stay stored.
struct MarketReport
{
    bool ran = false;         // false: cancelled or invalid dates, nothing was fetched
    int requested = 0;        // days asked of the server
    int stored = 0;           // day files written
    int noData = 0;           // days asked that gave nothing to store
    int unreachable = 0;      // days the server could not be reached for
    int cut = 0;              // days stored shortened to what a day file holds
    bool cancelled = false;   // the user stopped the range
    std::string writeFailure; // a day file could not be written (UTF-8): the range stopped there
    std::string host;         // the server asked

    // Every day asked failed because the server could not be reached.
    bool serverUnreachable() const { return requested > 0 && unreachable == requested; }
};

// The two-field date box, prefilled with today; false when cancelled, when a field is no valid
// day/month/year, or when a range of more than 20 years is not confirmed.
bool AskDateRange(UserInterface& ui, QDate today, QDate& from, QDate& to);

// "Downloading yyyy-mm-dd" for every day of the range, each fetched weekday stored: Saturdays
// and Sundays are not asked for (their notice still shows).
MarketReport UpdateStock(MarketContext& context);
MarketReport UpdateFunds(MarketContext& context);

// One day of a market game, as the range the user asks for and the update of every game both
// handle it: its address, its request (in memory, within a day's cap) and its answer stored.
std::string MarketDayUrl(MarketKind kind, const MarketServers& servers, QDate day);
FetchRequest MarketDayRequest(const std::string& url);
struct MarketDayAnswer
{
    bool failed = false; // no answer, a cut or oversized one, or an error status
    bool stored = false; // the day's file was written
    bool cut = false;    // shortened to what a day file holds
};
// Only a whole answer without records is a day without data (a weekend, a holiday): a stored day
// stays. A day file that cannot be written throws KarvoError.
MarketDayAnswer StoreMarketAnswer(MarketKind kind, const std::string& folder, QDate day, const FetchedBody& body);

// One fetched body stored as its day file of folder; false when the body holds nothing to store.
bool StoreStockDay(const std::string& folder, QDate day, const std::string& body, bool& cut);
bool StoreFundDay(const std::string& folder, QDate day, const std::string& body, bool& cut);

// The account of a report for the status bar, and the warning when the server was unreachable.
std::string MarketAccount(const MarketReport& report);
std::string UnreachableWarning(const MarketReport& report);

} // namespace karvo
