// The update of every game against a loopback server: the same files as the single updates, one
// game's failure beside the others, EXTRA's order, a cancel, and the plan from what is stored.
#include "UpdateFixture.h"
#include "domain/GameNames.h"
#include "market/MarketFiles.h"
#include "market/MarketUpdate.h"
#include "results/ResultsFiles.h"
#include "support/MarketTestData.h"
#include "update/UpdateAll.h"
#include "update/UpdateDriver.h"
#include "update/UpdateLists.h"
#include "util/Cp1253.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace karvo;
using namespace karvo::test;

namespace {

const QDate kToday(2026, 3, 15); // a Sunday

// LOTTO's sheet of draws in year.
std::string LottoBook(int year, int draws)
{
    SheetRows rows = LottoSheet(draws);
    for (auto& row : rows) {
        for (std::string& cell : row) {
            if (const auto at = cell.find("2024"); at != std::string::npos) {
                cell.replace(at, 4, std::to_string(year));
            }
        }
    }
    return OperatorWorkbookBytes({rows});
}

// The Sunday pools' coupons of year, newest on top.
std::string PropoBook(int year, int count)
{
    const std::string y = std::to_string(year);
    SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ ΠΡΟΠΟ " + y}, {"Κουπόνι", "Έτος", "Ημερομηνία"}};
    for (int k = count; k >= 1; --k) {
        rows.push_back({std::to_string(k), y, std::to_string(k % 28 + 1) + "/1/" + y, "1", "X", "2", "1", "1", "X", "2",
                        "2", "2", "2", "2", "1", "1", k % 2 == 0 ? "2" : "Χ"});
    }
    return OperatorWorkbookBytes({rows});
}

// EXTRA's sheet of one draw, numbered number, on 3 February of year.
std::string ExtraBook(int year, int number)
{
    return OperatorWorkbookBytes(
        {{{"", "Ημ/νία"}, {std::to_string(number), "03/2/" + std::to_string(year), "x", "30", "10", "20", "5", "1"}}});
}

// Every file under folder with its bytes, by path below it.
std::map<std::string, std::string> Tree(const std::string& folder)
{
    std::map<std::string, std::string> files;
    QDirIterator it(QString::fromStdString(folder), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const std::string path = it.next().toStdString();
        files[path.substr(folder.size())] = ReadBytes(path);
    }
    return files;
}

// The paths whose bytes differ between two folders, or that only one holds.
std::string Differences(const std::string& folder, const std::string& reference)
{
    const auto ours = Tree(folder), theirs = Tree(reference);
    std::string differ;
    for (const auto& [path, bytes] : ours) {
        differ += theirs.count(path) != 0 && theirs.at(path) == bytes ? "" : path + " ";
    }
    for (const auto& [path, bytes] : theirs) {
        differ += ours.count(path) == 0 ? "missing " + path + " " : "";
    }
    return differ;
}

// Records what a run shows; answers cancelled once cancelAfter steps are done.
struct Recorder : UpdateAllObserver
{
    int cancelAfter = 1 << 30;
    int done = 0;
    std::vector<std::string> events;

    void planned(const std::vector<GamePlan>& plans) override { events.push_back(std::to_string(plans.size())); }
    void stepStarted(GameCode game, const UpdateStep& step) override
    {
        events.push_back(GameAsciiName(game) + " " + step.label);
    }
    void stepDone(GameCode game, const UpdateStep& step, int stepsDone) override
    {
        ++done;
        events.push_back(GameAsciiName(game) + " " + step.label + " done " + std::to_string(stepsDone));
    }
    void gameFinished(const GameReport&) override { }
    bool cancelled() override { return done >= cancelAfter; }
};

class UpdateAll : public UpdateEndToEnd
{
protected:
    static std::string LottoPath(int year) { return "/Excel_xlsx/5103/lotto_" + std::to_string(year) + ".xlsx"; }
    static std::string ExtraPath(int year) { return "/Excel_xlsx/5106/extra5_" + std::to_string(year) + ".xlsx"; }
    static std::string March(int day) { return DashedDay(QDate(2026, 3, day)); } // as the market paths name it

    // Every server the loopback one, but the stock service's when one is set.
    UpdateAllContext context(QDate today = kToday) const
    {
        const std::string base = m_server.baseUrl(), stock = m_stockServer.value_or(base);
        return UpdateAllContext{m_folder.path(), today, {base, base}, {stock, base}, m_limits, kTransfersAtOnce};
    }
    std::vector<GameReport> runAll(std::vector<GameCode> games, Recorder& recorder, QDate today = kToday,
                                   int marketDays = 5)
    {
        UpdateAllOptions options;
        options.games = std::move(games);
        options.emptyMonths = 2;
        options.emptyMarketDays = marketDays;
        return RunUpdateAll(context(today), PlanUpdateAll(m_folder.path(), today, options), recorder);
    }
    std::vector<GameReport> runAll(std::vector<GameCode> games, QDate today = kToday, int marketDays = 5)
    {
        Recorder recorder;
        return runAll(std::move(games), recorder, today, marketDays);
    }

    // The update button of game for year (and month), in the reference folder.
    void single(GameCode game, int year, int month = 0, QDate today = kToday)
    {
        const std::string base = m_server.baseUrl();
        UpdateContext update{m_state, m_ui, m_reference.path(), today, {base, base}, m_limits};
        m_state.GameCode = game;
        // The years before the button's list run as the same one-step plan the button runs.
        if (year < FirstFetchYear) {
            Recorder recorder;
            UpdateAllContext run = context(today);
            run.folder = m_reference.path();
            RunUpdateAll(run, {GamePlan{game, {YearStep(year)}, true}}, recorder);
            return;
        }
        switch (game) {
        case GameCode::Kino: m_ui.listAnswers = {2 + (year - 2004) * 12 + month}; break;
        case GameCode::Super3: m_ui.listAnswers = {year - FirstFetchYear + 1, month}; break;
        default: m_ui.listAnswers = {year - FirstFetchYear + 1}; break;
        }
        RunUpdate(update);
    }
    void singleMarket(QDate from, QDate to)
    {
        const std::string base = m_server.baseUrl();
        MarketContext market{m_ui, m_reference.path(), to, {base, base}, FetchDaysWithin(m_limits), nullptr};
        for (MarketReport (*update)(MarketContext&) : {&UpdateStock, &UpdateFunds}) {
            m_ui.memoAnswers.push_back({SlashedDay(from), SlashedDay(to)});
            update(market);
        }
    }
    int leftBehind() const
    {
        int count = scratchCount();
        for (const auto& [path, bytes] : Tree(m_folder.path())) {
            count += path.find(".karvo-") != std::string::npos ? 1 : 0;
        }
        return count;
    }

    test::TempFolder m_reference;
    std::optional<std::string> m_stockServer;
};

} // namespace

TEST_F(UpdateAll, FromEmptyAndPartlyFilledFoldersAsTheSingleUpdates)
{
    const std::string kino = ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx");
    const std::vector<GameCode> games{GameCode::Lotto, GameCode::Extra, GameCode::Kino,       GameCode::Super3,
                                      GameCode::Stock, GameCode::Funds, GameCode::PropoSunday};
    QDir(QString::fromStdString(m_reference.path())).mkpath("Data");
    // From nothing: LOTTO's archive answers from 2024 on (the years before are 404), KINO and
    // SUPER3 their last two months, STOCK the weekdays of its last five days.
    for (int year = 2024; year <= 2026; ++year) {
        serve(LottoPath(year), LottoBook(year, year == 2026 ? 10 : 104));
        serve(ExtraPath(year), ExtraBook(year, year - 2020));
        serve("/Excel/3100/propo_" + std::to_string(year) + "_Sun.xlsx", PropoBook(year, 30));
        single(GameCode::Lotto, year);
        single(GameCode::Extra, year);
        single(GameCode::PropoSunday, year);
    }
    for (int month : {2, 3}) {
        serve("/Excel_xlsx/1100/2026/kino_2026_0" + std::to_string(month) + ".xlsx", kino);
        serve("/Excel_xlsx/2100/2026/super3_2026_0" + std::to_string(month) + ".xlsx", std::string(1500, 'a'));
        single(GameCode::Kino, 2026, month);
        single(GameCode::Super3, 2026, month);
    }
    const std::vector<FundCategory> funds{{"Μετοχικά", {{"Alpha", "1", "2", "3", "4"}}}};
    for (int day : {11, 12, 13}) {
        serve(StockPath(March(day)), StockBody({StockLine("ALPHA", std::to_string(day) + ".00", "10")}));
        serve(FundPath(March(day)), FundPage(funds, SlashedDay(QDate(2026, 3, day))));
    }
    singleMarket(QDate(2026, 3, 11), kToday);
    std::vector<GameReport> reports = runAll(games);
    EXPECT_EQ(Differences(m_folder.path(), m_reference.path()), "");
    ASSERT_EQ(reports.size(), 7u);
    EXPECT_EQ(U(ReportLine(reports[0])), "LOTTO: 218 νέες κληρώσεις");
    EXPECT_EQ(U(ReportLine(reports[3])), "SUPER3: 2 νέοι μήνες");
    EXPECT_EQ(U(ReportLine(reports[4])), "STOCK: 3 νέες ημέρες");
    EXPECT_EQ(U(ReportLine(reports[6])), "ΠΡΟΠΟ ΚΥΡΙΑΚΗ: 90 νέες κληρώσεις");
    EXPECT_TRUE(AllSucceeded(reports));

    // Partly filled: 2026 has grown and two more market days have passed; the rest is current.
    // Monday's stock answer is whole and has no record, as on a holiday.
    const QDate tuesday(2026, 3, 17);
    serve(LottoPath(2026), LottoBook(2026, 30));
    serve(StockPath(March(16)), "");
    serve(StockPath(March(17)), StockBody({StockLine("ALPHA", "17.00", "10")}));
    serve(FundPath(March(16)), FundPage(funds, "16/03/2026"));
    serve("/Excel/3100/propo_2026_Sun.xlsx", PropoBook(2026, 40));
    single(GameCode::Lotto, 2026, 0, tuesday);
    single(GameCode::PropoSunday, 2026, 0, tuesday);
    single(GameCode::Extra, 2026, 0, tuesday);
    single(GameCode::Kino, 2026, 3, tuesday);
    singleMarket(QDate(2026, 3, 16), tuesday);
    const int requests = static_cast<int>(m_server.requests().size());
    reports = runAll(games, tuesday);
    EXPECT_EQ(Differences(m_folder.path(), m_reference.path()), "");
    // LOTTO, EXTRA and the pools from 2026, KINO and SUPER3 from March, the market the 16th and 17th.
    EXPECT_EQ(static_cast<int>(m_server.requests().size()) - requests, 1 + 1 + 1 + 1 + 2 + 2 + 1);
    EXPECT_EQ(U(ReportLine(reports[0])), "LOTTO: 20 νέες κληρώσεις");
    EXPECT_EQ(reports[0].lastDrawBefore, 20261111);
    EXPECT_EQ(U(ReportLine(reports[1])), "EXTRA: ενημερωμένο, τίποτα νέο");
    EXPECT_EQ(U(ReportLine(reports[4])), "STOCK: 1 νέα ημέρα");
    EXPECT_EQ(leftBehind(), 0);
}

TEST_F(UpdateAll, AFailingServerEndsOnlyItsGame)
{
    // LOTTO holds 2026 already, so a failing 2026 is a failure, not an archive that starts later.
    serve(LottoPath(2025), LottoBook(2025, 5));
    serve(LottoPath(2026), LottoBook(2026, 5));
    ASSERT_EQ(runAll({GameCode::Lotto})[0].outcome, GameOutcome::Stored);
    const std::string lotto = file("LOTTO.krv");
    m_server.set(LottoPath(2026), LoopbackResponse::Body("", 500));
    serve(ExtraPath(2025), ExtraBook(2025, 5));
    serve(ExtraPath(2026), std::string(400, 'x')); // no workbook
    serve("/Excel_xlsx/5104/Joker_2026.xlsx", "short");
    serve("/Excel_xlsx/5105/propogoal_2026.xlsx", LottoBook(2026, 3)); // the years before are 404
    const std::vector<GameReport> reports =
        runAll({GameCode::Lotto, GameCode::Extra, GameCode::Joker, GameCode::Goal, GameCode::Stock});
    EXPECT_EQ(U(ReportLine(reports[0])), "LOTTO: απέτυχε: Η λήψη του 2026 απέτυχε (HTTP 500).");
    EXPECT_EQ(reports[0].stepsDone, 0);
    EXPECT_EQ(file("LOTTO.krv"), lotto);
    // EXTRA keeps its 2025 draw; the answer for 2026 is kept in DATA and refused by the reader.
    EXPECT_EQ(reports[1].outcome, GameOutcome::Failed);
    EXPECT_EQ(reports[1].stored, 1);
    EXPECT_NE(U(reports[1].cause).find("βιβλίο εργασίας"), std::string::npos) << U(reports[1].cause);
    EXPECT_EQ(file("Data/extra5_2026.xlsx"), std::string(400, 'x'));
    // JOKER's archive is all 404 but 2026 is too short to be a workbook.
    EXPECT_EQ(U(ReportLine(reports[2])),
              "JOKER: απέτυχε: Η απάντηση για το 2026 είναι πολύ μικρή για βιβλίο εργασίας.");
    EXPECT_EQ(U(ReportLine(reports[3])), "GOAL: 3 νέες κληρώσεις");
    // A market day answered with an error is no day without data: it fails its game.
    EXPECT_EQ(U(ReportLine(reports[4])), "STOCK: απέτυχε: Η λήψη της ημέρας 11/03/2026 απέτυχε (HTTP 404).");
    EXPECT_FALSE(AllSucceeded(reports));
    EXPECT_EQ(leftBehind(), 0);

    // A market server that cannot be reached fails its game, naming the server and the cause.
    const std::string refused = "127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort());
    m_stockServer = "http://" + refused;
    const GameReport stock = runAll({GameCode::Stock}, kToday, 3).at(0);
    m_stockServer.reset();
    EXPECT_EQ(stock.outcome, GameOutcome::Failed);
    EXPECT_NE(U(stock.cause).find("ο διακομιστής " + refused + " αρνήθηκε τη σύνδεση"), std::string::npos)
        << U(stock.cause);

    // An answer without end stops at a market day's limit, far below a workbook's.
    LoopbackResponse endless = LoopbackResponse::Body("x");
    endless.endless = true;
    m_server.set(StockPath(March(13)), endless);
    const GameReport flooded = runAll({GameCode::Stock}, kToday, 3).at(0);
    EXPECT_EQ(flooded.outcome, GameOutcome::Failed);
    EXPECT_NE(U(flooded.cause).find("13/03/2026 απέτυχε: ο διακομιστής 127.0.0.1:"), std::string::npos);
    EXPECT_NE(U(flooded.cause).find("έστειλε περισσότερα από " + std::to_string(kMarketDayMaxBytes >> 20) + " MB"),
              std::string::npos)
        << U(flooded.cause);
}

TEST_F(UpdateAll, AnArchiveWithoutAnyYearFailsAndANewYearNotYetPublishedDoesNot)
{
    // Nothing stored and nothing served: every year answers 404.
    const GameReport empty = runAll({GameCode::Joker}).at(0);
    EXPECT_EQ(U(ReportLine(empty)),
              "JOKER: απέτυχε: Ο διακομιστής δεν έχει κανένα έτος από 1997 ως 2026 (HTTP 404). Δεν καταχωρήθηκε "
              "τίποτα.");

    // Early January: last year is stored and this year's workbook is not up yet.
    const QDate january(2026, 1, 2);
    serve(LottoPath(2025), LottoBook(2025, 5));
    ASSERT_EQ(U(ReportLine(runAll({GameCode::Lotto}, january)[0])), "LOTTO: 5 νέες κληρώσεις");
    const GameReport lotto = runAll({GameCode::Lotto}, january).at(0);
    EXPECT_EQ(U(ReportLine(lotto)), "LOTTO: ενημερωμένο, τίποτα νέο");
    EXPECT_EQ(lotto.stepsDone, 2);
    EXPECT_EQ(leftBehind(), 0);
}

TEST_F(UpdateAll, ExtraKeepsItsOrderAndARefusalStopsItsLaterYears)
{
    serve(ExtraPath(2023), ExtraBook(2023, 3));
    ASSERT_EQ(runAll({GameCode::Extra})[0].stored, 1);
    const std::string before = file("Extra.krv");
    serve(ExtraPath(2024), ExtraBook(2024, 4));
    serve(ExtraPath(2025), OperatorWorkbookBytes({{{"1000000", "03/2/2025", "x", "1", "2", "3", "4", "5"}}}));
    serve(ExtraPath(2026), ExtraBook(2026, 6));
    Recorder recorder;
    const GameReport extra = runAll({GameCode::Extra}, recorder).at(0);
    EXPECT_EQ(extra.stored, 1);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"1", "extra 2023", "extra 2023 done 1", "extra 2024", "extra 2024 done 2",
                                        "extra 2025"}));
    // The file is as the single updates of 2023 and 2024 leave it; 2026 was not stored.
    WriteBytes(m_reference.file("Extra.krv"), before);
    single(GameCode::Extra, 2024);
    EXPECT_EQ(file("Extra.krv"), ReadBytes(m_reference.file("Extra.krv")));
    EXPECT_EQ(U(ReportLine(extra)).rfind("EXTRA: απέτυχε: ", 0), 0u);
}

TEST_F(UpdateAll, CancelAbortsTheTransfersUnderWayAndLeavesEveryFileWhole)
{
    for (int year = 1990; year <= 2026; ++year) {
        serve(LottoPath(year), LottoBook(year, 20));
    }
    for (int day : {9, 10, 11, 12, 13}) {
        serve(StockPath(March(day)), StockBody({StockLine("ALPHA", "1.00", "10")}));
    }
    m_server.setDelay(std::chrono::milliseconds(30));
    Recorder recorder;
    recorder.cancelAfter = 3;
    const std::vector<GameReport> reports = runAll({GameCode::Lotto, GameCode::Stock}, recorder);
    m_server.setDelay(std::chrono::milliseconds(0));
    // Nothing was stored after the cancel and nothing started: what was under way then (a few
    // transfers, and the bodies that came before the one their game waited for) was dropped.
    const int done = reports[0].stepsDone + reports[1].stepsDone;
    EXPECT_EQ(done, 3);
    EXPECT_GE(static_cast<int>(m_server.requests().size()), done);
    EXPECT_LE(static_cast<int>(m_server.requests().size()), done + 2 * kTransfersAtOnce);
    EXPECT_EQ(reports[0].outcome, GameOutcome::Cancelled);
    // The summary names what each game stored before the stop.
    for (const GameReport& report : reports) {
        EXPECT_EQ(static_cast<int>(report.storedSteps.size()), report.stepsDone);
        if (report.stepsDone > 0) {
            EXPECT_NE(U(ReportLine(report)).find("διακόπηκε, αφού αποθηκεύτηκαν: " + report.storedSteps.front()),
                      std::string::npos)
                << U(ReportLine(report));
        }
    }
    EXPECT_FALSE(AllSucceeded(reports)); // a cancelled run does not count as done
    EXPECT_EQ(leftBehind(), 0);
    // The results file is the single updates' of the years handled, whole.
    for (int year = 1990; year < 1990 + reports[0].stepsDone; ++year) {
        single(GameCode::Lotto, year);
    }
    EXPECT_EQ(file("LOTTO.krv"), ReadBytes(m_reference.file("LOTTO.krv")));
    EXPECT_EQ(reports[1].stored, reports[1].stepsDone);
}

TEST_F(UpdateAll, ThePlanStartsFromWhatIsStored)
{
    const auto labels = [](const GamePlan& plan) {
        std::vector<std::string> all;
        for (const UpdateStep& step : plan.steps) {
            all.push_back(step.label);
        }
        return all;
    };
    UpdateAllOptions options;
    std::vector<GamePlan> plans = PlanUpdateAll(m_folder.path(), kToday, options);
    // STOCK's weekdays of the last 30 days: 14 February (a Saturday) to 15 March.
    ASSERT_EQ(plans.size(), 12u); // every game but BET
    EXPECT_EQ(labels(plans[10]).front(), "16/02/2026");
    EXPECT_EQ(plans[10].steps.size(), 20u);

    // What is stored: LOTTO to 2024, a KINO month file of December, SUPER3's whole workbook of
    // June (July's is too short to count), a stock day of Thursday 12 March.
    serve(LottoPath(2024), LottoBook(2024, 3));
    runAll({GameCode::Lotto});
    WriteBytes(m_folder.file("Data/kino_2025_12.qav"), std::string(100, '\x01'));
    WriteBytes(m_folder.file("Data/kino_2026_01.qav"), std::string(99, '\x01'));
    WriteBytes(m_folder.file("Data/super3_2025_06.xlsx"), std::string(999, 'a'));
    WriteBytes(m_folder.file("Data/super3_2025_07.xlsx"), std::string(998, 'a'));
    QDir(QString::fromStdString(m_folder.path())).mkpath("Data-STOCK");
    WriteBytes(m_folder.file("Data-STOCK/20260312.txt"), "x");
    options.games = {GameCode::Lotto, GameCode::Kino, GameCode::Super3, GameCode::Stock};
    plans = PlanUpdateAll(m_folder.path(), kToday, options);
    EXPECT_EQ(labels(plans[0]), (std::vector<std::string>{"2024", "2025", "2026"}));
    EXPECT_EQ(labels(plans[1]), (std::vector<std::string>{"2025-12", "2026-01", "2026-02", "2026-03"}));
    EXPECT_EQ(labels(plans[2]).front(), "2025-06");
    EXPECT_EQ(labels(plans[3]), (std::vector<std::string>{"13/03/2026"}));

    // A damaged record's year is kept within the years that can be fetched.
    test::TempFolder damaged;
    UpdateAllOptions lotto;
    lotto.games = {GameCode::Lotto};
    for (const auto& [year, first] : {std::pair{1954, "1990"}, {2150, "2026"}}) {
        WriteMaskedFile(damaged.file("LOTTO.krv"), Slot(1, 1, year, {1, 2, 3, 4, 5, 6}));
        const std::vector<std::string> years = labels(PlanUpdateAll(damaged.path(), kToday, lotto)[0]);
        EXPECT_EQ(years.front() + " " + years.back(), std::string(first) + " 2026") << year;
    }

    // SUPER3 never before 2023, with the whole history or five years of months.
    options.games = {GameCode::Super3};
    test::TempFolder empty;
    for (const bool whole : {true, false}) {
        options.wholeHistory = whole;
        options.emptyMonths = 60;
        EXPECT_EQ(labels(PlanUpdateAll(empty.path(), kToday, options)[0]).front(), "2023-01") << whole;
    }
}

TEST_F(UpdateAll, WriteFailuresAndExceptionsLeaveNoScratchFileBehind)
{
    for (int year = 2024; year <= 2026; ++year) {
        serve(LottoPath(year), LottoBook(year, 104));
    }
    serve(StockPath(March(11)), ""); // whole answers without a record: days without data
    serve(StockPath(March(12)), "");
    serve(StockPath(March(13)), StockBody({StockLine("ALPHA", "1.00", "10")}));
    // Workbooks of 8 kB go through, the results file (37 years of 3,330 bytes) does not; the
    // market's folder is a file.
    WriteBytes(m_folder.file("Data-STOCK"), "not a folder");
    std::vector<GameReport> reports;
    WithFileSizeLimit(16000, [&] { reports = runAll({GameCode::Lotto, GameCode::Stock}); });
    EXPECT_EQ(reports[0].outcome, GameOutcome::Failed);
    EXPECT_EQ(reports[0].stepsDone, 2023 - 1990 + 1); // the years not published, then 2024 fails
    EXPECT_NE(U(reports[0].cause).find("LOTTO.krv"), std::string::npos) << U(reports[0].cause);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.file("LOTTO.krv"))));
    EXPECT_EQ(reports[1].outcome, GameOutcome::Failed);
    EXPECT_EQ(leftBehind(), 0);

    // A TMPDIR that is a file, or missing, is passed over: the downloads go to the working folder
    // and leave nothing there either.
    WriteBytes(m_folder.file("file"), "");
    QFile::remove(QString::fromStdString(m_folder.file("Data-STOCK")));
    for (const std::string& tmpdir : {m_folder.file("file"), m_folder.file("missing")}) {
        qputenv("TMPDIR", QByteArray::fromStdString(tmpdir));
        QFile::remove(QString::fromStdString(m_folder.file("LOTTO.krv")));
        reports = runAll({GameCode::Lotto, GameCode::Stock});
        EXPECT_EQ(reports[0].outcome, GameOutcome::Stored) << tmpdir << " " << U(reports[0].cause);
        EXPECT_NE(reports[1].outcome, GameOutcome::Failed);
        EXPECT_TRUE(ListFiles(m_folder.file("karvo-*.fil"), ListKinds::Files).empty());
    }
    qputenv("TMPDIR", QByteArray::fromStdString(m_temp.path()));

    // An observer that throws ends the run; the scratch files of every game go with it.
    struct Throwing : Recorder
    {
        void stepDone(GameCode, const UpdateStep&, int) override { throw std::runtime_error("window closed"); }
    } throwing;
    EXPECT_THROW(runAll({GameCode::Lotto, GameCode::Stock}, throwing), std::runtime_error);
    EXPECT_EQ(leftBehind(), 0);
}
