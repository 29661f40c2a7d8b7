// Number statistics over small hand-built histories whose figures are worked by hand in the
// comments beside them.
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "stats/KinoStats.h"
#include "stats/NumberStats.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// LOTTO across a year boundary with an empty slot between its draws:
//   index 0  30-12-2023  1 2 3 4 5 6
//   index 1  31-12-2023  1 7 8 9 10 11
//   index 2  02-01-2024  2 3 12 13 14 15
//   index 3  05-01-2024  1 2 16 17 18 19
void WriteLotto(const test::TempFolder& folder)
{
    WriteMaskedFile(folder.file("LOTTO.krv"),
                    Slot(30, 12, 2023, {1, 2, 3, 4, 5, 6}) + Slot(31, 12, 2023, {1, 7, 8, 9, 10, 11})
                        + std::string(9, '\0') + Slot(2, 1, 2024, {2, 3, 12, 13, 14, 15})
                        + Slot(5, 1, 2024, {1, 2, 16, 17, 18, 19}));
}

std::string KinoRecord(const std::vector<int>& numbers, int day)
{
    return test::KinoRecord(numbers, day, 12, 5);
}

std::vector<int> Run(int from, int to)
{
    std::vector<int> numbers;
    for (int n = from; n <= to; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

// KINO over two month files, a record without numbers in the first:
//   index 0  31-12-2023  1..20;  index 1  01-01-2024  21..40;  index 2  01-01-2024  1..10, 41..50
void WriteKino(const test::TempFolder& folder)
{
    CreateFolder(folder.file("Data"));
    WriteKinoFile(folder.file("Data/kino_2023_12.qav"),
                  KinoHeader(100) + KinoRecord(Run(1, 20), 31) + KinoRecord({}, 31));
    std::vector<int> mixed = Run(1, 10);
    mixed.insert(mixed.end(), {41, 42, 43, 44, 45, 46, 47, 48, 49, 50});
    WriteKinoFile(folder.file("Data/kino_2024_01.qav"),
                  KinoHeader(102) + KinoRecord(Run(21, 40), 1) + KinoRecord(mixed, 1));
    WriteBytes(folder.file("Data/kino_old.qav"), std::string(46, '\1')); // not a month file
}

const NumberRow& Row(const GameStats& stats, int group, int number)
{
    for (const NumberRow& row : stats.numbers) {
        if (row.group == group && row.number == number) {
            return row;
        }
    }
    throw std::runtime_error("no such row");
}

// hits, current gap, longest gap, last date
struct Figures
{
    std::int64_t hits, current, longest;
    std::int32_t last;
    bool operator==(const Figures&) const = default;
};

Figures FiguresOf(const GameStats& stats, int number, int group = 0)
{
    const NumberRow& row = Row(stats, group, number);
    return {row.hits, row.currentGap, row.longestGap, row.lastDate};
}

GameStats StatsOf(const test::TempFolder& folder, GameCode game, StatsPeriod period = {})
{
    return ComputeStats(LoadHistory(folder.path(), game), LayoutOf(game), period);
}

// Draw 1 of 2024 of ΠΡΟΠΟ ΚΥΡΙΑΚΗ: fourteen "1"; draw 2: seven "2", six "X" and no sign at 14.
void WritePropo(const test::TempFolder& folder)
{
    std::vector<std::uint16_t> values(static_cast<std::size_t>(2 * PropoSlot(2024, 2) + 1), PropoEmptyValue);
    const std::uint16_t draws[2][2] = {{0x1555, 0x1555}, {0x2AAA, 0x3000}};
    for (int draw = 1; draw <= 2; ++draw) {
        values[static_cast<std::size_t>(2 * PropoSlot(2024, draw) - 1)] = draws[draw - 1][0];
        values[static_cast<std::size_t>(2 * PropoSlot(2024, draw))] = draws[draw - 1][1];
    }
    WritePropoFile(folder.file("Propok.krv"), values, 2024);
}

} // namespace

TEST(NumberStats, LottoFrequenciesAndGapsAcrossAYearBoundary)
{
    test::TempFolder folder;
    WriteLotto(folder);
    const GameStats stats = StatsOf(folder, GameCode::Lotto);
    ASSERT_EQ(stats.numbers.size(), 49u);
    EXPECT_EQ(stats.draws, 4);
    EXPECT_EQ(stats.firstDate, 20231230);
    EXPECT_EQ(stats.lastDate, 20240105);
    EXPECT_EQ(FiguresOf(stats, 1), (Figures{3, 0, 1, 20240105}));  // 0 1 . 3
    EXPECT_EQ(FiguresOf(stats, 3), (Figures{2, 1, 1, 20240102}));  // 0 . 2 .
    EXPECT_EQ(FiguresOf(stats, 7), (Figures{1, 2, 2, 20231231}));  // . 1 . .
    EXPECT_EQ(FiguresOf(stats, 16), (Figures{1, 0, 3, 20240105})); // . . . 3
    EXPECT_EQ(FiguresOf(stats, 49), (Figures{0, 4, 4, 0}));
    EXPECT_DOUBLE_EQ(Row(stats, 0, 1).share, 75.0);
    EXPECT_DOUBLE_EQ(Row(stats, 0, 1).expected, 600.0 / 49);
}

TEST(NumberStats, PeriodThatStartsMidHistory)
{
    test::TempFolder folder;
    WriteLotto(folder);
    const GameStats fromYear = StatsOf(folder, GameCode::Lotto, {StatsPeriod::Kind::FromYear, 2024});
    EXPECT_EQ(fromYear.draws, 2);
    EXPECT_EQ(FiguresOf(fromYear, 1), (Figures{1, 0, 1, 20240105}));
    EXPECT_EQ(FiguresOf(fromYear, 2), (Figures{2, 0, 0, 20240105}));
    EXPECT_EQ(FiguresOf(StatsOf(folder, GameCode::Lotto, {StatsPeriod::Kind::LastDraws, 3}), 1),
              (Figures{2, 0, 1, 20240105}));
}

TEST(NumberStats, EmptyHistoryGivesEveryNumberWithZeroFigures)
{
    test::TempFolder folder;
    for (GameCode game : {GameCode::Lotto, GameCode::Kino, GameCode::Super3, GameCode::PropoSunday}) {
        const GameStats stats = StatsOf(folder, game);
        EXPECT_EQ(stats.draws, 0);
        for (const NumberRow& row : stats.numbers) {
            EXPECT_EQ(FiguresOf(stats, row.number, row.group), (Figures{0, 0, 0, 0}));
            EXPECT_EQ(row.share, 0.0);
        }
        for (const PropoRow& row : stats.positions) {
            EXPECT_EQ(row.played(), 0);
        }
    }
    EXPECT_EQ(StatsOf(folder, GameCode::Kino).numbers.size(), 80u);
}

TEST(NumberStats, JokerCountsItsJokerApart)
{
    test::TempFolder folder;
    // 1 2 3 4 5 + 5, then 5 6 7 8 9 + 1.
    WriteMaskedFile(folder.file("JOKER.krv"),
                    Slot(1, 3, 2024, {1, 2, 3, 4, 5, 5}) + Slot(4, 3, 2024, {5, 6, 7, 8, 9, 1}));
    const GameStats stats = StatsOf(folder, GameCode::Joker);
    EXPECT_EQ(FiguresOf(stats, 5, 0), (Figures{2, 0, 0, 20240304}));
    EXPECT_EQ(FiguresOf(stats, 5, 1), (Figures{1, 1, 1, 20240301}));
    EXPECT_EQ(FiguresOf(stats, 1, 1), (Figures{1, 0, 1, 20240304}));
    EXPECT_DOUBLE_EQ(Row(stats, 1, 1).expected, 5.0);
}

TEST(NumberStats, KinoAcrossTwoMonthFiles)
{
    test::TempFolder folder;
    WriteKino(folder);
    const GameStats stats = StatsOf(folder, GameCode::Kino);
    EXPECT_EQ(stats.draws, 3);
    EXPECT_EQ(FiguresOf(stats, 1), (Figures{2, 0, 1, 20240101}));
    EXPECT_EQ(FiguresOf(stats, 20), (Figures{1, 2, 2, 20231231}));
    EXPECT_EQ(FiguresOf(stats, 80), (Figures{0, 3, 3, 0}));
    EXPECT_EQ(LoadHistory(folder.path(), GameCode::Kino, 2024).drawCount(), 2);
    const GameStats straight = ComputeKinoStats(folder.path(), {});
    EXPECT_EQ(straight.draws, 3);
    EXPECT_EQ(FiguresOf(straight, 20), (Figures{1, 2, 2, 20231231}));
}

namespace {

// Number n's figures over draws first..end - 1, one draw at a time.
Figures PlainCount(const std::vector<std::vector<int>>& draws, const std::vector<std::int32_t>& dates, int n,
                   std::size_t first, std::size_t end)
{
    Figures figures{0, 0, 0, 0};
    std::int64_t run = 0;
    for (std::size_t d = first; d < end; ++d) {
        if (std::find(draws[d].begin(), draws[d].end(), n) == draws[d].end()) {
            figures.longest = std::max(figures.longest, ++run);
            continue;
        }
        ++figures.hits;
        figures.last = dates[d];
        run = 0;
    }
    figures.current = run;
    return figures;
}

// Thirty months of random KINO draws, the numbers drawn unevenly so that long gaps (past 32 and 64
// draws) occur, a few records without numbers among them and some months empty. Each draw is also
// kept as a list, for the figures counted one draw at a time.
struct RandomKino
{
    std::vector<std::vector<int>> draws;
    std::vector<std::int32_t> dates;

    explicit RandomKino(const test::TempFolder& folder)
    {
        std::mt19937 random(80);
        CreateFolder(folder.file("DATA"));
        for (int m = 0; m < 30; ++m) {
            const int year = 2022 + m / 12;
            const int month = 1 + m % 12;
            std::string bytes = KinoHeader(m * 1000);
            const int count = m % 7 == 3 ? 0 : static_cast<int>(random() % 400);
            for (int d = 0; d < count; ++d) {
                const int day = 1 + d * 28 / std::max(count, 1);
                if (random() % 50 == 0) {
                    bytes += KinoRecord({}, day);
                    continue;
                }
                // Twenty different numbers; 80 comes in about one draw of 150, 79 one of 40.
                std::vector<int> numbers;
                while (numbers.size() < 20) {
                    const int n = 1 + static_cast<int>(random() % 80);
                    if ((n != 80 || random() % 38 == 0) && (n != 79 || random() % 10 == 0)
                        && std::find(numbers.begin(), numbers.end(), n) == numbers.end()) {
                        numbers.push_back(n);
                    }
                }
                draws.push_back(numbers);
                dates.push_back(year * 10000 + month * 100 + day);
                bytes += KinoRecord(numbers, day);
            }
            char name[32];
            std::snprintf(name, sizeof name, "DATA/kino_%04d_%02d.qav", year, month);
            WriteKinoFile(folder.file(name), bytes);
        }
    }
};

} // namespace

TEST(NumberStats, KinoFromTheMonthFilesMatchesADrawByDrawCount)
{
    test::TempFolder folder;
    const RandomKino kino(folder);
    const std::size_t total = kino.draws.size();
    const auto firstOf2023 =
        static_cast<std::size_t>(std::lower_bound(kino.dates.begin(), kino.dates.end(), 20230000) - kino.dates.begin());
    const struct
    {
        StatsPeriod period;
        std::size_t first;
    } cases[] = {
        {{}, 0},
        {{StatsPeriod::Kind::FromYear, 2023}, firstOf2023},
        {{StatsPeriod::Kind::LastDraws, 1}, total - 1},
        {{StatsPeriod::Kind::LastDraws, 65}, total - 65},
        {{StatsPeriod::Kind::LastDraws, 1000}, total - 1000},
        {{StatsPeriod::Kind::LastDraws, 0}, total},
        {{StatsPeriod::Kind::LastDraws, 1'000'000}, 0},
    };
    const DrawHistory history = LoadHistory(folder.path(), GameCode::Kino);
    ASSERT_EQ(static_cast<std::size_t>(history.drawCount()), total);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "period " << static_cast<int>(c.period.kind) << " " << c.period.value);
        const GameStats straight = ComputeKinoStats(folder.path(), c.period);
        const GameStats table = ComputeStats(history, LayoutOf(GameCode::Kino), c.period);
        EXPECT_EQ(straight.draws, static_cast<std::int64_t>(total - c.first));
        EXPECT_EQ(table.draws, straight.draws);
        EXPECT_EQ(straight.firstDate, c.first < total ? kino.dates[c.first] : 0);
        EXPECT_EQ(straight.lastDate, c.first < total ? kino.dates.back() : 0);
        for (int n = 1; n <= 80; ++n) {
            const Figures expected = PlainCount(kino.draws, kino.dates, n, c.first, total);
            EXPECT_EQ(FiguresOf(straight, n), expected) << n;
            EXPECT_EQ(FiguresOf(table, n), expected) << n;
        }
    }
    EXPECT_GT(PlainCount(kino.draws, kino.dates, 80, 0, total).longest, 64); // the long gaps were there to be found
}

// 3,000 LOTTO draws in which 1 comes in five draws of six and 49 in one of twenty-five, a number
// now and then twice in a draw and a damaged value (0, 50, 255) among them: gaps of every length
// up to a few hundred draws, inside blocks of 64 draws and across them.
TEST(NumberStats, GapsOfEveryLengthMatchADrawByDrawCount)
{
    std::mt19937 random(49);
    DrawHistory history;
    history.width = history.stride = 6;
    std::vector<std::vector<int>> draws;
    for (int d = 0; d < 3000; ++d) {
        std::vector<int> draw;
        for (int k = 0; k < 6; ++k) {
            const std::uint64_t r = random() % 1000;
            const std::uint64_t damaged[] = {0, 50, 255};
            const std::uint64_t value = random() % 150 == 0 ? damaged[r % 3] : 1 + r * r * r * 49 / 1'000'000'000;
            draw.push_back(static_cast<int>(value));
            history.values.push_back(static_cast<std::uint8_t>(value));
        }
        draws.push_back(draw);
        history.dates.push_back((2000 + d / 300) * 10000 + (1 + d % 300 / 25) * 100 + 1 + d % 25);
    }
    const StatsPeriod periods[] = {{},
                                   {StatsPeriod::Kind::FromYear, 2005},
                                   {StatsPeriod::Kind::LastDraws, 1},
                                   {StatsPeriod::Kind::LastDraws, 63},
                                   {StatsPeriod::Kind::LastDraws, 64},
                                   {StatsPeriod::Kind::LastDraws, 65},
                                   {StatsPeriod::Kind::LastDraws, 1001}};
    for (const StatsPeriod& period : periods) {
        SCOPED_TRACE(testing::Message() << "period " << static_cast<int>(period.kind) << " " << period.value);
        const GameStats stats = ComputeStats(history, LayoutOf(GameCode::Lotto), period);
        const auto first = static_cast<std::size_t>(3000 - stats.draws);
        EXPECT_EQ(stats.firstDate, history.dates[first]);
        for (int n = 1; n <= 49; ++n) {
            EXPECT_EQ(FiguresOf(stats, n), PlainCount(draws, history.dates, n, first, 3000)) << n;
        }
    }
    EXPECT_GT(PlainCount(draws, history.dates, 49, 0, 3000).longest, 100); // gaps past one block and more
}

TEST(NumberStats, KinoMonthThatCannotBeReadStopsTheStatistics)
{
    test::TempFolder folder;
    const RandomKino kino(folder);
    ASSERT_TRUE(std::filesystem::remove(folder.file("DATA/kino_2023_08.qav")));
    ASSERT_EQ(::mkfifo(folder.file("DATA/kino_2023_08.qav").c_str(), 0600), 0);
    EXPECT_THROW(ComputeKinoStats(folder.path(), {}), KarvoError);
}

TEST(NumberStats, PropoSharesByMatchPosition)
{
    test::TempFolder folder;
    WritePropo(folder);
    const GameStats stats = StatsOf(folder, GameCode::PropoSunday);
    EXPECT_EQ(stats.draws, 2);
    ASSERT_EQ(stats.positions.size(), 14u);
    const auto counts = [&](int p) {
        const PropoRow& row = stats.positions[static_cast<std::size_t>(p - 1)];
        return std::vector<std::int64_t>{row.ones, row.draws, row.twos};
    };
    EXPECT_EQ(counts(1), (std::vector<std::int64_t>{1, 0, 1}));
    EXPECT_EQ(counts(8), (std::vector<std::int64_t>{1, 1, 0}));
    EXPECT_EQ(counts(14), (std::vector<std::int64_t>{1, 0, 0}));
}

TEST(NumberStats, Super3DigitsByPosition)
{
    test::TempFolder folder;
    WriteBytes(folder.file("Super3.krv"), "123129456");
    const GameStats stats = StatsOf(folder, GameCode::Super3);
    EXPECT_EQ(stats.firstDate, 20021125);
    EXPECT_EQ(FiguresOf(stats, 1, 0), (Figures{2, 1, 1, 20021125}));
    EXPECT_EQ(FiguresOf(stats, 9, 2), (Figures{1, 1, 1, 20021125})); // two draws a day at first
    EXPECT_EQ(FiguresOf(stats, 6, 2), (Figures{1, 0, 2, 20021126}));
}
