// The number statistics, the draw patterns, the column check and the kept tickets on the largest histories players
// keep: 35 years of LOTTO, ten years of KINO month files (120 files of 9,000 draws). The KINO figures are timed
// beside a plain read of the same files' bytes in the same run, and both processor times are printed.
#include "results/ResultsFiles.h"
#include "stats/DrawPatterns.h"
#include "stats/KinoStats.h"
#include "stats/NumberStats.h"
#include "tickets/TicketCheck.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace karvo;

namespace {

void Save(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// 35 years of 370 slots, 104 draws a year (twice a week), masked as stored.
std::string LottoHistory()
{
    std::string bytes;
    for (int y = 0; y < 35; ++y) {
        for (int s = 0; s < 370; ++s) {
            std::string record(9, '\0');
            if (s < 104) {
                record = {static_cast<char>(1 + s % 28), static_cast<char>(1 + s / 9), static_cast<char>(40 + y)};
                for (int k = 0; k < 6; ++k) {
                    record += static_cast<char>(1 + (s * 7 + y * 3 + k * 8) % 49);
                }
            }
            bytes += record;
        }
    }
    PositionMask(bytes);
    return bytes;
}

// Twenty different numbers of 1..80 a draw, drawn at random as the real draws are (a fixed seed,
// so every run counts the same draws): evenly spread patterns would hide the cost of the gaps.
std::string KinoMonthBytes(int month, std::mt19937& random)
{
    std::string bytes = KinoHeader(month * 9000);
    bytes.reserve(9001 * KinoRecordSize);
    std::array<char, 80> numbers{};
    std::iota(numbers.begin(), numbers.end(), char{1});
    for (int d = 0; d < 9000; ++d) {
        for (int k = 0; k < 20; ++k) {
            std::swap(numbers[static_cast<std::size_t>(k)],
                      numbers[static_cast<std::size_t>(k) + random() % static_cast<std::size_t>(80 - k)]);
        }
        bytes.append(numbers.data(), 20);
        bytes += {static_cast<char>(1 + d / 300), static_cast<char>(9 + d % 300 / 24), static_cast<char>(d % 12 * 5)};
    }
    return bytes;
}

// A working folder built once for the whole run.
struct Folder
{
    QTemporaryDir dir;
    std::string path = dir.path().toStdString() + "/";

    Folder()
    {
        Save(path + "LOTTO.krv", LottoHistory());
        QDir(dir.path()).mkdir(QStringLiteral("DATA"));
        std::mt19937 random(2015);
        for (int m = 0; m < 120; ++m) {
            char name[32];
            std::snprintf(name, sizeof name, "DATA/kino_%04d_%02d.qav", 2015 + m / 12, 1 + m % 12);
            Save(path + name, KinoMonthBytes(m, random));
        }
    }
};

const Folder& TheFolder()
{
    static const Folder folder;
    return folder;
}

// Processor time of this process: the machine may be busy with other work while it runs.
double MillisecondsSince(std::clock_t start)
{
    return 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

void LottoStatistics(benchmark::State& state)
{
    const std::string& folder = TheFolder().path;
    for (auto _ : state) {
        const GameStats stats = ComputeStats(LoadHistory(folder, GameCode::Lotto), LayoutOf(GameCode::Lotto), {});
        benchmark::DoNotOptimize(stats.numbers.data());
    }
}

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Reads every month file as the statistics read them, each into one reused buffer, then takes the
// statistics from the same files on one thread, their reading included. Both are timed as the user
// waits for them (ratio) and in processor time (ratio_cpu), which a busy machine disturbs less. For
// comparison, the statistics through the whole history held as one table.
void KinoStatisticsAgainstReading(benchmark::State& state)
{
    const std::string& folder = TheFolder().path;
    double read = 0;
    double readProcessor = 0;
    double stats = 0;
    double statsProcessor = 0;
    double table = 0;
    for (auto _ : state) {
        auto processor = std::clock();
        auto wall = std::chrono::steady_clock::now();
        std::string buffer;
        std::size_t bytes = 0;
        for (const KinoMonthFile& file : KinoMonthFiles(folder, 0)) {
            bytes += ReadKinoFileInto(file.path, buffer);
        }
        benchmark::DoNotOptimize(bytes);
        read += MillisecondsSince(wall);
        readProcessor += MillisecondsSince(processor);
        processor = std::clock();
        wall = std::chrono::steady_clock::now();
        const GameStats straight = ComputeKinoStats(folder, {});
        benchmark::DoNotOptimize(straight.numbers.data());
        stats += MillisecondsSince(wall);
        statsProcessor += MillisecondsSince(processor);
        processor = std::clock();
        const GameStats held = ComputeStats(LoadHistory(folder, GameCode::Kino), LayoutOf(GameCode::Kino), {});
        benchmark::DoNotOptimize(held.numbers.data());
        table += MillisecondsSince(processor);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["read_ms"] = read / runs;
    state.counters["stats_ms"] = stats / runs;
    state.counters["ratio"] = stats / read;
    state.counters["read_cpu_ms"] = readProcessor / runs;
    state.counters["stats_cpu_ms"] = statsProcessor / runs;
    state.counters["ratio_cpu"] = statsProcessor / readProcessor;
    state.counters["table_cpu_ms"] = table / runs;
}

// The column check as the user waits for it: the history read, then ten numbers checked.
void KinoTicketCheck(benchmark::State& state)
{
    const std::string& folder = TheFolder().path;
    Ticket ticket;
    std::string message;
    ParseTicket(GameCode::Kino, "3 11 19 27 35 43 51 59 67 75", ticket, message);
    double loadTotal = 0;
    double checkTotal = 0;
    for (auto _ : state) {
        auto start = std::clock();
        const DrawHistory history = LoadHistory(folder, GameCode::Kino);
        loadTotal += MillisecondsSince(start);
        start = std::clock();
        const TicketReport report = CheckTicket(history, GameCode::Kino, ticket);
        benchmark::DoNotOptimize(report.hits.data());
        checkTotal += MillisecondsSince(start);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["load_ms"] = loadTotal / runs;
    state.counters["check_ms"] = checkTotal / runs;
}

// A hundred tickets of the game drawn at random (a fixed seed): LOTTO six numbers each, KINO 1 to
// 12 numbers, a third of them played as columns of fewer.
std::vector<Ticket> HundredTickets(GameCode game)
{
    std::mt19937 random(2024);
    const NumberGroup& main = LayoutOf(game).groups.front();
    std::vector<Ticket> tickets;
    for (int t = 0; t < 100; ++t) {
        std::vector<int> numbers(static_cast<std::size_t>(main.high));
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random);
        const int count = game == GameCode::Kino ? 1 + t % 12 : main.count;
        Ticket ticket;
        ticket.values.assign(numbers.begin(), numbers.begin() + count);
        ticket.played = game == GameCode::Kino && t % 3 == 0 ? (count + 1) / 2 : 0;
        tickets.push_back(ticket);
    }
    return tickets;
}

// The kept tickets' window's figures: the history read, then every ticket counted at once.
void KeptTickets(benchmark::State& state, GameCode game)
{
    const std::string& folder = TheFolder().path;
    const std::vector<Ticket> tickets = HundredTickets(game);
    TicketCheckOptions options;
    options.listHits = false;
    options.recentDraws = 10;
    double loadTotal = 0;
    double checkTotal = 0;
    for (auto _ : state) {
        auto start = std::clock();
        const DrawHistory history = LoadHistory(folder, game);
        loadTotal += MillisecondsSince(start);
        start = std::clock();
        const std::vector<TicketReport> reports = CheckTickets(history, game, tickets, options);
        benchmark::DoNotOptimize(reports.data());
        checkTotal += MillisecondsSince(start);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["load_ms"] = loadTotal / runs;
    state.counters["check_ms"] = checkTotal / runs;
}

void HundredLottoTickets(benchmark::State& state)
{
    KeptTickets(state, GameCode::Lotto);
}

void HundredKinoTickets(benchmark::State& state)
{
    KeptTickets(state, GameCode::Kino);
}

// The patterns of ten years of KINO's draws (odd and even, sums, repeats, and the pairs, which take
// nearly all of the time) over the history held as one table, as the statistics window holds it;
// its reading is timed apart.
void KinoPatterns(benchmark::State& state)
{
    const std::string& folder = TheFolder().path;
    auto start = std::clock();
    const DrawHistory history = LoadHistory(folder, GameCode::Kino);
    const double load = MillisecondsSince(start);
    double patterns = 0;
    for (auto _ : state) {
        start = std::clock();
        const DrawPatterns figures = ComputeDrawPatterns(history, LayoutOf(GameCode::Kino), {});
        benchmark::DoNotOptimize(figures.frequentPairs.data());
        patterns += MillisecondsSince(start);
    }
    state.counters["draws"] = static_cast<double>(history.drawCount());
    state.counters["load_cpu_ms"] = load;
    state.counters["patterns_cpu_ms"] = patterns / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(LottoStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(KinoStatisticsAgainstReading)->Unit(benchmark::kMillisecond);
BENCHMARK(KinoTicketCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(HundredLottoTickets)->Unit(benchmark::kMillisecond);
BENCHMARK(HundredKinoTickets)->Unit(benchmark::kMillisecond);
BENCHMARK(KinoPatterns)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
