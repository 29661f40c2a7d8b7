// The archive layer: entry lookup, listing, sheet counting, and the refusals that reach the user.
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "update/ZipArchive.h"
#include "util/KarvoError.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// The message of the KarvoError thrown by action, or "" when none is thrown.
template <typename Action>
std::string ErrorOf(Action action)
{
    try {
        action();
    } catch (const KarvoError& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(ZipArchive, ReadsEntriesGivenWithEitherSeparator)
{
    TempFolder folder;
    const std::string binary("\x00\x01\xFF\r\n", 5);
    WriteBytes(folder.file("book.xlsx"), ZipBytes({{"xl/sharedStrings.xml", "<sst/>"},
                                                   {"xl/media/image.bin", binary, false}}));
    EXPECT_EQ(ReadZipEntry(folder.file("book.xlsx"), "xl\\sharedStrings.xml"), "<sst/>");
    EXPECT_EQ(ReadZipEntry(folder.file("book.xlsx"), "xl/media/image.bin"), binary);
    EXPECT_EQ(ReadZipEntry(folder.file("book.xlsx"), "XL\\SharedStrings.XML"), "<sst/>");
    EXPECT_NE(ErrorOf([&] { ReadZipEntry(folder.file("book.xlsx"), "xl\\worksheets\\sheet1.xml"); })
                  .find("xl/worksheets/sheet1.xml"),
              std::string::npos);
}

TEST(ZipArchive, ListsAtMostTheFirst250Entries)
{
    std::vector<ZipEntry> entries;
    for (int i = 0; i < 260; ++i) {
        entries.push_back({"part" + std::to_string(i) + ".xml", "x"});
    }
    TempFolder folder;
    WriteBytes(folder.file("many.zip"), ZipBytes(entries));
    const std::vector<std::string> names = ListZipEntries(folder.file("many.zip"));
    ASSERT_EQ(names.size(), 250u);
    EXPECT_EQ(names.front(), "part0.xml");
    EXPECT_EQ(names.back(), "part249.xml");
}

TEST(ZipArchive, CountsSheetsOneToThreeBySubstring)
{
    const std::vector<std::pair<std::vector<std::string>, int>> cases{
        {{}, 0},
        {{"xl/worksheets/sheet1.xml"}, 1},
        {{"xl/worksheets/sheet1.xml", "xl/worksheets/sheet3.xml"}, 3},
        {{"xl/worksheets/sheet2.xml", "xl/worksheets/_rels/sheet2.xml.rels"}, 2},
        {{"xl/worksheets/sheet1.xml", "xl/worksheets/sheet4.xml"}, 1},
        {{"xl/worksheets/Sheet1.xml"}, 0},
        {{"xl/chartsheets/sheet1.xml"}, 1},
    };
    for (const auto& [names, expected] : cases) {
        EXPECT_EQ(CountSheets(names), expected) << (names.empty() ? "" : names.back());
    }
}

TEST(ZipArchive, RefusesWhatIsNotAnArchive)
{
    TempFolder folder;
    const std::string page = "<html><body>" + std::string(200, 'x') + "</body></html>";
    WriteBytes(folder.file("lotto_2024.xlsx"), page);
    EXPECT_NE(ErrorOf([&] { ListZipEntries(folder.file("lotto_2024.xlsx")); }).find("not a ZIP archive"),
              std::string::npos);
    const std::string whole = ZipBytes({{"xl/sharedStrings.xml", std::string(5000, 'a')}});
    WriteBytes(folder.file("cut.xlsx"), whole.substr(0, whole.size() / 2));
    EXPECT_NE(ErrorOf([&] { ReadZipEntry(folder.file("cut.xlsx"), "xl/sharedStrings.xml"); }), "");
    EXPECT_NE(ErrorOf([&] { ListZipEntries(folder.file("missing.xlsx")); }), "");
}

TEST(ZipArchive, RefusesDecompressionBombs)
{
    // The directory may tell the truth (refused before inflating) or understate the size
    // (refused once inflating passes the limit).
    const std::string zeros(3 << 20, '\0');
    const std::string honest = ZipBytes({{"big.xml", zeros}});
    const std::string lying = ZipBytes({{"big.xml", zeros, true, 100}});
    const std::string huge = ZipBytes({{"big.xml", "tiny", true, 300ll << 20}});
    EXPECT_NE(ErrorOf([&] { ZipArchive::fromBytes(honest, "x").read("big.xml", 1 << 20); }).find("more than 1 MB"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { ZipArchive::fromBytes(lying, "x").read("big.xml", 1 << 20); }).find("more than 1 MB"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { ZipArchive::fromBytes(huge, "x").read("big.xml"); }).find("more than 256 MB"),
              std::string::npos);
    EXPECT_EQ(ZipArchive::fromBytes(honest, "x").read("big.xml", 3 << 20).size(), zeros.size());
}
