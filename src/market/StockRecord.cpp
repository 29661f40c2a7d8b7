#include "market/StockRecord.h"

#include "market/MarketText.h"
#include "util/Text.h"

namespace karvo {

void PlaceStockField(std::string& record, StockField field, const std::string& text)
{
    const StockColumns columns = ColumnsOf(field);
    if (columns.rightAligned) {
        PlaceRight(record, columns.last, text);
    } else {
        Overwrite(record, columns.first, text);
    }
}

std::string StockFieldText(const std::string& record, StockField field)
{
    const StockColumns columns = ColumnsOf(field);
    return CleanSpaces(Chars(record, columns.first, columns.last), 5);
}

} // namespace karvo
