// The market updates end to end against a loopback server: the date box, the days asked, what is
// stored and skipped, the unreachable server, cancellation and the account.
#include "download/Download.h"
#include "market/FundDay.h"
#include "market/MarketText.h"
#include "market/MarketUpdate.h"
#include "market/StockDay.h"
#include "support/LoopbackServer.h"
#include "support/MarketTestData.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestSupport.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// Cancels once the given number of days is done.
struct ScriptedProgress : FetchProgress
{
    int cancelAfter = 1 << 30;
    int days = 0;
    int done = 0;
    int finished = 0;
    void start(int total) override { days = total; }
    void advance(int daysDone) override { done = daysDone; }
    bool cancelled() override { return done >= cancelAfter; }
    void finish() override { ++finished; }
};

class MarketUpdate : public ::testing::Test
{
protected:
    LoopbackServer server;
    test::TempFolder folder;
    ScriptedUserInterface ui;
    ScriptedProgress progress;

    void serve(const std::string& path, const std::string& body, int status = 200)
    {
        server.set(path, LoopbackResponse::Body(body, status));
    }
    MarketContext Context()
    {
        const std::string base = server.baseUrl();
        return MarketContext{ui, folder.path(), QDate(2024, 12, 10), {base, base}, &FetchDays, &progress};
    }
    // The update of one kind over the dates typed into its box.
    MarketReport Run(MarketReport (*update)(MarketContext&), const std::string& from, const std::string& to)
    {
        ui.memoAnswers.push_back({from, to});
        MarketContext context = Context();
        return update(context);
    }
    MarketReport Stock(const std::string& from, const std::string& to) { return Run(&UpdateStock, from, to); }
    MarketReport Funds(const std::string& from, const std::string& to) { return Run(&UpdateFunds, from, to); }
    std::vector<std::string> Downloading() const
    {
        std::vector<std::string> days;
        for (const std::string& notice : ui.statusHistory) {
            if (notice.rfind("Downloading ", 0) == 0) {
                days.push_back(notice.substr(12));
            }
        }
        return days;
    }
    std::vector<std::string> Stored() const
    {
        std::vector<std::string> names = ListFiles(folder.file("Data-STOCK/*"), ListKinds::Files);
        std::sort(names.begin(), names.end());
        return names;
    }
};

const std::vector<std::string> kFridayToMonday{"2024-12-06", "2024-12-07", "2024-12-08", "2024-12-09"};

} // namespace

TEST_F(MarketUpdate, DateBoxAndRangesThatAskNothing)
{
    MarketContext context = Context();
    EXPECT_FALSE(UpdateStock(context).ran); // cancelled
    EXPECT_EQ(ui.memoFields, (std::vector<std::vector<std::string>>{{"10/12/2024", "10/12/2024"}}));
    EXPECT_TRUE(ui.statusHistory.empty());
    for (const char* bad : {"31/2/2024", "5/12", "", "/12/2024"}) {
        EXPECT_FALSE(Stock(bad, "6/12/2024").ran) << bad;
    }
    ui.choiceAnswers.push_back(MessageAnswer::No); // over twenty years asks first
    EXPECT_FALSE(Stock("1/1/1026", "1/1/2026").ran);
    EXPECT_TRUE(ui.choiceAnswers.empty());
    ui.statusHistory.clear();
    EXPECT_TRUE(Stock("9/12/2024", "6/12/2024").ran); // last day before the first
    EXPECT_EQ(ui.statusHistory.size(), 1u);           // only the wait notice
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(MarketUpdate, DatePartsAfterTheYearAreIgnored)
{
    // The service's first line is dropped: it carries the length the body needs.
    serve(StockPath("2024-12-05"), std::string(500, '<') + "\r\n" + StockLine("ALPHA", "1.20", "1000") + "\r\n");
    const std::string file = folder.file("Data-STOCK/20241205.txt");
    const std::string fetched = StockHeader() + "\r\n"
        + "ALPHA     05/12/2024       1.20    -         1000       1.25       1.10             1200        -       1.15"
          "             -\r\n";
    for (const char* field : {"5/12/2024/", "5/12/2024/x", "05/12/2024 /", " 5/12/2024//9/9", "5/12/2024x/y"}) {
        StoreStockDay(folder, "20241205", {Record("OLD", "1")});
        const MarketReport report = Stock(field, field);
        EXPECT_EQ(report.stored, 1) << field;
        EXPECT_EQ(ReadBytes(file), fetched) << field;
    }
    EXPECT_EQ(server.requests().size(), 5u);
}

TEST_F(MarketUpdate, BothKindsAskOnlyTheWeekdaysOfARangeButShowTheWeekendsNotices)
{
    for (const std::string& day : kFridayToMonday) {
        serve(StockPath(day), StockBody({StockLine("ALPHA", "12.5", "3")}));
        serve(FundPath(day),
              FundPage({{"Μετοχικά", {{"Alpha", "", "1", "2", "3"}}},
                        {"Ομολογιακά", {}},
                        {"Μικτά", {{"Gamma", "1", "2", "3", "4"}}}},
                       day.substr(8, 2) + "/" + day.substr(5, 2) + "/" + day.substr(0, 4)));
    }
    const MarketReport stock = Stock("6/12/2024", " 9/12/2024");
    EXPECT_EQ(progress.days, 4); // every range has its progress: the window shows it after a second
    EXPECT_EQ(Downloading(), kFridayToMonday);
    ui.statusHistory.clear();
    const MarketReport funds = Funds("6/12/2024", "9/12/2024");
    EXPECT_EQ(Downloading(), kFridayToMonday);
    EXPECT_EQ(ui.status, "");                           // cleared at the end
    std::vector<std::string> asked = server.requests(); // fetched together: any arrival order
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked,
              (std::vector<std::string>{StockPath("2024-12-06"), StockPath("2024-12-09"), FundPath("2024-12-06"),
                                        FundPath("2024-12-09")}));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"20241206.txt", "20241209.txt", "A20241206.amb", "A20241209.amb"}));
    EXPECT_EQ(stock.noData, 0);
    EXPECT_EQ(funds.stored, 2);
    EXPECT_EQ(Chars(LoadLines(folder.file("Data-STOCK/20241209.txt"))[1], 1, 20), "ALPHA     09/12/2024");
    EXPECT_EQ(Chars(LoadLines(folder.file("Data-STOCK/A20241209.amb")).at(4), 50, 56), "c Gamma"); // layout: FundDay
}

TEST_F(MarketUpdate, RerunRewritesADayAndAnswersWithoutDataKeepIt)
{
    serve(StockPath("2024-12-02"), StockBody({StockLine("OLD", "1", "1")}));
    Stock("2/12/2024", "2/12/2024");
    serve(StockPath("2024-12-02"), StockBody({StockLine("AAA", "1", "1")}));
    Stock("2/12/2024", "2/12/2024");
    EXPECT_EQ(Chars(LoadLines(folder.file("Data-STOCK/20241202.txt"))[1], 1, 3), "AAA");
    // A 404 and a body over the cap are days without data, not an unreachable server.
    DownloadLimits small;
    small.maxBodyBytes = 2000;
    serve(StockPath("2024-12-02"), StockBody({StockLine("ALPHA", "1", "1")}, 5000));
    serve(StockPath("2024-12-03"), StockBody({StockLine("BETA", "1", "1")}, 1500));
    serve(StockPath("2024-12-04"), "", 404);
    ui.memoAnswers.push_back({"2/12/2024", "4/12/2024"});
    MarketContext context = Context();
    context.fetch = FetchDaysWithin(small);
    const MarketReport report = UpdateStock(context);
    EXPECT_EQ(Chars(LoadLines(folder.file("Data-STOCK/20241202.txt"))[1], 1, 3), "AAA");
    EXPECT_EQ(Stored(), (std::vector<std::string>{"20241202.txt", "20241203.txt"}));
    EXPECT_EQ(report.noData, 2);
    EXPECT_FALSE(report.serverUnreachable());
    // A long page sent as success that holds no prices (the bodies without data: the stock day
    // tests): the stored day stays byte for byte.
    const std::string stored = ReadBytes(folder.file("Data-STOCK/20241202.txt"));
    serve(StockPath("2024-12-02"), "<html><body><h1>Maintenance</h1>\r\n<p>" + std::string(600, '.') + "</p>\r\n");
    const MarketReport kept = Stock("2/12/2024", "2/12/2024");
    EXPECT_EQ(kept.noData, 1);
    EXPECT_EQ(ReadBytes(folder.file("Data-STOCK/20241202.txt")), stored);
}

TEST_F(MarketUpdate, FundPageOfAnotherDayIsSkippedAndOneWithoutHeadingAccepted)
{
    const std::vector<FundCategory> report{{"Μετοχικά", {{"Alpha", "1", "2", "3", "4"}}}};
    serve(FundPath("2024-12-02"), FundPage(report, "29/11/2024"));
    serve(FundPath("2024-12-03"), FundPage(report, ""));
    const MarketReport result = Funds("2/12/2024", "3/12/2024");
    EXPECT_EQ(Stored(), (std::vector<std::string>{"A20241203.amb"}));
    EXPECT_EQ(result.noData, 1);
    // A page of the day asked without the report's table (which pages: the fund day tests) keeps the
    // stored day byte for byte.
    const std::string stored = W("stored day\r\n");
    WriteBytes(folder.file("Data-STOCK/A20241204.amb"), stored);
    serve(FundPath("2024-12-04"), FundPage({}, "04/12/2024"));
    const MarketReport kept = Funds("4/12/2024", "4/12/2024");
    EXPECT_EQ(kept.noData, 1);
    EXPECT_EQ(ReadBytes(folder.file("Data-STOCK/A20241204.amb")), stored);
    // Without a stored day none is made.
    ::unlink(folder.file("Data-STOCK/A20241204.amb").c_str());
    Funds("4/12/2024", "4/12/2024");
    EXPECT_EQ(Stored(), (std::vector<std::string>{"A20241203.amb"}));
}

TEST_F(MarketUpdate, CancelStopsALongRangeAndKeepsWhatWasStored)
{
    QDate day(2024, 11, 1);
    for (int i = 0; i < 30; ++i, day = day.addDays(1)) {
        serve(StockPath(DashedDay(day)), StockBody({StockLine("S" + std::to_string(i), "1", "1")}));
    }
    progress.cancelAfter = 10;
    const MarketReport report = Stock("1/11/2024", "30/11/2024");
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(progress.days, 30);
    EXPECT_EQ(progress.finished, 1);
    // The days in flight when Cancel came are aborted, not stored: at most four were asked for.
    // The weekdays up to the tenth day of progress: 1, 4 to 8 and 11 November.
    EXPECT_EQ(report.stored, 7);
    EXPECT_LE(server.requests().size(), 11u);
    const std::vector<std::string> names = Stored();
    ASSERT_EQ(static_cast<int>(names.size()), report.stored);
    for (const std::string& name : names) { // each file whole: the header, then the records
        const std::vector<std::string> lines = LoadLines(folder.file("Data-STOCK/" + name));
        EXPECT_TRUE(lines.size() > 1 && lines[0] == StockHeader() && lines.back().size() == 122u) << name;
    }
    EXPECT_EQ(names.back(), "20241111.txt");
    EXPECT_NE(U(MarketAccount(report)).find("Διακόπηκε"), std::string::npos);
}

TEST_F(MarketUpdate, DayFileThatCannotBeWrittenEndsTheRangeWithItsAccount)
{
    // Five days; the second is too large for the files this process may write, as on a full disk.
    for (int day = 2; day <= 6; ++day) {
        const std::size_t size = day == 3 ? 20000 : 500;
        serve(StockPath("2024-12-0" + std::to_string(day)),
              StockBody({StockLine("D" + std::to_string(day), "1", "1")}, size));
    }
    StoreStockDay(folder, "20241203", {Record("OLD", "1")});
    const std::string before = ReadBytes(folder.file("Data-STOCK/20241203.txt"));
    MarketReport report;
    WithFileSizeLimit(8000, [&] { report = Stock("2/12/2024", "6/12/2024"); });
    EXPECT_EQ(progress.finished, 1);
    EXPECT_NE(report.writeFailure.find("20241203.txt: File too large"), std::string::npos) << report.writeFailure;
    EXPECT_EQ(U(MarketAccount(report)),
              "Ημέρες που αποθηκεύτηκαν: 1, χωρίς στοιχεία: 0. Σταμάτησε σε σφάλμα εγγραφής.");
    // The day before is whole, the failed day keeps its old file, nothing after it is written and
    // no temporary file is left.
    EXPECT_EQ(Chars(LoadLines(folder.file("Data-STOCK/20241202.txt"))[1], 1, 2), "D2");
    EXPECT_EQ(ReadBytes(folder.file("Data-STOCK/20241203.txt")), before);
    EXPECT_EQ(Stored(), (std::vector<std::string>{"20241202.txt", "20241203.txt"}));
    EXPECT_EQ(Downloading(), (std::vector<std::string>{"2024-12-02", "2024-12-03"}));

    // A day folder that is a file: nothing is stored, and the failure says why.
    std::filesystem::remove_all(folder.file("Data-STOCK"));
    WriteBytes(folder.file("Data-STOCK"), "a file where the folder should be");
    const MarketReport none = Stock("2/12/2024", "2/12/2024");
    EXPECT_EQ(none.stored, 0);
    EXPECT_NE(none.writeFailure.find("20241202.txt: Not a directory"), std::string::npos) << none.writeFailure;
}
