// The update of every game against a server that answers each request after 100 ms: ten games
// current (the current year of the eight yearly games, two months of KINO and SUPER3, five days
// of STOCK and ΑΜΟΙΒΑΙΑ) and LOTTO's whole history from nothing. Each is timed as the program runs
// it, four transfers at a time across the games, beside the ideal time of four at a time and
// the same work one game and one request at a time. Prints the times and their ratios.
#include "market/MarketText.h"
#include "support/LoopbackServer.h"
#include "support/MarketTestData.h"
#include "support/WorkbookWriter.h"
#include "update/UpdateAll.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

using namespace karvo;

namespace {

constexpr int kDelayMs = 100;
const QDate kToday(2026, 3, 13); // a Friday

// A run that shows nothing and is never cancelled.
struct Quiet : UpdateAllObserver
{
    void planned(const std::vector<GamePlan>&) override { }
    void stepStarted(GameCode, const UpdateStep&) override { }
    void stepDone(GameCode, const UpdateStep&, int) override { }
    void gameFinished(const GameReport&) override { }
    bool cancelled() override { return false; }
};

// A sheet of 104 draws of year in LOTTO's layout.
std::string LottoBook(int year)
{
    test::SheetRows rows{{"ΚΛΗΡΩΣΕΙΣ"}, {}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", ""}};
    for (int d = 104; d >= 1; --d) {
        rows.push_back({std::to_string(d),
                        std::to_string(d % 28 + 1) + "/" + std::to_string(d % 12 + 1) + "/" + std::to_string(year),
                        "19", std::to_string(d % 18 + 1), "20", "21", "22", "23", "7", "", ""});
    }
    return test::OperatorWorkbookBytes({rows});
}

// The pools' coupons of 2026.
std::string PropoBook()
{
    test::SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ ΠΡΟΠΟ 2026"}, {"Κουπόνι", "Έτος", "Ημερομηνία"}};
    for (int k = 40; k >= 1; --k) {
        rows.push_back({std::to_string(k), "2026", std::to_string(k % 28 + 1) + "/1/2026", "1", "X", "2", "1", "1", "X",
                        "2", "2", "2", "2", "2", "1", "1", "X"});
    }
    return test::OperatorWorkbookBytes({rows});
}

// One draw of 2026 in the layout of JOKER, ΠΡΟΤΟ, EXTRA and GOAL.
std::string DrawBook(GameCode game)
{
    test::SheetRows rows{{"", "Ημ/νία"}};
    switch (game) {
    case GameCode::Proto: rows.push_back({"12", "07/3/2026", "0", "4", "4", "1", "9", "0", "7"}); break;
    case GameCode::Extra: rows.push_back({"3", "03/2/2026", "x", "30", "10", "20", "5", "1"}); break;
    default: rows.push_back({"2800", "02/1/2026", "40", "3", "22", "17", "9", "14"}); break;
    }
    return test::OperatorWorkbookBytes({rows});
}

UpdateStep Year(int year)
{
    return {year, 0, {}, std::to_string(year)};
}

UpdateStep Month(int year, int month)
{
    return {year, month, {}, std::to_string(year) + "-" + std::to_string(month)};
}

UpdateStep Day(QDate day)
{
    return {day.year(), 0, day, day.toString("dd/MM/yyyy").toStdString()};
}

// Every game current: one step for each yearly game, two months, five days.
std::vector<GamePlan> CurrentPlans()
{
    std::vector<GamePlan> plans;
    for (GameCode game : {GameCode::PropoSunday, GameCode::PropoSaturday, GameCode::PropoWednesday, GameCode::Lotto,
                          GameCode::Goal, GameCode::Joker, GameCode::Proto, GameCode::Extra}) {
        plans.push_back({game, {Year(2026)}});
    }
    plans.push_back({GameCode::Kino, {Month(2026, 2), Month(2026, 3)}});
    plans.push_back({GameCode::Super3, {Month(2026, 2), Month(2026, 3)}});
    for (GameCode game : {GameCode::Stock, GameCode::Funds}) {
        GamePlan plan{game, {}};
        for (int day = 9; day <= 13; ++day) {
            plan.steps.push_back(Day(QDate(2026, 3, day)));
        }
        plans.push_back(plan);
    }
    return plans;
}

int Requests(const std::vector<GamePlan>& plans)
{
    int count = 0;
    for (const GamePlan& plan : plans) {
        count += static_cast<int>(plan.steps.size());
    }
    return count;
}

// Milliseconds of one run in a fresh folder; games apart: each game on its own, one request at a time.
double TimeRun(const test::LoopbackServer& server, const std::vector<GamePlan>& plans, bool gamesApart, int& failed)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    CreateFolder(folder + "DATA");
    UpdateAllContext context = MakeUpdateAllContext(folder, kToday);
    context.servers = {server.baseUrl(), server.baseUrl()};
    context.marketServers = {server.baseUrl(), server.baseUrl()};
    Quiet quiet;
    QElapsedTimer clock;
    clock.start();
    std::vector<GameReport> reports;
    if (gamesApart) {
        context.transfersAtOnce = 1;
        for (const GamePlan& plan : plans) {
            const std::vector<GameReport> one = RunUpdateAll(context, {plan}, quiet);
            reports.insert(reports.end(), one.begin(), one.end());
        }
    } else {
        reports = RunUpdateAll(context, plans, quiet);
    }
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    for (const GameReport& report : reports) {
        if (report.outcome == GameOutcome::Failed) {
            ++failed;
            std::fprintf(stderr, "failed: %s\n", Cp1253ToUtf8(ReportLine(report)).c_str());
        }
    }
    return elapsed;
}

void Measure(const char* name, const test::LoopbackServer& server, const std::vector<GamePlan>& plans)
{
    int failed = 0;
    const int requests = Requests(plans);
    const double together = TimeRun(server, plans, false, failed);
    const double apart = TimeRun(server, plans, true, failed);
    const double ideal = requests * kDelayMs / 4.0;
    std::printf("%-28s %3d requests  %7.0f ms  ideal %6.0f ms (x%.2f)  one at a time %7.0f ms (%.2f x faster)%s\n",
                name, requests, together, ideal, together / ideal, apart, apart / together,
                failed > 0 ? "  GAMES FAILED" : "");
}

} // namespace

int main()
{
    test::LoopbackServer server;
    const std::string kino = LoadTextFile(test::TestDataFolder() + "kino_libreoffice.xlsx");
    for (GameCode game : {GameCode::PropoSunday, GameCode::PropoSaturday, GameCode::PropoWednesday}) {
        server.set(ResultEndpointFor(game, 2026, 1, {}).url, test::LoopbackResponse::Body(PropoBook()));
    }
    for (GameCode game : {GameCode::Goal, GameCode::Joker, GameCode::Proto, GameCode::Extra}) {
        server.set(ResultEndpointFor(game, 2026, 1, {}).url, test::LoopbackResponse::Body(DrawBook(game)));
    }
    for (int year = 1990; year <= 2026; ++year) {
        server.set(ResultEndpointFor(GameCode::Lotto, year, 1, {}).url, test::LoopbackResponse::Body(LottoBook(year)));
    }
    for (int month : {2, 3}) {
        server.set(ResultEndpointFor(GameCode::Kino, 2026, month, {}).url, test::LoopbackResponse::Body(kino));
        server.set(ResultEndpointFor(GameCode::Super3, 2026, month, {}).url,
                   test::LoopbackResponse::Body(std::string(2000, 's')));
    }
    for (int day = 9; day <= 13; ++day) {
        const QDate date(2026, 3, day);
        server.set(StockDayUrl("", DashedDay(date)),
                   test::LoopbackResponse::Body(test::StockBody({test::StockLine("ALPHA", "1.00", "10")})));
        server.set(FundDayUrl("", DashedDay(date)),
                   test::LoopbackResponse::Body(test::FundPage(
                       {{"Μετοχικά", {{"Alpha", "1,00", "2,00", "3,0000", "0,50"}}}}, SlashedDay(date))));
    }
    server.setDelay(std::chrono::milliseconds(kDelayMs));

    Measure("ten games current", server, CurrentPlans());
    UpdateAllOptions lotto;
    lotto.games = {GameCode::Lotto};
    QTemporaryDir empty;
    Measure("LOTTO's history from empty", server, PlanUpdateAll(empty.path().toStdString() + "/", kToday, lotto));
    return 0;
}
