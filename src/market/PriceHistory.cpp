#include "market/PriceHistory.h"

#include "market/MarketFiles.h"
#include "market/StockRecord.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

bool FindStockRecord(const std::vector<std::string>& lines, const std::string& symbol, PricePoint& point)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (StockFieldText(line, StockField::Symbol) != symbol) {
            continue;
        }
        point.closeText = StockFieldText(line, StockField::Close);
        point.volumeText = StockFieldText(line, StockField::Volume);
        point.close = TextToFloat(point.closeText);
        return true;
    }
    return false;
}

std::vector<PricePoint> ReadPriceHistory(const std::string& folder, const std::string& symbol)
{
    std::vector<std::pair<std::int32_t, std::string>> days;
    for (const std::string& name : ListDayFiles(folder, MarketKind::Stock)) {
        if (const std::int32_t day = DayOfFileName(name, MarketKind::Stock); day != 0) {
            days.emplace_back(day, name);
        }
    }
    std::sort(days.begin(), days.end());
    std::vector<PricePoint> points;
    const std::string wanted = CleanSpaces(symbol, 5);
    if (wanted.empty()) {
        return points;
    }
    for (const auto& [day, name] : days) {
        PricePoint point;
        if (FindStockRecord(LoadLines(MarketFolder(folder) + name), wanted, point)) {
            point.date = day;
            points.push_back(point);
        }
    }
    return points;
}

std::optional<std::string> PriceHistoryMenuCaption(GameCode game)
{
    if (game != GameCode::Stock) {
        return std::nullopt;
    }
    return Utf8ToCp1253("Ιστορικό μετοχής");
}

} // namespace karvo
