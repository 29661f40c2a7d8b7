// The archive layer (entries, sheet counts, bombs) and the workbook scanner on hand-made parts, the
// operator's layout and LibreOffice's files (the openpyxl file is refused end to end).
#include "support/CellTableText.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "util/KarvoError.h"
#include "workbook/WorkbookReader.h"
#include "workbook/ZipArchive.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace karvo;
using namespace karvo::test;

namespace {

// Reads a workbook of one sheet part holding rowsXml, with the given shared strings.
int ReadRows(const std::string& rowsXml, CellTable& table, int width, int dateColumn = 0,
             const std::vector<std::string>& shared = {}, const WorkbookLimits& limits = {})
{
    const std::string bytes =
        ZipBytes({{"xl/worksheets/sheet1.xml", SheetXml(rowsXml)}, {"xl/sharedStrings.xml", SharedStringsXml(shared)}});
    return ReadWorkbook(ZipArchive::fromBytes(bytes, "test.xlsx"), width, dateColumn, table, limits);
}

std::string Row(const std::string& cells)
{
    return "<row r=\"1\">" + cells + "</row>";
}

} // namespace

TEST(ZipArchive, EntriesByEitherSeparatorAndCaseSheetCountsAndBombs)
{
    TempFolder folder;
    const std::string book = folder.file("book.xlsx");
    const std::string binary("\x00\x01\xFF\r\n", 5);
    WriteBytes(book, ZipBytes({{"xl/sharedStrings.xml", "<sst/>"}, {"xl/media/image.bin", binary, false}}));
    EXPECT_EQ(ReadZipEntry(book, "XL\\SharedStrings.XML") + ReadZipEntry(book, "xl/media/image.bin"),
              "<sst/>" + binary);
    EXPECT_TRUE(Fails([&] { ReadZipEntry(book, "xl\\worksheets\\sheet1.xml"); }, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(Fails([&] { ListZipEntries(folder.file("missing.xlsx")); }));
    // Sheets 1 to 3 counted by the part names they contain, up to the first one missing.
    const std::string s1 = "xl/worksheets/sheet1.xml";
    const std::vector<std::pair<std::vector<std::string>, int>> counts{
        {{s1}, 1},
        {{s1, "xl/worksheets/sheet3.xml"}, 3},
        {{s1, "xl/worksheets/sheet4.xml"}, 1},
        {{"xl/worksheets/Sheet1.xml"}, 0},
        {{"xl/chartsheets/sheet1.xml"}, 1},
        {{"xl/worksheets/sheet2.xml", "xl/worksheets/_rels/sheet2.xml.rels"}, 2}};
    for (const auto& [names, expected] : counts) {
        EXPECT_EQ(CountSheets(names), expected) << names.back();
    }
    // A directory that tells the truth is refused before inflating, one that understates the size
    // once inflating passes the limit (the default limit of 256 MB is met end to end).
    const std::string zeros(3 << 20, '\0');
    const std::string honest = ZipBytes({{"big.xml", zeros}});
    for (const std::string& bomb : {honest, ZipBytes({{"big.xml", zeros, true, 100}})}) {
        EXPECT_TRUE(Fails([&] { ZipArchive::fromBytes(bomb, "x").read("big.xml", 1 << 20); }, "περισσότερα από 1 MB"));
    }
    EXPECT_EQ(ZipArchive::fromBytes(honest, "x").read("big.xml", 3 << 20), zeros);
    // More cells than the limit allows (rows x width) are refused.
    CellTable table;
    std::string rows;
    for (int i = 0; i < 11; ++i, rows += Row("<c><v>1</v></c>")) { }
    EXPECT_EQ(ReadRows(rows, table, 1, 0, {}, {50000, 20}), 11);
    EXPECT_THROW(ReadRows(rows, table, 2, 0, {}, {50000, 20}), KarvoError);
}

TEST(ZipArchive, CutOrDamagedArchivesAreRefusedByTheirOwnStructure)
{
    // Two parts, one deflated and one stored, and a comment after the directory.
    std::string good = ZipBytes({{"xl/sharedStrings.xml", SharedStringsXml({"α", "β"})},
                                 {"xl/worksheets/sheet1.xml", SheetXml(Row("<c t=\"s\"><v>1</v></c>")), false}});
    good[good.size() - 2] = 3;
    good += "abc";
    const auto readAll = [](const std::string& bytes) {
        const ZipArchive archive = ZipArchive::fromBytes(bytes, "cut.xlsx");
        return archive.read("xl/sharedStrings.xml") + archive.read("xl/worksheets/sheet1.xml");
    };
    ASSERT_NE(readAll(good).find("<t>β</t>"), std::string::npos);
    // Every length short of the whole, as a broken transfer leaves it, is not a workbook.
    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_TRUE(Fails([&] { readAll(good.substr(0, length)); }, "δεν είναι βιβλίο εργασίας")) << length;
    }
    // Bytes after the end record, or a comment longer than what follows it.
    EXPECT_TRUE(Fails([&] { readAll(good + "x"); }, "δεν είναι βιβλίο εργασίας"));
    const std::size_t end = good.rfind("PK\x05\x06");
    ASSERT_NE(end, std::string::npos);
    const std::size_t central = good.find("PK\x01\x02");
    const std::size_t second = good.find("PK\x01\x02", central + 4);
    const std::size_t storedData = good.find("<worksheet", good.find("xl/worksheets/sheet1.xml"));
    ASSERT_LT(storedData, central);
    // One byte changed where the reader relies on it: the problem it is refused for.
    const std::vector<std::tuple<const char*, std::size_t, char, const char*>> damages{
        {"entry count in the end record", end + 10, '\x03', "κατάλογο μερών"},
        {"directory size", end + 12, '\x01', "κατάλογο μερών"},
        {"directory offset", end + 16, '\x7f', "κατάλογο μερών"},
        {"a volume number", end + 4, '\x01', "τόμους"},
        {"a directory signature", second, 'Q', "κατάλογο μερών"},
        {"a name length", central + 28, '\x7f', "κατάλογο μερών"},
        {"a local header offset", second + 42, '\x05', "κομμένο ή χαλασμένο"},
        {"a compressed size past the directory", second + 21, '\x7f', "κομμένο ή χαλασμένο"},
        {"a stored CRC", central + 16, '\x00', "CRC"},
        {"the stored part's content", storedData + 2, 'Y', "CRC"},
        {"a declared size", second + 24, '\x01', "χαλασμένο μέρος"},
    };
    for (const auto& [what, at, value, problem] : damages) {
        std::string damaged = good;
        damaged[at] = damaged[at] == value ? static_cast<char>(value ^ 1) : value;
        EXPECT_TRUE(Fails([&] { readAll(damaged); }, problem)) << what;
    }
    // From a file, as a kept workbook is read: the same refusal for a cut one.
    TempFolder folder;
    WriteBytes(folder.file("cut.xlsx"), good.substr(0, good.size() - 30));
    EXPECT_TRUE(Fails([&] { ListZipEntries(folder.file("cut.xlsx")); }, "ίσως είναι κομμένο"));
    WriteBytes(folder.file("whole.xlsx"), good);
    EXPECT_EQ(ReadZipEntry(folder.file("whole.xlsx"), "xl/sharedStrings.xml"), SharedStringsXml({"α", "β"}));
}

TEST(WorkbookReader, CellRulesOfTheScannerAndSerialDates)
{
    // One table for all cases, so that each also shows that cells a row lacks forget earlier reads.
    const std::vector<std::string> shared{"zero", "one", "two", "A &amp; B", "Αθήνα", "€ ≠"};
    const auto date = [](const std::string& v) {
        return Row("<c s=\"4\"/><c s=\"4\"/><c t=\"str\"><v>" + v + "</v></c>");
    };
    const std::vector<std::tuple<const char*, std::string, std::string>> cases{
        {"cells past the width are dropped", Row("<c><v>1</v></c><c><v>2</v></c><c><v>3</v></c><c><v>4</v></c>"),
         "1|2|3"},
        {"shared string 3 is the fourth <t>", Row("<c r=\"A1\" t=\"s\"><v>3</v></c>"), "A &amp; B||"},
        {"self-closing empty cell counts", Row("<c t=\"s\"><v>1</v></c><c s=\"4\"/><c t=\"s\"><v>2</v></c>"),
         "one||two"},
        {"omitted cell shifts left", Row("<c r=\"A1\"><v>1</v></c><c r=\"C1\"><v>3</v></c>"), "1|3|"},
        {"formula gives its cached value", Row("<c r=\"A1\"><f>1+1</f><v>2</v></c>"), "2||"},
        {"inline string is empty", Row("<c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c><c><v>5</v></c>"), "|5|"},
        {"UTF-8 value to Greek code page", Row("<c t=\"str\"><v>Πειραιάς</v></c>"), W("Πειραιάς||")},
        {"characters outside the code page", Row("<c t=\"s\"><v>5</v></c>"), "\x80 ?||"},
        {"shared index out of range is empty", Row("<c t=\"s\"><v>99</v></c><c t=\"s\"><v>-1</v></c>"), "||"},
        {"value without its end is empty", Row("<c><v>12</c>"), "||"},
        {"self-closing row swallows the next",
         "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\" spans=\"1:2\"/>"
         "<row r=\"3\"><c><v>3</v></c></row><row r=\"4\"><c><v>4</v></c></row>",
         "1||\n3||\n4||"},
        {"serial dates of the date column",
         date("45292") + date("45292.75") + date("45351") + date("5001") + date("12") + date("5000") + date("02/1/2025")
             + date(""),
         "||01/01/2024\n||01/01/2024\n||29/02/2024\n||09/09/1913\n||12\n||5000\n||02/1/2025\n||"},
    };
    CellTable table;
    for (const auto& [name, rows, expected] : cases) {
        const auto count = static_cast<int>(std::count(expected.begin(), expected.end(), '\n')) + 1;
        ASSERT_EQ(ReadRows(rows, table, 3, 3, shared), count) << name;
        EXPECT_EQ(Text(table, 3, 0, count - 1, 3), expected + "\n") << name;
        EXPECT_EQ(table.size(), count * 3u + 1) << name;
    }
    const std::string xml = "<sst><si><r><t>rich</t></r><r><t xml:space=\"preserve\"> runs</t></r></si>"
                            "<si><t>&lt;b&gt;</t></si><si><t>open";
    EXPECT_EQ(ReadSharedStrings(xml, 10), (std::vector<std::string>{"rich", " runs", "&lt;b&gt;", ""}));
    EXPECT_THROW(ReadSharedStrings(xml, 3), KarvoError);
}

TEST(WorkbookReader, OperatorLayoutShortPartsAndLibreOfficeFiles)
{
    // Header rows, trailing empty styled cells, the older seven-number sheet after the newer one,
    // an empty third sheet.
    const SheetRows newer{{"ΚΛΗΡΩΣΕΙΣ LOTTO 2025"}, {"Κλήρωση", "Ημ/νία"}, {"2911", "02/1/2025", "5", "12", "", ""}};
    const std::string book = OperatorWorkbookBytes({newer, {{"2910", "7"}}, {}});
    CellTable table;
    ASSERT_EQ(ReadWorkbook(ZipArchive::fromBytes(book, "lotto_2025.xlsx"), 6, 2, table), 4);
    EXPECT_EQ(Text(table, 6, 0, 3, 6),
              W("ΚΛΗΡΩΣΕΙΣ LOTTO 2025|||||\nΚλήρωση|Ημ/νία||||\n2911|02/1/2025|5|12||\n2910|7||||\n"));
    // A sheet part under 33 bytes is skipped.
    const std::string shortPart = ZipBytes({{"xl/sharedStrings.xml", SharedStringsXml({})},
                                            {"xl/worksheets/sheet1.xml", "<worksheet/>"},
                                            {"xl/worksheets/sheet2.xml", SheetXml(Row("<c><v>4</v></c>"))}});
    ASSERT_EQ(ReadWorkbook(ZipArchive::fromBytes(shortPart, "x"), 1, 0, table), 1);
    EXPECT_EQ(table[1], "4");
    // LibreOffice's LOTTO: title, header (its empty cells omitted by the writer), then 20 draws, the
    // oldest last.
    ASSERT_EQ(ReadWorkbook(TestDataFolder() + "lotto_libreoffice.xlsx", 12, 2, table), 22);
    EXPECT_EQ(Text(table, 12, 0, 2, 12) + Text(table, 12, 21, 21, 2),
              W("ΚΛΗΡΩΣΕΙΣ LOTTO 2024|||||||||||\nΚλήρωση|Ημερομηνία|Αριθμοί|Τζόκερ|Επιτυχίες 6|Κέρδη 6|Τζακ-"
                "ποτ|||||\n2847|28/12/2024|31|12|47|38|20|13|27|0|681738.17|ΝΑΙ\n2828|23/10/2024\n"));
    // PROPO: results are shared texts; coupon 45 had thirteen matches.
    ASSERT_EQ(ReadWorkbook(TestDataFolder() + "propo_libreoffice.xlsx", 17, 3, table), 14);
    EXPECT_EQ(Text(table, 17, 2, 2, 17) + table[9 * 17 + 17], "52|2024|29/12/2024|X|2|X|X|X|1|1|2|2|2|X|X|X|X\n-");
}
