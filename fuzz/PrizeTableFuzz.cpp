// Feeds arbitrary bytes to the two readings of prize tables: as the cells of a workbook (lines of
// tab-separated cells; the first byte picks the game) and as a game's cache file. Both either
// read or refuse with KarvoError; a cache they read writes back the very same bytes.
#include "prizes/PrizeBook.h"
#include "prizes/PrizeWorkbook.h"
#include "util/KarvoError.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr int kWidth = 24;

void ReadAsCells(karvo::GameCode game, const std::string& text)
{
    karvo::CellTable table;
    table.resetTo(static_cast<std::size_t>(kWidth) * 64);
    int row = 0;
    int column = 1;
    std::string cell;
    for (const char c : text) {
        if (c == '\t' || c == '\n') {
            table.set(static_cast<std::size_t>(row * kWidth + column), cell);
            cell.clear();
            column = c == '\t' ? std::min(column + 1, kWidth - 1) : 1;
            row = c == '\n' ? std::min(row + 1, 63) : row;
        } else {
            cell += c;
        }
    }
    try {
        for (const karvo::DrawPrizes& draw : karvo::PrizeTablesOf(game, table, row + 1, kWidth, "fuzz.xlsx")) {
            if (draw.categories.empty()) {
                __builtin_trap();
            }
        }
    } catch (const karvo::KarvoError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    karvo::GameCode game = karvo::GameCode::Lotto;
    karvo::GameCodeFromInt(data[0] % 10 + 1, game);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    ReadAsCells(game, text);
    if (const std::optional<karvo::PrizeBook> book = karvo::PrizeBookFromText(game, text)) {
        if (karvo::PrizeBookText(*book) != text) {
            __builtin_trap();
        }
    }
    return 0;
}
