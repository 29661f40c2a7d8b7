// The update of every game against a loopback server: the same files as the single updates make
// on a copy of the folder, one game's failure beside the others, EXTRA's order, a cancel in the
// middle, and the plan worked out from what the folder holds.
#include "UpdateFixture.h"
#include "domain/GameNames.h"
#include "market/MarketUpdate.h"
#include "support/MarketTestData.h"
#include "update/UpdateAll.h"
#include "update/UpdateDrawGames.h"
#include "update/UpdateKino.h"
#include "update/UpdatePropo.h"
#include "update/UpdateSuper3.h"
#include "util/Cp1253.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <map>

using namespace karvo;
using namespace karvo::test;

namespace {

const QDate kToday(2026, 3, 15); // a Sunday

std::string LottoPath(int year)
{
    return "/Excel_xlsx/5103/lotto_" + std::to_string(year) + ".xlsx";
}

std::string ExtraPath(int year)
{
    return "/Excel_xlsx/5106/extra5_" + std::to_string(year) + ".xlsx";
}

std::string StockPath(QDate day)
{
    return "/finance/Data/GetMetaStock.ashx?date=" + DashedDay(day) + "&type=1&encoding=2";
}

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
    const std::map<std::string, std::string> ours = Tree(folder);
    const std::map<std::string, std::string> theirs = Tree(reference);
    std::string differ;
    for (const auto& [path, bytes] : ours) {
        const auto found = theirs.find(path);
        differ += found == theirs.end() || found->second != bytes ? path + " " : "";
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
    std::vector<GameReport> finished;

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
    void gameFinished(const GameReport& report) override { finished.push_back(report); }
    bool cancelled() override { return done >= cancelAfter; }
};

class UpdateAll : public UpdateEndToEnd
{
protected:
    UpdateAllContext context(QDate today = kToday) const
    {
        const std::string base = m_server.baseUrl();
        return UpdateAllContext{m_folder.path(), today, {base, base}, {base, base}, m_limits, kTransfersAtOnce};
    }
    std::vector<GameReport> runAll(std::vector<GameCode> games, Recorder& recorder, QDate today = kToday)
    {
        UpdateAllOptions options;
        options.games = std::move(games);
        options.emptyMonths = 2;
        options.emptyMarketDays = 5;
        return RunUpdateAll(context(today), PlanUpdateAll(m_folder.path(), today, options), recorder);
    }
    std::vector<GameReport> runAll(std::vector<GameCode> games, QDate today = kToday)
    {
        Recorder recorder;
        return runAll(std::move(games), recorder, today);
    }

    // The single update of game for year (and month), in the reference folder.
    void single(GameCode game, int year, int month = 0, QDate today = kToday)
    {
        const ResultFetcher fetch = [this](const std::string& url, const std::string& target, UserInterface& ui,
                                           const FetchPoll& poll) {
            return FetchResultFile(url, target, ui, poll, m_limits);
        };
        const std::string base = m_server.baseUrl();
        UpdateContext update{m_state, m_ui, m_reference.path(), today, {base, base}, fetch};
        m_state.SelectedYear = year;
        switch (game) {
        case GameCode::Extra: UpdateExtra(update); break;
        case GameCode::PropoSunday: UpdatePropo(update, game); break;
        case GameCode::Kino:
            m_ui.listAnswers = {2 + (year - 2004) * 12 + month};
            UpdateKino(update);
            break;
        case GameCode::Super3:
            m_ui.listAnswers = {month};
            UpdateSuper3(update);
            break;
        default: UpdateNumberGame(update, game); break;
        }
    }
    void singleStock(QDate from, QDate to)
    {
        m_ui.memoAnswers.push_back({SlashedDay(from), SlashedDay(to)});
        const std::string base = m_server.baseUrl();
        MarketContext market{m_ui, m_reference.path(), to, {base, base}, FetchDaysWithin(m_limits), nullptr};
        UpdateStock(market);
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
};

} // namespace

TEST_F(UpdateAll, FromEmptyAndPartlyFilledFoldersAsTheSingleUpdates)
{
    const std::string kino = ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx");
    const std::vector<GameCode> games{GameCode::Lotto, GameCode::Extra, GameCode::Kino, GameCode::Super3,
                                      GameCode::Stock};
    QDir(QString::fromStdString(m_reference.path())).mkpath("Data");
    // From nothing: LOTTO's archive answers from 2024 on (the years before are 404), KINO and
    // SUPER3 their last two months, STOCK the weekdays of its last five days.
    for (int year = 2024; year <= 2026; ++year) {
        serve(LottoPath(year), LottoBook(year, year == 2026 ? 10 : 104));
        serve(ExtraPath(year), ExtraBook(year, year - 2020));
        single(GameCode::Lotto, year);
        single(GameCode::Extra, year);
    }
    for (int month : {2, 3}) {
        serve("/Excel_xlsx/1100/2026/kino_2026_0" + std::to_string(month) + ".xlsx", kino);
        serve("/Excel_xlsx/2100/2026/super3_2026_0" + std::to_string(month) + ".xlsx", std::string(1500, 'a'));
        single(GameCode::Kino, 2026, month);
        single(GameCode::Super3, 2026, month);
    }
    for (int day : {11, 12, 13}) {
        serve(StockPath(QDate(2026, 3, day)), StockBody({StockLine("ALPHA", std::to_string(day) + ".00", "10")}));
    }
    singleStock(QDate(2026, 3, 11), kToday);
    std::vector<GameReport> reports = runAll(games);
    EXPECT_EQ(Differences(m_folder.path(), m_reference.path()), "");
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(U(ReportLine(reports[0])), "LOTTO: 218 νέες κληρώσεις");
    EXPECT_EQ(reports[0].steps, 37);
    EXPECT_EQ(reports[0].lastDrawBefore, 0);
    EXPECT_EQ(reports[1].stored, 3);
    EXPECT_EQ(reports[2].outcome, GameOutcome::Stored);
    EXPECT_EQ(U(ReportLine(reports[3])), "SUPER3: 2 νέοι μήνες");
    EXPECT_EQ(U(ReportLine(reports[4])), "STOCK: 3 νέες ημέρες");
    EXPECT_TRUE(AllSucceeded(reports));

    // Partly filled: 2026 has grown and two more market days have passed; the rest is current.
    const QDate tuesday(2026, 3, 17);
    serve(LottoPath(2026), LottoBook(2026, 30));
    serve(StockPath(QDate(2026, 3, 17)), StockBody({StockLine("ALPHA", "17.00", "10")}));
    single(GameCode::Lotto, 2026, 0, tuesday);
    single(GameCode::Extra, 2026, 0, tuesday);
    single(GameCode::Kino, 2026, 3, tuesday);
    singleStock(QDate(2026, 3, 16), tuesday);
    const int requests = static_cast<int>(m_server.requests().size());
    reports = runAll(games, tuesday);
    EXPECT_EQ(Differences(m_folder.path(), m_reference.path()), "");
    // LOTTO and EXTRA from 2026, KINO and SUPER3 from March, STOCK the 16th and 17th.
    EXPECT_EQ(static_cast<int>(m_server.requests().size()) - requests, 1 + 1 + 1 + 1 + 2);
    EXPECT_EQ(U(ReportLine(reports[0])), "LOTTO: 20 νέες κληρώσεις");
    EXPECT_EQ(reports[0].lastDrawBefore, 20261111);
    EXPECT_EQ(U(ReportLine(reports[1])), "EXTRA: ενημερωμένο, τίποτα νέο");
    EXPECT_EQ(U(ReportLine(reports[2])), "KINO: ενημερωμένο, τίποτα νέο");
    EXPECT_EQ(U(ReportLine(reports[4])), "STOCK: 1 νέα ημέρα");
    EXPECT_EQ(leftBehind(), 0);
}
