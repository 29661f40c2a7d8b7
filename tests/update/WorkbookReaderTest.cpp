// The workbook scanner on the operator's layout, on hand-made parts for each scanning rule,
// and on files written by LibreOffice and openpyxl.
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "update/WorkbookReader.h"
#include "util/KarvoError.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// Reads a workbook built from a sheet part's rows and the given shared strings.
int ReadRows(const std::string& rowsXml, const std::vector<std::string>& shared, int width, int dateColumn,
             CellTable& table)
{
    const std::string bytes = ZipBytes({{"xl/worksheets/sheet1.xml", SheetXml(rowsXml)},
                                        {"xl/sharedStrings.xml", SharedStringsXml(shared)}});
    return ReadWorkbook(ZipArchive::fromBytes(bytes, "test.xlsx"), width, dateColumn, table);
}

std::string Row(const std::string& cells)
{
    return "<row r=\"1\">" + cells + "</row>";
}

} // namespace

TEST(WorkbookReader, OperatorLayoutKeepsHeaderRowsAndSharedTexts)
{
    OperatorWorkbook book;
    book.sheets.push_back({{"ΚΛΗΡΩΣΕΙΣ LOTTO 2025"},
                           {"Κλήρωση", "Ημ/νία", "Αριθμοί"},
                           {"2911", "02/1/2025", "5", "12", "33", "", ""},
                           {"2910", "30/12/2024", "1", "2", "3"}});
    TempFolder folder;
    WriteBytes(folder.file("lotto_2025.xlsx"), OperatorWorkbookBytes(book));
    CellTable table;
    ASSERT_EQ(ReadWorkbook(folder.file("lotto_2025.xlsx"), 12, 2, table), 4);
    EXPECT_EQ(table[0 * 12 + 1], W("ΚΛΗΡΩΣΕΙΣ LOTTO 2025"));
    EXPECT_EQ(table[1 * 12 + 2], W("Ημ/νία"));
    EXPECT_EQ(table[2 * 12 + 1], "2911");
    EXPECT_EQ(table[2 * 12 + 2], "02/1/2025");  // a date as text stays as written
    EXPECT_EQ(table[2 * 12 + 5], "33");
    EXPECT_EQ(table[2 * 12 + 6], "");           // trailing empty styled cells
    EXPECT_EQ(table[3 * 12 + 5], "3");
}

TEST(WorkbookReader, SecondSheetRowsFollowTheFirst)
{
    // Older seven-number sheet after the newer one; a third sheet written as <sheetData/>.
    OperatorWorkbook book{{{{"1", "a"}, {"2", "b"}}, {{"3", "c", "7"}}, {}}, true};
    CellTable table;
    const std::string bytes = OperatorWorkbookBytes(book);
    ASSERT_EQ(ReadWorkbook(ZipArchive::fromBytes(bytes, "x"), 3, 0, table), 3);
    EXPECT_EQ(table[2 * 3 + 1], "3");
    EXPECT_EQ(table[2 * 3 + 3], "7");
}

struct CellCase
{
    const char* name;
    std::string cells;
    std::vector<std::string> expected;  // columns 1..n of row 0
};

TEST(WorkbookReader, CellRulesOfTheScanner)
{
    const std::vector<std::string> shared{"zero", "one", "two", "A &amp; B", "Αθήνα", "€ ≠"};
    const std::vector<CellCase> cases{
        {"numeric cell without t=s", "<c r=\"A1\"><v>7</v></c>", {"7"}},
        {"shared string 3 is the fourth <t>", "<c r=\"A1\" t=\"s\"><v>3</v></c>", {"A &amp; B"}},
        {"self-closing empty cell counts", "<c t=\"s\"><v>1</v></c><c r=\"B1\" s=\"4\"/><c t=\"s\"><v>2</v></c>",
         {"one", "", "two"}},
        {"omitted cell shifts left", "<c r=\"A1\"><v>1</v></c><c r=\"C1\"><v>3</v></c>", {"1", "3", ""}},
        {"formula gives its cached value", "<c r=\"A1\"><f>1+1</f><v>2</v></c>", {"2"}},
        {"inline string is empty", "<c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c><c><v>5</v></c>", {"", "5"}},
        {"UTF-8 value to Greek code page", "<c t=\"str\"><v>Πειραιάς</v></c>", {W("Πειραιάς")}},
        {"characters outside the code page", "<c t=\"s\"><v>5</v></c>", {"\x80 ?"}},
        {"shared index out of range is empty", "<c t=\"s\"><v>99</v></c><c t=\"s\"><v>-1</v></c>", {"", ""}},
        {"value without its end is empty", "<c><v>12</c>", {""}},
    };
    for (const CellCase& c : cases) {
        CellTable table;
        ASSERT_EQ(ReadRows(Row(c.cells), shared, 4, 0, table), 1) << c.name;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(U(table[i + 1]), U(c.expected[i])) << c.name << ", column " << i + 1;
        }
    }
}

TEST(WorkbookReader, SharedStringsTakeEveryTextElement)
{
    const std::string xml = "<sst><si><r><t>rich</t></r><r><t xml:space=\"preserve\"> runs</t></r></si>"
                            "<si><t>&lt;b&gt;</t></si><si><t>open";
    EXPECT_EQ(ReadSharedStrings(xml, 10), (std::vector<std::string>{"rich", " runs", "&lt;b&gt;", ""}));
    EXPECT_THROW(ReadSharedStrings(xml, 3), KarvoError);
}

TEST(WorkbookReader, RowsBeyondWidthAndSelfClosingRows)
{
    CellTable table;
    // Cells past the width are dropped; the row still counts.
    ASSERT_EQ(ReadRows(Row("<c><v>1</v></c><c><v>2</v></c><c><v>3</v></c>"), {}, 2, 0, table), 1);
    EXPECT_EQ(table[2], "2");
    EXPECT_EQ(table.size(), 3u);
    // A self-closing row swallows the next row, which does not count separately.
    const std::string rows = "<row r=\"1\"><c><v>1</v></c></row><row r=\"2\" spans=\"1:2\"/>"
                             "<row r=\"3\"><c><v>3</v></c></row><row r=\"4\"><c><v>4</v></c></row>";
    ASSERT_EQ(ReadRows(rows, {}, 1, 0, table), 3);
    EXPECT_EQ(table[1 * 1 + 1], "3");
    EXPECT_EQ(table[2 * 1 + 1], "4");
}

TEST(WorkbookReader, CellsOfAnEarlierReadDoNotLeakIntoShortRows)
{
    CellTable table;
    ReadRows(Row("<c><v>1</v></c><c><v>2</v></c><c><v>3</v></c>"), {}, 3, 0, table);
    ASSERT_EQ(ReadRows(Row("<c><v>9</v></c>"), {}, 3, 0, table), 1);
    EXPECT_EQ(table[1], "9");
    EXPECT_EQ(table[2], "");
    EXPECT_EQ(table[3], "");
}

TEST(WorkbookReader, SerialDatesOfTheDateColumn)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"45292", "01/01/2024"}, {"45292.75", "01/01/2024"}, {"45351", "29/02/2024"}, {"5001", "09/09/1913"},
        {"36526", "01/01/2000"}, {"12", "12"}, {"5000", "5000"}, {"02/1/2025", "02/1/2025"}, {"", ""},
    };
    for (const auto& [cell, expected] : cases) {
        CellTable table;
        ASSERT_EQ(ReadRows(Row("<c><v>1</v></c><c t=\"str\"><v>" + cell + "</v></c>"), {}, 2, 2, table), 1);
        EXPECT_EQ(table[2], expected) << cell;
        EXPECT_EQ(table[1], "1");
    }
}

TEST(WorkbookReader, ShortSheetPartsAreSkippedAndMissingOnesFail)
{
    const std::string shared = SharedStringsXml({});
    CellTable table;
    const std::string shortPart = ZipBytes({{"xl/sharedStrings.xml", shared},
                                            {"xl/worksheets/sheet1.xml", "<worksheet/>"},
                                            {"xl/worksheets/sheet2.xml", SheetXml(Row("<c><v>4</v></c>"))}});
    ASSERT_EQ(ReadWorkbook(ZipArchive::fromBytes(shortPart, "x"), 1, 0, table), 1);
    EXPECT_EQ(table[1], "4");

    const std::string gap = ZipBytes({{"xl/sharedStrings.xml", shared},
                                      {"xl/worksheets/sheet1.xml", SheetXml(Row("<c><v>1</v></c>"))},
                                      {"xl/worksheets/sheet3.xml", SheetXml(Row("<c><v>3</v></c>"))}});
    try {
        ReadWorkbook(ZipArchive::fromBytes(gap, "lotto_2024.xlsx"), 1, 0, table);
        FAIL() << "a missing sheet part must fail";
    } catch (const KarvoError& error) {
        EXPECT_NE(std::string(error.what()).find("xl/worksheets/sheet2.xml"), std::string::npos) << error.what();
    }
}

TEST(WorkbookReader, TooManyCellsAreRefused)
{
    std::string rows;
    for (int i = 0; i < 11; ++i) {
        rows += Row("<c><v>1</v></c>");
    }
    CellTable table;
    WorkbookLimits limits;
    limits.maxCells = 20;
    const std::string bytes = ZipBytes({{"xl/worksheets/sheet1.xml", SheetXml(rows)},
                                        {"xl/sharedStrings.xml", SharedStringsXml({})}});
    EXPECT_EQ(ReadWorkbook(ZipArchive::fromBytes(bytes, "x"), 1, 0, table, limits), 11);
    EXPECT_THROW(ReadWorkbook(ZipArchive::fromBytes(bytes, "x"), 2, 0, table, limits), KarvoError);
}

TEST(WorkbookReader, LibreOfficeLottoWithSerialDates)
{
    CellTable table;
    // Title, header (empty cells of the header omitted by the writer), then 20 draws.
    ASSERT_EQ(ReadWorkbook(TestDataFolder() + "lotto_libreoffice.xlsx", 12, 2, table), 22);
    EXPECT_EQ(table[0 * 12 + 1], W("ΚΛΗΡΩΣΕΙΣ LOTTO 2024"));
    EXPECT_EQ(table[1 * 12 + 3], W("Αριθμοί"));
    EXPECT_EQ(table[1 * 12 + 4], W("Τζόκερ"));
    EXPECT_EQ(table[2 * 12 + 1], "2847");
    EXPECT_EQ(table[2 * 12 + 2], "28/12/2024");
    EXPECT_EQ(table[2 * 12 + 11], "681738.17");
    EXPECT_EQ(table[2 * 12 + 12], W("ΝΑΙ"));
    EXPECT_EQ(table[21 * 12 + 1], "2828");
}

TEST(WorkbookReader, LibreOfficeKinoKeepsTimesAsDayFractions)
{
    CellTable table;
    ASSERT_EQ(ReadWorkbook(TestDataFolder() + "kino_libreoffice.xlsx", 23, 2, table), 32);
    EXPECT_EQ(table[2 * 23 + 1], "1100029");
    EXPECT_EQ(table[2 * 23 + 2], "02/01/2025");
    EXPECT_EQ(table[2 * 23 + 3].substr(0, 7), "0.47569");  // 11:25
    EXPECT_EQ(table[31 * 23 + 3], "0.375");                // 09:00
    EXPECT_EQ(table[31 * 23 + 23].empty(), false);
}

TEST(WorkbookReader, LibreOfficePropoResultsAsSharedTexts)
{
    CellTable table;
    ASSERT_EQ(ReadWorkbook(TestDataFolder() + "propo_libreoffice.xlsx", 17, 3, table), 14);
    EXPECT_EQ(table[2 * 17 + 1], "52");
    EXPECT_EQ(table[2 * 17 + 3], "29/12/2024");
    const std::string result = table[2 * 17 + 4];
    EXPECT_TRUE(result == "1" || result == "X" || result == "2") << result;
    EXPECT_EQ(table[9 * 17 + 17], "-");  // coupon 45 had thirteen matches
}

TEST(WorkbookReader, OpenpyxlWorkbookLacksSharedStrings)
{
    CellTable table;
    try {
        ReadWorkbook(TestDataFolder() + "lotto_openpyxl.xlsx", 12, 2, table);
        FAIL() << "a workbook without shared strings must fail";
    } catch (const KarvoError& error) {
        EXPECT_NE(std::string(error.what()).find("xl/sharedStrings.xml"), std::string::npos) << error.what();
    }
}
