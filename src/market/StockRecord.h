// The stock day file's record: one security's day in 122 fixed columns, the fields in the order
// below. The writer places each field in its columns; the readers take them from there.
#pragma once

#include <cstddef>
#include <string>

namespace karvo {

inline constexpr int kStockRecordWidth = 122;

// The fields in their order on the line. Change, trades and ISIN are stored as "-".
enum class StockField { Symbol, Date, Close, Change, Volume, High, Low, Value, Trades, Opening, Isin };
inline constexpr std::size_t kStockFieldCount = 11;

// The columns (1-based, inclusive) a field owns. Symbol and date begin in the first column, the
// figures end in the last; a field starts after the previous one's last column.
struct StockColumns
{
    int first;
    int last;
    bool rightAligned;
};

constexpr std::size_t FieldIndex(StockField field)
{
    return static_cast<std::size_t>(field);
}

constexpr StockColumns ColumnsOf(StockField field)
{
    constexpr StockColumns columns[kStockFieldCount] = {
        {1, 10, false}, {11, 20, false}, {21, 31, true}, {32, 36, true},  {37, 49, true},  {50, 60, true},
        {61, 71, true}, {72, 88, true},  {89, 97, true}, {98, 108, true}, {109, 122, true}};
    return columns[FieldIndex(field)];
}
static_assert(ColumnsOf(StockField::Isin).last == kStockRecordWidth);

// Writes text into record at field's place: from its first column, or ending in its last. A
// longer text runs into the neighbouring fields, so fields written later win.
void PlaceStockField(std::string& record, StockField field, const std::string& text);

// The field's columns of record without the blanks around them.
std::string StockFieldText(const std::string& record, StockField field);

} // namespace karvo
