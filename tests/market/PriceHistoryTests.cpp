// The price history read from stored stock days, past days without the symbol and names that are no day.
#include "market/PriceHistory.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

TEST(PriceHistory, CloseAndVolumeOfEveryStoredDay)
{
    test::TempFolder folder;
    StoreStockDay(folder, "20241205", {Record("ALPHA", "1.25", "1000"), Record("ALPHAB", "9", "5")});
    StoreStockDay(folder, "20241203", {Record("ALPHA", "1.2", "12345678")});
    StoreStockDay(folder, "20241204", {Record("ALPHAB", "8.5", "7")}); // no ALPHA
    StoreStockDay(folder, "notes", {Record("ALPHA", "99", "1")});
    StoreStockDay(folder, "20241299", {Record("ALPHA", "99", "1")});
    const std::vector<PricePoint> points = ReadPriceHistory(folder.path(), " ALPHA ");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].date, 20241203);
    EXPECT_EQ(points[0].closeText + "|" + points[0].volumeText + "|" + points[1].volumeText, "1.2|12345678|1000");
    EXPECT_DOUBLE_EQ(points[1].close, 1.25);
    EXPECT_EQ(ReadPriceHistory(folder.path(), "ALPHAB").size(), 2u);
    EXPECT_TRUE(ReadPriceHistory(folder.path(), "").empty());
}
