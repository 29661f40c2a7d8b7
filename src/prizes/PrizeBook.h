// A game's prize tables, read from the workbooks kept in the data folder and cached in a file of
// the game's own there ("Data/LOTTO.prz"). The cache is rebuilt from the workbooks whenever it is
// missing, damaged, or no longer lists the very workbooks (name, size, time) that are there; the
// results files are never read nor written for it.
#pragma once

#include "prizes/PrizeTable.h"

#include <QDateTime>
#include <string>
#include <vector>

namespace karvo {

// A workbook the cache was built from, as it was then.
struct PrizeSource
{
    std::string name; // Windows-1253, in the data folder
    std::int64_t size = 0;
    std::int64_t modifiedMs = 0;

    bool operator==(const PrizeSource& other) const
    {
        return name == other.name && size == other.size && modifiedMs == other.modifiedMs;
    }
};

struct PrizeBook
{
    std::vector<PrizeSource> sources;
    std::vector<DrawPrizes> draws;     // newest date first, then the higher number
    std::vector<std::string> problems; // UTF-8, a sentence for each workbook that could not be read

    // The draw of that date or that number; null when no table of it is known.
    const DrawPrizes* onDate(QDate date) const;
    const DrawPrizes* numbered(int draw) const;
};

// The cache file of game in folder (ending in "/").
std::string PrizeCacheFile(const std::string& folder, GameCode game);

// The workbooks of game kept in folder's data folder, oldest first.
std::vector<PrizeSource> PrizeSourcesIn(const std::string& folder, GameCode game);

// The cache's bytes, and back; a text that is not exactly what PrizeBookText writes reads as empty.
std::string PrizeBookText(const PrizeBook& book);
std::optional<PrizeBook> PrizeBookFromText(GameCode game, const std::string& text);

// The prize tables of game from folder's workbooks: the cache when it is up to date, else built
// anew and the cache replaced (atomically; a cache that cannot be written is passed over). A
// game without prize tables has an empty book.
PrizeBook LoadPrizeBook(const std::string& folder, GameCode game);

} // namespace karvo
