// The stock day file: one fixed-width record of 122 characters per security, made from the
// MetaStock lines the price service sends for a day, under a fixed header line.
#pragma once

#include "market/StockRecord.h"

#include <QDate>
#include <string>
#include <vector>

namespace karvo {

// A body shorter than this holds no day's prices.
inline constexpr std::size_t kSmallestMarketBody = 500;
// Header included.
inline constexpr std::size_t kMostStockLines = 999;

// The 122-character header line (Windows-1253).
std::string StockHeader();

// The record of one body line; empty when the line has fewer than eight comma-separated fields.
// dateText: the day as "dd/mm/yyyy".
std::string StockRecord(const std::string& line, const std::string& dateText);

// close x volume rounded half to even, "-" when the volume's leading digits give 0 (or the
// product is no finite number).
std::string StockValue(const std::string& close, const std::string& volume);

struct StockDay
{
    std::vector<std::string> lines; // header and records sorted by symbol; empty: nothing to store
    bool cut = false;               // more records came than a day file holds
};

// The day file of a body; no lines when the body is shorter than kSmallestMarketBody, holds a NUL
// byte or has no record whose close is a number. The first body line is the service's own header
// and is dropped; empty and short lines are left out.
StockDay StockDayFromBody(const std::string& body, const std::string& dateText);

// The day's stock day file in folder (see MarketFiles.h).
std::string StockDayFile(const std::string& folder, QDate day);

} // namespace karvo
