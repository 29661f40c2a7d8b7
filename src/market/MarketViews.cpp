#include "market/MarketViews.h"

#include "market/MarketText.h"
#include "market/StockRecord.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Sorting.h"
#include "util/Text.h"

#include <cmath>
#include <map>
#include <span>

namespace karvo {

namespace {

constexpr int kMostPreviousLines = 9999;

struct Column
{
    const char* caption;
    int width;
};

const Column kStockColumns[] = {{"ΣΥΜΒΟΛΟ", 52},  {"ΜΕΤΑΒΟΛΗ%", 85}, {"ΚΛΕΙΣΙΜΟ", 75},
                                {"  ΟΓΚΟΣ", 76},  {" ΑΝΩΤΕΡΗ", 75},  {"ΚΑΤΩΤΕΡΗ", 75},
                                {"    ΑΞΙΑ", 99}, {"ΠΡΑΞ", 45},      {" ΑΝΟΙΓΜΑ", 75}};
const Column kFundColumns[] = {
    {"ΟΣΕΚΑ", 438}, {"     Ενεργητικό", 90}, {"         Μερίδια", 90}, {"Καθαρή Τιμή", 65}, {"Δ% από 1/1", 65}};

// A value right-aligned in a cell of width characters, with at most pad blanks before it.
std::string Aligned(const std::string& text, int pad, int width)
{
    return RightPart(Spaces(pad) + text, width);
}

// The close of the first previous line that starts with symbol; nullptr when none does.
const std::string* PreviousLine(const std::vector<std::string>& previous, const std::string& symbol)
{
    for (const std::string& line : previous) {
        if (line.compare(0, symbol.size(), symbol) == 0) {
            return &line;
        }
    }
    return nullptr;
}

void FillStockRow(CellGrid& grid, int row, const std::string& line, const std::vector<std::string>& previous)
{
    constexpr std::size_t symbol = FieldIndex(StockField::Symbol);
    constexpr std::size_t close = FieldIndex(StockField::Close);
    const std::vector<std::string> f = FillStockColumns(grid, row, line);
    if (const std::string* before = f[symbol].empty() ? nullptr : PreviousLine(previous, f[symbol])) {
        const std::vector<std::string> p = SplitFields(*before, " ", close + 1);
        grid.setCell(1, row, ChangeCell(f[close], p.size() > close ? p[close] : std::string()));
    }
}

// A fund figure: "1.234.567,89" is 1234567.89.
float FundNumber(const std::string& text)
{
    return static_cast<float>(TextToFloat(ReplaceAll(ReplaceAll(text, ".", ""), ",", ".")));
}

// The rows in the order of their keys: sorted keys carry each row's number along.
std::vector<int> OrderByNumbers(const CellGrid& grid, int column, bool descending, MarketKind kind)
{
    const int n = grid.rowCount() - 1;
    std::vector<float> keys;
    std::vector<std::string> rows;
    for (int r = 1; r <= n; ++r) {
        const std::string& cell = grid.cell(column, r);
        keys.push_back(kind == MarketKind::Funds ? FundNumber(cell) : static_cast<float>(TextToFloat(cell)));
        rows.push_back(std::to_string(r));
    }
    SortFloatsWithTexts(0, n - 1, descending, keys, rows);
    std::vector<int> order;
    order.reserve(rows.size());
    for (const std::string& row : rows) {
        order.push_back(TextToInt(row));
    }
    return order;
}

std::vector<int> OrderByTexts(const CellGrid& grid, int column, bool descending)
{
    const int n = grid.rowCount() - 1;
    std::vector<std::string> texts;
    std::multimap<std::string, int> rowsOf;
    for (int r = 1; r <= n; ++r) {
        texts.push_back(grid.cell(column, r));
        rowsOf.emplace(texts.back(), r);
    }
    SortTexts(0, n - 1, descending, texts);
    std::vector<int> order;
    for (const std::string& text : texts) {
        const auto found = rowsOf.find(text);
        order.push_back(found->second);
        rowsOf.erase(found);
    }
    return order;
}

} // namespace

std::vector<std::string> FillStockColumns(CellGrid& grid, int row, const std::string& line)
{
    std::vector<std::string> f = SplitFields(line, " ", 99);
    f.resize(std::max(f.size(), FieldIndex(StockField::Opening) + 1));
    const auto field = [&f](StockField which) -> const std::string& { return f[FieldIndex(which)]; };
    grid.setCell(0, row, field(StockField::Symbol));
    grid.setCell(2, row, Aligned(field(StockField::Close), 6, 8));
    grid.setCell(3, row, Aligned(field(StockField::Volume), 9, 9));
    grid.setCell(4, row, Aligned(field(StockField::High), 6, 8));
    grid.setCell(5, row, Aligned(field(StockField::Low), 6, 8));
    grid.setCell(6, row, Aligned(field(StockField::Value), 12, 12));
    grid.setCell(7, row, Aligned(field(StockField::Trades), 5, 5));
    grid.setCell(8, row, Aligned(field(StockField::Opening), 6, 8));
    return f;
}

void FillFundColumns(CellGrid& grid, int row, const std::string& line)
{
    grid.setCell(1, row, Chars(line, 1, 16));
    grid.setCell(2, row, Chars(line, 17, 32));
    grid.setCell(3, row, Chars(line, 33, 42));
    grid.setCell(4, row, "   " + Chars(line, 43, 48));
}

CellGrid MarketDateList(const std::string& folder, MarketKind kind)
{
    const std::vector<std::string> names = SortedDayFiles(folder, kind);
    CellGrid grid(2, std::max<int>(static_cast<int>(names.size()) + 1, 2));
    grid.columnWidths() = {0, 150};
    grid.setCell(1, 0, Utf8ToCp1253("  No  ΗΜΕΡΟΜΗΝΙΑ"));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        std::string day = CompactDayOfName(names[i], kind);
        grid.setCell(1, row,
                     Aligned(std::to_string(i + 1), 4, 5) + " " + Chars(day, 7, 8) + "-" + Chars(day, 5, 6) + "-"
                         + Chars(day, 1, 4));
        // The day, not the name as listed: the file is opened as it is written, and a name stored
        // in other letter case is still found by the case-blind look-up.
        grid.setRowValue(row, std::move(day));
    }
    grid.setCurrentRow(std::max<int>(static_cast<int>(names.size()), 1));
    return grid;
}

CellGrid MarketGridFrame(MarketKind kind)
{
    const bool stock = kind == MarketKind::Stock;
    const std::span<const Column> columns =
        stock ? std::span<const Column>(kStockColumns) : std::span<const Column>(kFundColumns);
    CellGrid grid(static_cast<int>(columns.size()), 2);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        grid.setCell(static_cast<int>(c), 0, Utf8ToCp1253(columns[c].caption));
        grid.columnWidths().push_back(columns[c].width);
    }
    if (!stock) {
        grid.setCell(0, 0, Spaces(65) + grid.cell(0, 0));
    }
    // Every column but the first holds numbers.
    grid.rightAligned().assign(columns.size(), true);
    grid.rightAligned()[0] = false;
    grid.setCurrentRow(-1);
    return grid;
}

std::optional<CellGrid> StockDayGrid(const std::string& folder, const std::string& compactDay,
                                     const std::string& previousCompactDay)
{
    const std::vector<std::string> lines = LoadLines(StockDayFileOf(folder, compactDay));
    if (lines.empty()) {
        return std::nullopt;
    }
    // The header is the first line with text among the first seven.
    int header = 1;
    while (header <= 7 && header <= static_cast<int>(lines.size()) && lines[header - 1].empty()) {
        ++header;
    }
    std::vector<std::string> previous;
    if (!previousCompactDay.empty()) {
        previous = LoadLines(StockDayFileOf(folder, previousCompactDay));
        previous.resize(std::min<std::size_t>(previous.size(), kMostPreviousLines));
    }
    CellGrid grid = MarketGridFrame(MarketKind::Stock);
    const int rows = std::max(static_cast<int>(lines.size()) + 1 - header, 1);
    grid.setRowCount(rows);
    for (int k = 1; k < rows; ++k) {
        FillStockRow(grid, k, lines[static_cast<std::size_t>(header + k - 1)], previous);
    }
    return grid;
}

std::optional<CellGrid> FundDayGrid(const std::string& folder, const std::string& compactDay)
{
    const std::vector<std::string> lines = LoadLines(FundDayFileOf(folder, compactDay));
    if (lines.empty()) {
        return std::nullopt;
    }
    CellGrid grid = MarketGridFrame(MarketKind::Funds);
    grid.setRowCount(static_cast<int>(lines.size()) + 1);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        const int row = static_cast<int>(k) + 1;
        grid.setCell(0, row, TailFrom(line, 50));
        FillFundColumns(grid, row, line);
    }
    return grid;
}

std::string ChangeCell(const std::string& closeNow, const std::string& closePrevious)
{
    const double before = TextToFloat(closePrevious);
    const double change = 100.0 * TextToFloat(closeNow) / before - 100.0;
    if (before == 0.0 || !std::isfinite(change)) {
        return {};
    }
    return Aligned(FormatNumber("#0.00", change, NumberFormat{'.', ','}), 7, 7);
}

void SortMarketRows(CellGrid& grid, int column, bool descending, MarketKind kind)
{
    if (grid.rowCount() < 3 || column < 0 || column >= grid.columnCount()) {
        return;
    }
    const std::vector<int> order =
        column == 0 ? OrderByTexts(grid, column, descending) : OrderByNumbers(grid, column, descending, kind);
    CellGrid sorted = grid;
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            sorted.setCell(c, static_cast<int>(i) + 1, grid.cell(c, order[i]));
        }
    }
    grid = std::move(sorted);
}

std::optional<CellGrid> MarketDayGrid(const std::string& folder, MarketKind kind, const CellGrid& days, int row)
{
    const std::string& day = days.rowValue(row);
    if (day.empty()) {
        return std::nullopt;
    }
    return kind == MarketKind::Stock ? StockDayGrid(folder, day, row > 1 ? days.rowValue(row - 1) : std::string())
                                     : FundDayGrid(folder, day);
}

} // namespace karvo
