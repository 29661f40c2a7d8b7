// Prize tables and the next draw, timed: the cache built from 35 years of LOTTO workbooks (104
// draws and five categories a year) and read again, the heap the tables take, and a LOTTO view
// shown in the window while the draw service takes 300 ms to answer, beside the same view with
// no service at all. Prints the times, the sizes and the ratios.
#include "app/main/MainWindow.h"
#include "prizes/PrizeBook.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "support/WorkbookWriter.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <string>

using namespace karvo;

namespace {

constexpr int kFirstYear = 1990;
constexpr int kYears = 35;
constexpr int kDrawsAYear = 104;
constexpr int kServiceDelayMs = 300;

// A year of LOTTO in the operator's layout, its prize table after the numbers.
std::string LottoBook(int year)
{
    test::SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ ΛΟΤΤΟ"},
                         {"ΚΛΗΡ.", "ΗΜΕΡΟΜΗΝΙΑ", "ΚΛΗΡΩΘΕΝΤΕΣ ΑΡΙΘΜΟΙ"},
                         {"", "", "1ος", "2ος", "3ος", "4ος", "5ος", "6ος", "ΣΥΝΟΛΟ ΣΤΗΛΩΝ", "6αρια ", "", "5αρια ", "",
                          "4αρια ", "", "3αρια ", "", "2αρια ", ""},
                         {"", "", "", "", "", "", "", "", ""}};
    for (int c = 0; c < 5; ++c) {
        rows[3].insert(rows[3].end(), {"ΕΠΙΤΥΧΙΕΣ", "ΚΕΡΔΗ"});
    }
    for (int d = kDrawsAYear; d >= 1; --d) {
        const std::string date =
            std::to_string(d % 28 + 1) + "/" + std::to_string((d - 1) / 9 + 1) + "/" + std::to_string(year);
        rows.push_back({std::to_string((year - kFirstYear) * kDrawsAYear + d), date, "3", "9", "17", "22", "40",
                        std::to_string(d % 49 + 1), "334.330", "-", "0", std::to_string(d % 9), "12.000,00",
                        std::to_string(300 + d), "30,00", "6.077", "2,00", "45.651", "1,00"});
    }
    return test::OperatorWorkbookBytes({rows});
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

double Milliseconds(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The best of runs of f, in milliseconds.
template <class F>
double Best(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        f();
        best = std::min(best, Milliseconds(clock));
    }
    return best;
}

// Presses LOTTO in a new window over folder and returns the time until the view is there; when
// waitForLine, also the time until the next draw's line shows.
std::pair<double, double> ShowLotto(const std::string& folder, bool waitForLine)
{
    MainWindow window(folder, [] { return QDate(2026, 12, 7); });
    window.show();
    QApplication::processEvents();
    auto* button = window.findChild<QPushButton*>(QStringLiteral("lottoButton"));
    auto* line = window.findChild<QLabel*>(QStringLiteral("nextDrawLabel"));
    QElapsedTimer clock;
    clock.start();
    button->click();
    const double view = Milliseconds(clock);
    while (waitForLine && !line->isVisible() && clock.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return {view, Milliseconds(clock)};
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    CreateFolder(folder + "Data");
    for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
        SaveTextFile(folder + "Data/lotto_" + std::to_string(year) + ".xlsx", LottoBook(year));
    }

    // Built anew each time (the cache removed), then read from the cache.
    PrizeBook book;
    const double built = Best(3, [&] {
        DeleteFiles(PrizeCacheFile(folder, GameCode::Lotto));
        book = LoadPrizeBook(folder, GameCode::Lotto);
    });
    const double cached = Best(5, [&] { book = LoadPrizeBook(folder, GameCode::Lotto); });
    const std::size_t before = HeapInUse();
    std::vector<PrizeBook> held;
    held.push_back(LoadPrizeBook(folder, GameCode::Lotto));
    const std::size_t heap = HeapInUse() - before;
    std::printf("prize cache, %d LOTTO years, %zu draws: built %.1f ms, read %.1f ms (%.1fx faster)\n", kYears,
                book.draws.size(), built, cached, built / cached);
    std::printf("prize cache: file %lld bytes, tables in memory %zu bytes (%.0f bytes a draw)\n",
                static_cast<long long>(FileSizeOf(PrizeCacheFile(folder, GameCode::Lotto))), heap,
                static_cast<double>(heap) / static_cast<double>(book.draws.size()));

    // The history the view shows: every draw of the 35 years.
    std::string results;
    for (const DrawPrizes& draw : book.draws) {
        const QDate date = draw.date;
        results = std::string{static_cast<char>(date.day()),
                              static_cast<char>(date.month()),
                              static_cast<char>(date.year() - 1950),
                              3,
                              9,
                              17,
                              22,
                              40,
                              41}
            + results;
    }
    WriteMaskedFile(folder + "LOTTO.krv", results);
    test::LoopbackServer server;
    server.setDelay(std::chrono::milliseconds(kServiceDelayMs));
    server.set("/draws/v3.0/5103/last-result-and-active",
               test::LoopbackResponse::Body(R"({"active":{"drawId":9999,"drawTime":1765483200000,)"
                                            R"("prizeCategories":[{"id":1,"minimumDistributed":1200000}]}})"));
    qputenv("KARVO_DRAWS_URL",
            QByteArray::fromStdString("http://127.0.0.1:" + std::to_string(test::LoopbackServer::RefusedPort())));
    double without = 1e300;
    for (int i = 0; i < 3; ++i) {
        without = std::min(without, ShowLotto(folder, false).first);
    }
    qputenv("KARVO_DRAWS_URL", QByteArray::fromStdString(server.baseUrl()));
    double with = 1e300;
    double line = 1e300;
    for (int i = 0; i < 3; ++i) {
        const auto [view, shown] = ShowLotto(folder, true);
        with = std::min(with, view);
        line = std::min(line, shown);
    }
    std::printf("LOTTO view with the service answering after %d ms: shown in %.1f ms, without a service %.1f ms "
                "(%.2fx); the next draw's line after %.1f ms\n",
                kServiceDelayMs, with, without, with / without, line);
    return 0;
}
