#include "market/StockDay.h"

#include "market/MarketFiles.h"
#include "market/MarketText.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Sorting.h"
#include "util/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace karvo {

namespace {

// A line of a security's prices: eight fields at least, the close (the sixth) a number. Stylesheet
// lines of an error page may have the commas, never the number.
bool CarriesPrice(const std::string& line)
{
    const std::vector<std::string> f = SplitFields(line, ",", 9);
    if (f.size() < 8) {
        return false;
    }
    const std::size_t first = f[5].find_first_not_of(' ');
    return first != std::string::npos && f[5][first] >= '0' && f[5][first] <= '9';
}

} // namespace

std::string StockHeader()
{
    return Utf8ToCp1253("ΣΥΜΒΟΛΟ   ΗΜ/ΝΙΑ       ΚΛΕΙΣΙΜΟ   Α/Π       ΟΓΚΟΣ    ΑΝΩΤΕΡΗ   ΚΑΤΩΤΕΡΗ             ΑΞΙΑ     "
                        "ΠΡΑΞ    ΑΝΟΙΓΜΑ          ISIN");
}

std::string StockValue(const std::string& close, const std::string& volume)
{
    if (TextToInt(volume) == 0) {
        return "-";
    }
    // nearbyint under the default rounding mode sends halves to the even neighbour.
    const double value = std::nearbyint(TextToFloat(close) * TextToFloat(volume));
    if (!std::isfinite(value)) {
        return "-";
    }
    char digits[400];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 0).ptr);
}

std::string StockRecord(const std::string& line, const std::string& dateText)
{
    const std::vector<std::string> f = SplitFields(line, ",", 9);
    if (f.size() < 8) {
        return {};
    }
    // The service's order: symbol, two unused, high, low, close, opening, volume.
    // A field too long for its columns runs into its neighbours; this order decides which wins.
    std::string record = Spaces(kStockRecordWidth);
    PlaceStockField(record, StockField::Symbol, f[0]);
    PlaceStockField(record, StockField::Date, dateText);
    PlaceStockField(record, StockField::Close, f[5]);
    PlaceStockField(record, StockField::Change, "-");
    PlaceStockField(record, StockField::High, f[3]);
    PlaceStockField(record, StockField::Low, f[4]);
    PlaceStockField(record, StockField::Opening, f[6]);
    PlaceStockField(record, StockField::Volume, f[7]);
    PlaceStockField(record, StockField::Value, StockValue(f[5], f[7]));
    PlaceStockField(record, StockField::Trades, "-");
    PlaceStockField(record, StockField::Isin, "-");
    return record;
}

StockDay StockDayFromBody(const std::string& body, const std::string& dateText)
{
    StockDay day;
    // The service writes plain text; a NUL means a damaged or foreign answer, none of whose lines
    // can be trusted to replace a stored day.
    if (body.size() < kSmallestMarketBody || body.find('\0') != std::string::npos) {
        return day;
    }
    // Lines end in CR LF; a bare LF ends one too, and a stray CR becomes a blank, so that no
    // line break of the body can split a record of the file. The body is walked a line at a time:
    // a body at the size cap is not copied again as a list of lines.
    day.lines.push_back(StockHeader());
    bool priced = false;
    std::size_t start = body.find('\n'); // the service's own header line is not a record
    while (start != std::string::npos && start + 1 < body.size()) {
        ++start;
        const std::size_t end = body.find('\n', start);
        std::string line = body.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::replace(line.begin(), line.end(), '\r', ' ');
        std::string record = StockRecord(line, dateText);
        if (record.empty()) {
            continue;
        }
        priced = priced || CarriesPrice(line);
        if (day.lines.size() == kMostStockLines) {
            day.cut = true;
            break;
        }
        day.lines.push_back(std::move(record));
    }
    // A long answer without a single priced record (a maintenance page sent as success) is no day.
    if (!priced) {
        day.lines.clear();
        return day;
    }
    SortTexts(1, static_cast<int>(day.lines.size()) - 1, false, day.lines);
    return day;
}

std::string StockDayFile(const std::string& folder, QDate day)
{
    return StockDayFileOf(folder, CompactDay(day));
}

} // namespace karvo
