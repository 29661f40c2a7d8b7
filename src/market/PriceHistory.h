// A security's close and volume across every stored stock day file, read from the record's fixed
// columns (StockRecord.h).
#pragma once

#include "domain/Games.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace karvo {

struct PricePoint
{
    std::int32_t date = 0; // yyyymmdd, from the file's name
    double close = 0;
    std::string closeText;  // as stored
    std::string volumeText; // as stored; "" when the line has none
};

// The record of symbol among a day file's lines (line 1 the header), matched on the whole symbol
// field; false when the day has none.
bool FindStockRecord(const std::vector<std::string>& lines, const std::string& symbol, PricePoint& point);

// One point for every stock day file of folder that lists symbol, oldest day first. Files whose
// name is not a day are passed over.
std::vector<PricePoint> ReadPriceHistory(const std::string& folder, const std::string& symbol);

// The caption (Windows-1253) of the price history's item in game's command menu: the stock has
// one, every other game none.
std::optional<std::string> PriceHistoryMenuCaption(GameCode game);

} // namespace karvo
