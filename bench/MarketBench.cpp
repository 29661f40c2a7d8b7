// The market data over ten years of stored days (2,500 stock days of 200 securities, 2,500 fund
// days of 400 lines): the stock view from the button press to the last day shown, find-all over
// every stock file beside grep -c over the same files, a 100,000-row result on screen, and a
// 30-day range fetched from a server that answers each request after 100 ms.
#include "app/main/GridView.h"
#include "app/main/MainWindow.h"
#include "commands/FindInFiles.h"
#include "market/FundDay.h"
#include "market/MarketText.h"
#include "market/MarketUpdate.h"
#include "market/StockDay.h"
#include "support/LoopbackServer.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Text.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace karvo;

namespace {

constexpr int kDays = 2500;

// Trading days from 2015 on, weekends left out.
std::vector<QDate> TradingDays()
{
    std::vector<QDate> days;
    for (QDate day(2015, 1, 1); static_cast<int>(days.size()) < kDays; day = day.addDays(1)) {
        if (day.dayOfWeek() < 6) {
            days.push_back(day);
        }
    }
    return days;
}

// The ten years of files, made once for every benchmark of the run.
const std::string& MarketFolder()
{
    static QTemporaryDir dir;
    static const std::string folder = [] {
        const std::string path = dir.path().toStdString() + "/";
        CreateFolder(path + "Data-STOCK");
        int n = 0;
        for (const QDate& day : TradingDays()) {
            std::vector<std::string> stock{StockHeader()};
            for (int s = 0; s < 200; ++s) {
                const std::string close = std::to_string(1 + (s * 7 + n) % 50) + "." + std::to_string(n % 100);
                stock.push_back(StockRecord("SYM" + std::to_string(1000 + s) + ",d,x,1,1," + close + ",1,"
                                                + std::to_string(100 + s * 13 + n),
                                            SlashedDay(day)));
            }
            SaveLines(StockDayFile(path, day), stock);
            std::vector<std::string> funds;
            for (int f = 0; f < 400; ++f) {
                std::string line = Spaces(49) + static_cast<char>('a' + f / 40) + " FUND " + std::to_string(f);
                PlaceRight(line, 16, std::to_string(1000 + f * n % 7777) + ".123,45");
                PlaceRight(line, 42, "12,3456");
                funds.push_back(line);
            }
            SaveLines(FundDayFile(path, day), funds);
            ++n;
        }
        return path;
    }();
    return folder;
}

void ViewStockFromClick(benchmark::State& state)
{
    MainWindow form(MarketFolder(), [] { return QDate(2025, 1, 1); });
    form.show();
    auto* stock = form.findChild<QPushButton*>(QStringLiteral("stocksButton"));
    auto* menu = form.findChild<QPushButton*>(QStringLiteral("menuButton"));
    for (auto _ : state) {
        stock->click();
        QApplication::processEvents();
        state.PauseTiming();
        menu->click();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    stock->click();
    const GridView* days = form.findChild<GridView*>(QStringLiteral("mainGrid"));
    const GridView* securities = form.findChild<GridView*>(QStringLiteral("sideGrid"));
    state.counters["days"] = days->grid().rowCount() - 1;
    state.counters["securities"] = securities->grid().rowCount() - 1;
}

void FindAllInStockFiles(benchmark::State& state)
{
    CellGrid grid(9, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindAllInStockFiles(MarketFolder(), "SYM1042", grid));
    }
    state.counters["rows"] = grid.rowCount() - 1;
}

// grep -c over the same files, in the same run, as the yardstick of reading them all.
void GrepCountStockFiles(benchmark::State& state)
{
    const std::string command = "cd '" + MarketFolder() + "Data-STOCK' && grep -c SYM1042 *.txt > /dev/null";
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str()));
    }
}

void ShowLargeResult(benchmark::State& state)
{
    MainWindow form(MarketFolder(), [] { return QDate(2025, 1, 1); });
    form.show();
    form.findChild<QPushButton*>(QStringLiteral("stocksButton"))->click();
    auto* sideGrid = form.findChild<GridView*>(QStringLiteral("sideGrid"));
    CellGrid result(9, 100001);
    for (int r = 1; r <= 100000; ++r) {
        result.setCell(0, r, "SYM" + std::to_string(r % 200));
        result.setCell(1, r, "2024-12-05");
        result.setCell(2, r, "   12.50");
    }
    for (auto _ : state) {
        sideGrid->showGrid(result);
        sideGrid->selectGridRow(100000, 0);
        sideGrid->repaint();
        QApplication::processEvents();
    }
}

// A user interface that answers the date box with a fixed range and shows nothing.
class RangeAnswers : public UserInterface
{
public:
    int ChooseFromList(const std::string&, const std::vector<std::string>&, const std::string&, bool) override
    {
        return 0;
    }
    bool InputChoice(const std::string&, const std::string&, std::string&) override { return false; }
    bool MemoBox(const std::string&, std::vector<std::string>& fields, const std::vector<std::string>&,
                 std::vector<int>&, int) override
    {
        fields = {"1/11/2024", "30/11/2024"};
        return true;
    }
    bool ChooseFileName(const std::string&, const std::string&, const std::string&, FileChooserMode,
                        std::string&) override
    {
        return false;
    }
    void ShowNotice(NoticeKind, const std::string&) override { }
    MessageAnswer MessageChoice(const std::string&, const std::string&, MessageType, MessageAnswer answer,
                                MessageButtons) override
    {
        return answer;
    }
    void StatusNotice(const std::string&) override { }
    void ShellOpen(const std::string&) override { }
    void TextExtent(const std::string&, const std::string&, int, int& width, int& height) override
    {
        width = height = 0;
    }
    int WorkAreaHeight() override { return 1000; }
    void processPendingEvents() override { }
};

void ThirtyDaysFromASlowServer(benchmark::State& state)
{
    karvo::test::LoopbackServer server;
    server.setDelay(std::chrono::milliseconds(100));
    std::string body = "head\r\n";
    while (body.size() < 20000) {
        body += "SYM1000,d,x,1.25,1.10,1.20,1.15,1000\r\n";
    }
    for (QDate day(2024, 11, 1); day.month() == 11; day = day.addDays(1)) {
        server.set("/finance/Data/GetMetaStock.ashx?date=" + DashedDay(day) + "&type=1&encoding=2",
                   karvo::test::LoopbackResponse::Body(body));
    }
    QTemporaryDir dir;
    RangeAnswers ui;
    for (auto _ : state) {
        MarketContext context{ui,
                              dir.path().toStdString() + "/",
                              QDate(2024, 12, 1),
                              {server.baseUrl(), server.baseUrl()},
                              &FetchDays,
                              nullptr};
        const MarketReport report = UpdateStock(context);
        state.counters["stored"] = report.stored;
    }
}

} // namespace

BENCHMARK(ViewStockFromClick)->Unit(benchmark::kMillisecond);
BENCHMARK(FindAllInStockFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(GrepCountStockFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(ShowLargeResult)->Unit(benchmark::kMillisecond);
BENCHMARK(ThirtyDaysFromASlowServer)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MarketFolder(); // the ten years of files are made before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
