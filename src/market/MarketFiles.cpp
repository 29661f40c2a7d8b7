#include "market/MarketFiles.h"

#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Sorting.h"
#include "util/Text.h"

#include <QDate>
#include <algorithm>
#include <string_view>

namespace karvo {

namespace {

// A fund day's name is the stock day's with this letter before the day.
constexpr std::string_view kFundPrefix = "A";
constexpr std::string_view kStockExtension = ".txt";
constexpr std::string_view kFundExtension = ".amb";
constexpr std::size_t kDayLength = 8;

std::string_view PrefixOf(MarketKind kind)
{
    return kind == MarketKind::Stock ? std::string_view() : kFundPrefix;
}

std::string_view ExtensionOf(MarketKind kind)
{
    return kind == MarketKind::Stock ? kStockExtension : kFundExtension;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    return ToUpper(a) == ToUpper(b);
}

} // namespace

std::string MarketFolder(const std::string& folder)
{
    return folder + kMarketFolderName + "/";
}

std::string StockDayFileOf(const std::string& folder, const std::string& compactDay)
{
    return DayFileOf(folder, MarketKind::Stock, compactDay);
}

std::string FundDayFileOf(const std::string& folder, const std::string& compactDay)
{
    return DayFileOf(folder, MarketKind::Funds, compactDay);
}

std::string DayFileOf(const std::string& folder, MarketKind kind, const std::string& compactDay)
{
    return MarketFolder(folder) + std::string(PrefixOf(kind)) + compactDay + std::string(ExtensionOf(kind));
}

std::string CompactDayOfName(const std::string& name, MarketKind kind)
{
    const int first = static_cast<int>(PrefixOf(kind).size()) + 1;
    return Chars(name, first, first + static_cast<int>(kDayLength) - 1);
}

std::int32_t DayOfFileName(const std::string& name, MarketKind kind)
{
    const std::string_view prefix = PrefixOf(kind);
    const std::string_view extension = ExtensionOf(kind);
    const std::string_view text = name;
    if (text.size() != prefix.size() + kDayLength + extension.size()
        || !SameLetters(text.substr(0, prefix.size()), prefix)
        || !SameLetters(text.substr(prefix.size() + kDayLength), extension)) {
        return 0;
    }
    const std::string day = CompactDayOfName(name, kind);
    if (!std::all_of(day.begin(), day.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    const int value = TextToInt(day);
    return QDate(value / 10000, value / 100 % 100, value % 100).isValid() ? value : 0;
}

std::vector<std::string> ListDayFiles(const std::string& folder, MarketKind kind)
{
    return ListFiles(MarketFolder(folder) + "*" + std::string(ExtensionOf(kind)), ListKinds::Files);
}

std::vector<std::string> SortedDayFiles(const std::string& folder, MarketKind kind)
{
    std::vector<std::string> names = ListDayFiles(folder, kind);
    SortTexts(0, static_cast<int>(names.size()) - 1, false, names);
    return names;
}

} // namespace karvo
