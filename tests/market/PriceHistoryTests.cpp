// The price history read from stored stock day files written by hand, column by column.
#include "market/PriceHistory.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// A stock day file line: symbol from 1, date from 11, close ending in 31, "-" in 36, volume ending in 49.
std::string StockLine(const std::string& symbol, const std::string& close, const std::string& volume)
{
    std::string line(122, ' ');
    line.replace(0, symbol.size(), symbol);
    line.replace(10, 10, "05/12/2024");
    line.replace(31 - close.size(), close.size(), close);
    line[35] = '-';
    line.replace(49 - volume.size(), volume.size(), volume);
    line.replace(60 - close.size(), close.size(), close);
    return line;
}

} // namespace

TEST(PriceHistory, CloseAndVolumeOfEveryStoredDay)
{
    test::TempFolder folder;
    CreateFolder(folder.file("Data-STOCK"));
    const std::string header = W("ΣΥΜΒΟΛΟ   ΗΜ/ΝΙΑ       ΚΛΕΙΣΙΜΟ");
    SaveLines(folder.file("Data-STOCK/20241205.txt"),
              {header, StockLine("ALPHA", "1.25", "1000"), StockLine("ALPHAB", "9", "5")});
    SaveLines(folder.file("Data-STOCK/20241203.txt"), {header, StockLine("ALPHA", "1.2", "12345678")});
    SaveLines(folder.file("Data-STOCK/20241204.txt"), {header, StockLine("ALPHAB", "8.5", "7")}); // no ALPHA
    SaveLines(folder.file("Data-STOCK/notes.txt"), {header, StockLine("ALPHA", "99", "1")});
    SaveLines(folder.file("Data-STOCK/20241299.txt"), {header, StockLine("ALPHA", "99", "1")});
    const std::vector<PricePoint> points = ReadPriceHistory(folder.path(), " ALPHA ");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].date, 20241203);
    EXPECT_EQ(points[0].closeText + "|" + points[0].volumeText + "|" + points[1].volumeText, "1.2|12345678|1000");
    EXPECT_DOUBLE_EQ(points[1].close, 1.25);
    EXPECT_EQ(ReadPriceHistory(folder.path(), "ALPHAB").size(), 2u);
    EXPECT_TRUE(ReadPriceHistory(folder.path(), "").empty());
}
