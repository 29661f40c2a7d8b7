// Where the market day files live and how they are named: the stock day "yyyymmdd.txt" and the
// fund day "Ayyyymmdd.amb", both in the working folder's Data-STOCK. Names on disk may differ in
// letter case; they are listed and opened without regard to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

enum class MarketKind { Stock, Funds };

inline constexpr char kMarketFolderName[] = "Data-STOCK";

// The largest answer taken for one market day: a day's prices or fund figures take some tens of
// kilobytes, so anything near this is no day's data.
inline constexpr long long kMarketDayMaxBytes = 4LL << 20;

// folder + "Data-STOCK/".
std::string MarketFolder(const std::string& folder);

// The stock and fund day files of folder for a day given as "yyyymmdd", spelled as they are written.
std::string StockDayFileOf(const std::string& folder, const std::string& compactDay);
std::string FundDayFileOf(const std::string& folder, const std::string& compactDay);
std::string DayFileOf(const std::string& folder, MarketKind kind, const std::string& compactDay);

// The eight characters of a day file's name that hold its day, whatever they are (fewer when the
// name is short).
std::string CompactDayOfName(const std::string& name, MarketKind kind);

// A day file's name to its day as yyyymmdd; 0 when the name is not one of kind's day files or
// its day is no calendar day.
std::int32_t DayOfFileName(const std::string& name, MarketKind kind);

// The names (without folder) of the files of folder's Data-STOCK that end as kind's day files
// do ("*.txt", "*.amb"), in the file system's order. Other names of that ending are kept.
std::vector<std::string> ListDayFiles(const std::string& folder, MarketKind kind);
// The same in name order, which is day order for day files.
std::vector<std::string> SortedDayFiles(const std::string& folder, MarketKind kind);

} // namespace karvo
