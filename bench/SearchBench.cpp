// Search in a 100,000-row list for a text found only in the last row (goal: under 50 ms).
#include "commands/Search.h"
#include "util/Cp1253.h"

#include <benchmark/benchmark.h>

using namespace karvo;

static CellGrid bigGrid(int rows)
{
    CellGrid grid(2, rows + 1);
    for (int r = 1; r <= rows; ++r) {
        grid.setCell(0, r, " " + std::to_string(r) + " 12-03-2019");
        grid.setCell(1, r, "    03 07 12 25 33 41 44 48");
    }
    grid.setCell(1, rows, Utf8ToCp1253("    ΤΕΛΟΣ ΛΙΣΤΑΣ"));
    return grid;
}

// A match in the last row: every cell above it is looked at once.
static void BM_SearchLastRow(benchmark::State& state)
{
    CellGrid grid = bigGrid(static_cast<int>(state.range(0)));
    const std::string text = PrepareSearchText(Utf8ToCp1253("τελος λιστας"));
    for (auto _ : state) {
        grid.setCurrentRow(1);
        benchmark::DoNotOptimize(MoveToMatch(grid, text, 1));
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_SearchLastRow)->Arg(100000)->Arg(400000)->Unit(benchmark::kMillisecond);

// No match at all (the accented word is not the plain capitals): the whole list, for nothing.
static void BM_SearchNoMatch(benchmark::State& state)
{
    CellGrid grid = bigGrid(static_cast<int>(state.range(0)));
    const std::string text = PrepareSearchText(Utf8ToCp1253("τέλος"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoveToMatch(grid, text, 1));
    }
}
BENCHMARK(BM_SearchNoMatch)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
