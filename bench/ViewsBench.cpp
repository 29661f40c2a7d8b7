// Time from results file to filled grid for each draw-results view, on the largest histories
// the games produce (size 1) and on four times as many records (size 4), to show linear growth.
#include "results/DrawViews.h"
#include "results/KinoView.h"
#include "results/PropoView.h"
#include "results/ResultsFiles.h"
#include "results/SlotViews.h"
#include "results/Super3View.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <string>

using namespace karvo;

namespace {

void Save(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Slot blocks of 370 per year from firstYear to this year, 104 draws a year (twice a week).
std::string NumberGameHistory(int firstYear, int recordSize, int scale)
{
    const int years = (QDate::currentDate().year() - firstYear + 1) * scale;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(years) * 370 * recordSize);
    for (int y = 0; y < years; ++y) {
        for (int s = 0; s < 370; ++s) {
            std::string record(static_cast<std::size_t>(recordSize), '\0');
            if (s < 104) {
                record[0] = static_cast<char>(1 + s % 28);
                record[1] = static_cast<char>(1 + s / 9);
                record[2] = static_cast<char>(firstYear + y - 1950);
                for (int k = 3; k < recordSize; ++k) {
                    record[static_cast<std::size_t>(k)] = static_cast<char>(1 + (s * 7 + k * 5) % 45);
                }
            }
            bytes += record;
        }
    }
    return bytes;
}

// Every slot of the period filled: EXTRA by draw number, PROPO 60 coupons a year.
std::string ExtraHistory(int scale)
{
    std::string bytes;
    for (int s = 0; s < 12375 * scale; ++s) {
        bytes += {static_cast<char>(1 + s % 28),
                  static_cast<char>(1 + s % 12),
                  static_cast<char>(60 + s / 3000),
                  static_cast<char>(1 + s % 20),
                  22,
                  33,
                  34,
                  35};
    }
    return bytes;
}

std::string PropoHistory(int scale)
{
    std::string bytes = "KARVO50";
    for (int v = 0; v < 9000 * scale; ++v) {
        bytes += static_cast<char>(v * 37);
        bytes += static_cast<char>((v * 11) & 0x3F);
    }
    return bytes + '\x1A';
}

std::string KinoMonth(int scale)
{
    std::string bytes = KinoHeader(100000);
    for (int r = 0; r < 9000 * scale; ++r) {
        std::string record(23, '\0');
        for (int k = 0; k < 20; ++k) {
            record[static_cast<std::size_t>(k)] = static_cast<char>(1 + k * 4 + r % 4);
        }
        record[20] = static_cast<char>(1 + r / 300 % 31);
        record[21] = static_cast<char>(9 + r % 14);
        record[22] = static_cast<char>(r % 60);
        bytes += record;
    }
    return bytes;
}

// SUPER3 from November 2002 to the end of this year, ten draws a day since mid-2011.
std::string Super3History(int scale)
{
    const std::int64_t days = QDate(2011, 6, 14).daysTo(QDate(QDate::currentDate().year(), 12, 31));
    const std::int64_t draws = (9237 + 10 * days) * scale;
    std::string text;
    text.reserve(static_cast<std::size_t>(3 * draws));
    for (std::int64_t n = 0; n < draws; ++n) {
        text += std::to_string(100 + n % 900);
    }
    return text;
}

// A working folder per scale, written once for all benchmarks.
const std::string& Folder(int scale)
{
    static std::map<int, QTemporaryDir> dirs;
    static std::map<int, std::string> paths;
    auto found = paths.find(scale);
    if (found != paths.end()) {
        return found->second;
    }
    const std::string folder = dirs[scale].path().toStdString() + "/";
    const auto masked = [&](const char* name, std::string bytes) {
        PositionMask(bytes);
        Save(folder + name, bytes);
    };
    masked("LOTTO.krv", NumberGameHistory(1990, GameInfoFor(GameCode::Lotto).recordSize, scale));
    masked("GOAL.krv", NumberGameHistory(1996, GameInfoFor(GameCode::Goal).recordSize, scale));
    masked("JOKER.krv", NumberGameHistory(1997, GameInfoFor(GameCode::Joker).recordSize, scale));
    masked("Extra.krv", ExtraHistory(scale));
    // PROTO: 2000 bytes (200 slots) a year from 1992.
    std::string proto = NumberGameHistory(1992, GameInfoFor(GameCode::Proto).recordSize, scale);
    proto.resize(proto.size() / 370 * 200);
    masked("Proto.krv", proto);
    Save(folder + "Super3.krv", Super3History(scale));
    Save(folder + "Propok.krv", PropoHistory(scale));
    QDir(QString::fromStdString(folder)).mkdir("DATA");
    Save(folder + "DATA/kino_2024_05.qav", KinoMonth(scale));
    return paths[scale] = folder;
}

template <typename Build>
void Run(benchmark::State& state, Build build)
{
    const std::string& folder = Folder(static_cast<int>(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        DrawView view = build(folder);
        rows = view.grid.rowCount() - 1;
        benchmark::DoNotOptimize(view);
    }
    state.counters["rows"] = rows;
}

void Propo(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildPropoView(f, GameCode::PropoSunday, 2015); });
}
void Lotto(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildLottoView(f, GameCode::Lotto, 2015); });
}
void Goal(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildLottoView(f, GameCode::Goal, 2015); });
}
void Joker(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildLottoView(f, GameCode::Joker, 2015); });
}
void Extra(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildExtraView(f, 2015); });
}
void Proto(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildProtoView(f, 2015); });
}
void Super3(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildSuper3View(f, 2015); });
}
void Kino(benchmark::State& s)
{
    Run(s, [](const std::string& f) { return BuildKinoView(f, "DATA/kino_2024_05.qav"); });
}

} // namespace

BENCHMARK(Propo)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Lotto)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Goal)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Joker)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Extra)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Proto)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Super3)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(Kino)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
