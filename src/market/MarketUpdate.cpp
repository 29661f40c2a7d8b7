#include "market/MarketUpdate.h"

#include "domain/UserInterface.h"
#include "market/FundDay.h"
#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "market/StockDay.h"
#include "util/Cp1253.h"
#include "util/Environment.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace karvo {

namespace {

constexpr int kLongRangeYears = 20;

// "d/m/yyyy": the leading digits of the first three parts, whatever follows them ("5/12/2024/"
// too); anything that is no calendar day is refused.
bool DateFromField(const std::string& field, QDate& date)
{
    const std::vector<std::string> parts = SplitFields(field, "/");
    if (parts.size() < 3) {
        return false;
    }
    const int year = TextToInt(parts[2]);
    date = QDate(year, TextToInt(parts[1]), TextToInt(parts[0]));
    return year >= 1 && date.isValid();
}

MarketReport RunRange(MarketContext& context, MarketKind kind)
{
    const std::string& host = kind == MarketKind::Stock ? context.servers.stock : context.servers.funds;
    MarketReport report;
    report.host = host;
    QDate from;
    QDate to;
    if (!AskDateRange(context.ui, context.today, from, to)) {
        return report;
    }
    report.ran = true;
    context.ui.StatusNotice(WaitNoticeText());
    std::vector<QDate> days;
    std::vector<std::size_t> asked; // index into days of each URL
    std::vector<std::string> urls;
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        // Saturdays and Sundays are not asked for; their notices still show.
        if (day.dayOfWeek() < 6) {
            asked.push_back(days.size());
            urls.push_back(MarketDayUrl(kind, context.servers, day));
        }
        days.push_back(day);
    }
    FetchProgress* progress = context.progress;
    ProgressScope scope(progress, static_cast<int>(days.size()));
    std::size_t shown = 0; // days whose notice has been shown
    auto showUpTo = [&](std::size_t end) {
        for (; shown < end; ++shown) {
            context.ui.StatusNotice("Downloading " + DashedDay(days[shown]));
        }
    };
    auto poll = [&] {
        if (!report.writeFailure.empty()) {
            return true;
        }
        if (progress == nullptr) {
            context.ui.processPendingEvents();
            return false;
        }
        return report.cancelled = report.cancelled || progress->cancelled();
    };
    auto deliver = [&](std::size_t index, const FetchedBody& body) {
        const std::size_t dayIndex = asked[index];
        showUpTo(dayIndex + 1);
        ++report.requested;
        report.unreachable += body.failure == FetchFailure::Unreachable ? 1 : 0;
        // A failed day counts as one without data: the range goes on with the next.
        MarketDayAnswer answer;
        try {
            answer = StoreMarketAnswer(kind, context.folder, days[dayIndex], body);
        } catch (const KarvoError& error) {
            // A full disk fails every day after this one too: the range ends with its account.
            report.writeFailure = error.what();
            return;
        }
        if (answer.stored) {
            ++report.stored;
            report.cut += answer.cut ? 1 : 0;
        } else {
            ++report.noData;
        }
        if (progress != nullptr) {
            progress->advance(static_cast<int>(dayIndex + 1));
        }
    };
    context.ui.processPendingEvents();
    context.fetch(urls, poll, deliver);
    if (!report.cancelled && report.writeFailure.empty()) {
        showUpTo(days.size()); // the weekend days after the last day asked
        if (progress != nullptr) {
            progress->advance(static_cast<int>(days.size()));
        }
    }
    return report;
}

// The days through one runner, kTransfersAtOnce at a time, within limits.
void RunDayFetches(const std::vector<std::string>& urls, const FetchPoll& poll,
                   const std::function<void(std::size_t index, FetchedBody body)>& deliver,
                   const DownloadLimits& limits)
{
    std::vector<FetchRequest> requests;
    requests.reserve(urls.size());
    for (const std::string& url : urls) {
        requests.push_back(MarketDayRequest(url));
    }
    FetchRunner runner(kTransfersAtOnce, limits);
    runner.add(std::move(requests), deliver);
    runner.run(poll);
}

} // namespace

void FetchDays(const std::vector<std::string>& urls, const FetchPoll& poll,
               const std::function<void(std::size_t index, FetchedBody body)>& deliver)
{
    RunDayFetches(urls, poll, deliver, {});
}

RangeFetcher FetchDaysWithin(const DownloadLimits& limits)
{
    return [limits](const std::vector<std::string>& urls, const FetchPoll& poll,
                    const std::function<void(std::size_t index, FetchedBody body)>& deliver) {
        RunDayFetches(urls, poll, deliver, limits);
    };
}

MarketServers MarketServersInUse()
{
    return {ServerAddressFrom("KARVO_STOCK_URL", "https://www.naftemporiki.gr"),
            ServerAddressFrom("KARVO_FUNDS_URL", "https://www.ethe.org.gr")};
}

std::string StockDayUrl(const std::string& host, const std::string& dayText)
{
    return host + "/finance/Data/GetMetaStock.ashx?date=" + dayText + "&type=1&encoding=2";
}

std::string FundDayUrl(const std::string& host, const std::string& dayText)
{
    return host + "/index.php?view=mfbreakdowndate&reportDate=" + dayText
        + "&newmenu=Y&typeETF=&typeInst=&typecountry=&tmpl=component&print=1&layout=default"
          "&option=com_statistic&lang=el";
}

bool AskDateRange(UserInterface& ui, QDate today, QDate& from, QDate& to)
{
    std::vector<std::string> fields(2, SlashedDay(today));
    const std::vector<std::string> labels = {Utf8ToCp1253("ΑΠΟ  (ΜΕΡΑ/ΜΗΝΑΣ/ETOΣ)"),
                                             Utf8ToCp1253("ΕΩΣ  (ΜΕΡΑ/ΜΗΝΑΣ/ETOΣ)")};
    std::vector<int> lines = {1, 1};
    if (!ui.MemoBox(Utf8ToCp1253("ΗΜΕΡΟΜΗΝΙΕΣ  ΑΠΟ - ΕΩΣ"), fields, labels, lines, 1) || fields.size() < 2
        || !DateFromField(fields[0], from) || !DateFromField(fields[1], to)) {
        return false;
    }
    // A mistyped year (1026 for 2026) would otherwise queue hundreds of thousands of requests.
    if (from.addYears(kLongRangeYears) < to) {
        const std::string question = "Το διάστημα " + SlashedDay(from) + " - " + SlashedDay(to) + " έχει "
            + std::to_string(from.daysTo(to) + 1) + " ημέρες, περισσότερες από 20 χρόνια. Να ζητηθούν όλες;";
        return ui.MessageChoice(Utf8ToCp1253("ΗΜΕΡΟΜΗΝΙΕΣ  ΑΠΟ - ΕΩΣ"), Utf8ToCp1253(question), MessageType::Question,
                                MessageAnswer::No, MessageButtons::YesNo)
            == MessageAnswer::Yes;
    }
    return true;
}

bool StoreStockDay(const std::string& folder, QDate day, const std::string& body, bool& cut)
{
    const StockDay stock = StockDayFromBody(body, SlashedDay(day));
    if (stock.lines.empty()) {
        return false;
    }
    SaveLines(StockDayFile(folder, day), stock.lines);
    cut = stock.cut;
    return true;
}

bool StoreFundDay(const std::string& folder, QDate day, const std::string& body, bool& cut)
{
    if (body.size() < kSmallestMarketBody) {
        return false;
    }
    const std::string page = Utf8ToCp1253(body);
    // A page of another day (a holiday answered with the last report) is not this day's.
    if (FundReportDate(page, DashedDay(day)) != DashedDay(day)) {
        return false;
    }
    const FundDay funds = FundDayFromPage(page);
    if (funds.lines.empty()) { // no report table: a stored day stays
        return false;
    }
    SaveLines(FundDayFile(folder, day), funds.lines);
    cut = funds.cut;
    return true;
}

std::string MarketDayUrl(MarketKind kind, const MarketServers& servers, QDate day)
{
    return kind == MarketKind::Stock ? StockDayUrl(servers.stock, DashedDay(day))
                                     : FundDayUrl(servers.funds, DashedDay(day));
}

FetchRequest MarketDayRequest(const std::string& url)
{
    return {url, -1, {}, kMarketDayMaxBytes};
}

MarketDayAnswer StoreMarketAnswer(MarketKind kind, const std::string& folder, QDate day, const FetchedBody& body)
{
    MarketDayAnswer answer;
    // An error status brings an error page, not the day asked for.
    if (body.failure != FetchFailure::None || body.status >= 400) {
        answer.failed = true;
        return answer;
    }
    answer.stored = kind == MarketKind::Stock ? StoreStockDay(folder, day, body.body, answer.cut)
                                              : StoreFundDay(folder, day, body.body, answer.cut);
    return answer;
}

MarketReport UpdateStock(MarketContext& context)
{
    CreateFolder(MarketFolder(context.folder));
    return RunRange(context, MarketKind::Stock);
}

MarketReport UpdateFunds(MarketContext& context)
{
    CreateFolder(MarketFolder(context.folder));
    MarketReport report = RunRange(context, MarketKind::Funds);
    if (report.ran) {
        context.ui.StatusNotice(std::string());
    }
    return report;
}

std::string MarketAccount(const MarketReport& report)
{
    std::string text = "Ημέρες που αποθηκεύτηκαν: " + std::to_string(report.stored)
        + ", χωρίς στοιχεία: " + std::to_string(report.noData) + ".";
    if (report.cut > 0) {
        text += " Περικομμένες στο όριο του αρχείου: " + std::to_string(report.cut) + ".";
    }
    if (report.cancelled) {
        text += " Διακόπηκε από τον χρήστη.";
    }
    if (!report.writeFailure.empty()) {
        text += " Σταμάτησε σε σφάλμα εγγραφής.";
    }
    return Utf8ToCp1253(text);
}

std::string UnreachableWarning(const MarketReport& report)
{
    return Utf8ToCp1253("Ο διακομιστής " + report.host
                        + " δεν είναι προσβάσιμος (σύνδεση, όνομα ή πιστοποιητικό). Δεν αποθηκεύτηκε καμία ημέρα.");
}

} // namespace karvo
