#include "stats/PriceHistory.h"

#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <QDate>
#include <algorithm>

namespace karvo {

namespace {

// Right-aligned fields end in these columns; each starts after the previous field's end.
constexpr int kSymbolEnd = 10;
constexpr int kCloseStart = 21;
constexpr int kCloseEnd = 31;
constexpr int kVolumeStart = 37;
constexpr int kVolumeEnd = 49;

// Columns start..end (from 1) without the blanks around them.
std::string Field(const std::string& line, int start, int end)
{
    return CleanSpaces(Chars(line, start, end), 5);
}

// "yyyymmdd.txt" to yyyymmdd; 0 for any other name.
std::int32_t DayOfName(const std::string& name)
{
    if (name.size() != 12
        || !std::all_of(name.begin(), name.begin() + 8, [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    const int value = TextToInt(name.substr(0, 8));
    return QDate(value / 10000, value / 100 % 100, value % 100).isValid() ? value : 0;
}

} // namespace

bool FindStockRecord(const std::vector<std::string>& lines, const std::string& symbol, PricePoint& point)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (Field(line, 1, kSymbolEnd) != symbol) {
            continue;
        }
        point.closeText = Field(line, kCloseStart, kCloseEnd);
        point.volumeText = Field(line, kVolumeStart, kVolumeEnd);
        point.close = TextToFloat(point.closeText);
        return true;
    }
    return false;
}

std::vector<PricePoint> ReadPriceHistory(const std::string& folder, const std::string& symbol)
{
    std::vector<std::pair<std::int32_t, std::string>> days;
    for (const std::string& name : ListFiles(folder + "Data-STOCK/*.txt", ListKinds::Files)) {
        if (const std::int32_t day = DayOfName(name); day != 0) {
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
        if (FindStockRecord(LoadLines(folder + "Data-STOCK/" + name), wanted, point)) {
            point.date = day;
            points.push_back(point);
        }
    }
    return points;
}

} // namespace karvo
