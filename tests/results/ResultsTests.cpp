// Results files and draw-results views from hand-built files: byte-exact round trips, refusals and
// failed writes that keep the old bytes, and the exact cells, running numbers and export rows.
#include "results/DrawViews.h"
#include "results/KinoView.h"
#include "results/PropoFile.h"
#include "results/PropoView.h"
#include "results/ResultsFiles.h"
#include "results/SlotViews.h"
#include "results/Super3View.h"
#include "support/TestSupport.h"
#include "util/KarvoError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <numeric>

using namespace karvo;
using namespace karvo::test;

namespace {

// Slot d of PROPO draw w of year Y, counted by hand: values 2d - 1 and 2d hold its signs.
int PropoIndex(int year, int draw)
{
    return (year - 1959) * 60 + draw;
}

// A PROPO file: header "HEADER!", the values little-endian, the trailing bytes.
std::string PropoBytes(const std::vector<std::uint16_t>& values, const std::string& tail = "\x1A")
{
    std::string bytes = "HEADER!";
    for (std::uint16_t v : values) {
        bytes += Bytes({v & 0xFF, v >> 8});
    }
    return bytes + tail;
}

// Every row from the first after the headers, then the current row and the export start row.
std::string Shown(const DrawView& view, int first = 1)
{
    std::string text;
    for (int r = first; r < view.grid.rowCount(); ++r) {
        text += U(view.grid.cell(0, r)) + "|" + U(view.grid.cell(1, r)) + "\n";
    }
    return text + "current " + std::to_string(view.grid.currentRow()) + ", first " + std::to_string(view.FirstYearRow);
}

// The view of the file name: a PROPO or slot file, the KINO month file of May 2024, or "" for no month.
DrawView Build(const std::string& name, const std::string& folder, int firstYear = 2015)
{
    const std::string games[] = {"Propok.krv", "Propos.krv", "Propot.krv", "LOTTO.krv", "GOAL.krv", "JOKER.krv"};
    const int i = static_cast<int>(std::find(std::begin(games), std::end(games), name) - std::begin(games));
    // The six games of the list have the codes 1 to 6, in its order.
    return i < 3               ? BuildPropoView(folder, static_cast<GameCode>(i + 1), firstYear)
        : i < 6                ? BuildLottoView(folder, static_cast<GameCode>(i + 1), firstYear)
        : name == "Proto.krv"  ? BuildProtoView(folder, firstYear)
        : name == "Extra.krv"  ? BuildExtraView(folder, firstYear)
        : name == "Super3.krv" ? BuildSuper3View(folder, firstYear)
                               : BuildKinoView(folder, name.empty() ? "" : "DATA/kino_2024_05.qav");
}

} // namespace

TEST(ResultsFile, RoundTripsAreByteExact)
{
    TempFolder folder;
    std::string plain(2 * 2 * 3 * 5 * 7 * 11 * 3, '\0'); // whole records of every size, bytes 0..255
    std::iota(plain.begin(), plain.end(), '\1');
    for (const char* name : {"LOTTO.krv", "GOAL.krv", "JOKER.krv", "Proto.krv", "Extra.krv"}) {
        WriteMaskedFile(folder.file(name), plain);
        EXPECT_EQ(ReadBytes(folder.file(name)), Masked(plain)) << name;
        EXPECT_EQ(ReadMaskedFile(folder.file(name)), plain) << name;
    }
    // Every 77th byte is stored as is: its mask value is 0.
    WriteMaskedFile(folder.file("LOTTO.krv"), std::string(200, '\x55'));
    const std::string stored = ReadBytes(folder.file("LOTTO.krv"));
    EXPECT_EQ(stored.substr(75, 2) + stored[153], Bytes({0x55 ^ 76, 0x55, 0x55}));
    // KINO files are stored unmasked; the header's number is signed.
    const std::string kino = KinoHeaderBytes(-5) + KinoRecord({1, 2, 80}, 31, 23, 59);
    EXPECT_EQ(KinoHeader(-5) + "|" + std::to_string(KinoFirstDraw(kino)), kino.substr(0, 23) + "|-5");
    WriteKinoFile(folder.file("kino.qav"), kino);
    EXPECT_EQ(ReadBytes(folder.file("kino.qav")) + ReadKinoFile(folder.file("kino.qav")), kino + kino);
}

TEST(ResultsFile, ShortAndMissingFilesReadAsEmptyOversizedOnesAreRefused)
{
    TempFolder folder;
    WriteBytes(folder.file("eight"), Masked(Slot(5, 1, 2020, {1, 2, 3, 4, 5}))); // one EXTRA slot
    WriteBytes(folder.file("nine"), Masked("123456789"));
    WriteBytes(folder.file("short"), "HEADER!\x1A");
    EXPECT_EQ(ReadMaskedFile(folder.file("missing")) + ReadKinoFile(folder.file("missing"))
                  + ReadMaskedFile(folder.file("eight")) + ReadKinoFile(folder.file("eight")),
              "");
    EXPECT_EQ(ReadMaskedFile(folder.file("nine")), "123456789");
    EXPECT_EQ(ReadPropoFile(folder.file("missing")).size() + ReadPropoFile(folder.file("short")).size(), 0u);
    // Larger than the buffers: refused before anything is read, never handled in part.
    const std::string path = folder.file("big.krv");
    WriteBytes(path, "x");
    std::filesystem::resize_file(path, ResultsBufferLimit + 1);
    EXPECT_NE(ErrorOf([&] { ReadMaskedFile(path); }).find("20.000.000"), std::string::npos);
    EXPECT_THROW(ReadKinoFile(path), KarvoError);
    std::filesystem::resize_file(path, ResultsBufferLimit);
    EXPECT_EQ(ReadKinoFile(path).size(), static_cast<std::size_t>(ResultsBufferLimit));
    // PROPO: 199,001 values are the most, 7 + 2 * 199,001 + 2 trailing bytes.
    std::filesystem::resize_file(path, 7 + 2 * PropoWordsLimit + 2);
    EXPECT_EQ(ReadPropoFile(path).size(), static_cast<std::size_t>(PropoWordsLimit));
    std::filesystem::resize_file(path, 7 + 2 * PropoWordsLimit + 3);
    EXPECT_THROW(ReadPropoFile(path), KarvoError);
    EXPECT_THROW(WritePropoFile(path, {}, 2024), KarvoError);
    // A year whose block lies past that capacity is refused too.
    WriteBytes(path, PropoBytes({1}));
    EXPECT_THROW(WritePropoFile(path, {}, 9999), KarvoError);
    EXPECT_EQ(ReadBytes(path), PropoBytes({1}));
}

TEST(ResultsFile, FailedWritesKeepTheOldBytesAndNameTheFile)
{
    TempFolder folder;
    WriteBytes(folder.file("DATA"), "not a folder");
    const std::function<void(const std::string&)> writers[] = {
        [](const std::string& p) { WriteMaskedFile(p, std::string(2000, '\1')); },
        [](const std::string& p) { WriteKinoFile(p, KinoHeaderBytes(1) + std::string(2300, '\1')); },
        [](const std::string& p) { WritePropoFile(p, {}, 2024); },
    };
    for (const auto& write : writers) {
        WriteBytes(folder.file("old.krv"), "old bytes");
        WithFileSizeLimit(1000, [&] { EXPECT_THROW(write(folder.file("old.krv")), KarvoError); });
        EXPECT_EQ(ReadBytes(folder.file("old.krv")), "old bytes");
        // A path under a regular file: the platform's error, naming the file.
        EXPECT_NE(ErrorOf([&] { write(folder.file("DATA/x.krv")); }).find("x.krv"), std::string::npos);
    }
}

TEST(PropoFile, SignLines)
{
    // 3FFF holds no sign, 0 fourteen "X"; bits above the fourteenth sign do not count.
    EXPECT_EQ(PropoSignLine(0x3FFF, 0x3FFF) + PropoSignLine(0, 0) + PropoSignLine(0x3FFF, 0x3000)
                  + PropoSignLine(0xFFFF, 0xFFFE),
              std::string(18, ' ') + "XXX XXXX XXX XXXX " + "         XXX XXX  " + "         2        ");
}

TEST(PropoFile, WriteExtendsInStepsAndStoresTheValuesInTheSameWrite)
{
    // Steps of 3000 values FF 3F and 1A until 15,000 bytes and the year's block; else patched in place.
    const std::vector<std::uint16_t> three = {0x1234, 0x0000, 0xBEEF}, full(9000, 0x3FFF);
    const std::string kept("\x1A\x00", 2);
    const struct
    {
        const char* what;
        std::vector<std::uint16_t> old;
        std::string tail;
        int year, count;
    } cases[] = {
        {"missing file: 6008, 12008, 18008 bytes", {}, "", 2024, 9000},
        {"end mark", three, "\x1A", 1960, 9003},
        {"odd length", three, "\x1A\x1A", 1960, 9003},
        {"long enough", full, kept, 2024, 9000},
        {"block of the year past the end", full, "\x1A", 2040, 12000},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("Propot.krv");
        if (!c.tail.empty()) {
            WriteBytes(path, PropoBytes(c.old, c.tail));
            EXPECT_EQ(ReadPropoFile(path), c.old) << c.what;
        }
        std::vector<std::uint16_t> values = c.old;
        values.resize(2 * PropoIndex(c.year, 3) + 1, 0x3FFF);
        values[2 * PropoIndex(c.year, 3) - 1] = 8545;
        values.back() = 0x3FFD;
        WritePropoFile(path, values, c.year);
        values.resize(c.count, 0x3FFF);
        EXPECT_EQ(ReadBytes(path).substr(7), PropoBytes(values, c.tail == kept ? kept : "\x1A").substr(7)) << c.what;
    }
}

TEST(DrawViews, EmptyHistoriesShowTheirFrameAndOneEmptyRow)
{
    TempFolder folder;
    // The KINO header names the month shown, and only KINO clears the status notice.
    const std::pair<const char*, const char*> views[] = {
        {"Propot.krv", "ΠΡΟΠΟ ΤΕΤΑΡΤΗ|  No ΕΤΟΣ|      Νικήτριες"},
        {"", "K I N O|   No   Μερα-Ωρα|        Νικήτριες"},
        {"Data/kino_2024_05.qav", "K I N O|   No   Μερα-Ωρα|   2024_05     Νικήτριες"},
    };
    for (const auto& [name, frame] : views) {
        const DrawView view = Build(name, folder.path());
        EXPECT_EQ(view.clearsStatus, frame[0] == 'K') << name;
        EXPECT_EQ(U(view.title) + "|" + Shown(view, 0), frame + std::string("\n|\ncurrent 1, first 0"));
    }
}

TEST(DrawViews, RowsOfEachGame)
{
    // PROPO: slots 1, 60 and 61, no draw of 2013, two-digit running numbers.
    std::vector<std::uint16_t> values(PropoIndex(2033, 60) * 2 + 1, 0x3FFF);
    const struct
    {
        int year, draw;
        std::uint16_t first, second;
    } filled[] = {{1959, 1, 0, 0},         {1959, 60, 0, 0}, {1960, 1, 0, 0},           {2010, 1, 0, 0},
                  {2010, 2, 0, 0},         {2014, 1, 0, 0},  {2014, 2, 0, 0},           {2014, 3, 0, 0},
                  {2015, 2, 8545, 0x3FFD}, {2016, 1, 0, 0},  {2016, 2, 0x3FFE, 0x3FFF}, {2024, 7, 0, 0}};
    for (const auto& s : filled) {
        values[2 * PropoIndex(s.year, s.draw) - 1] = s.first;
        values[2 * PropoIndex(s.year, s.draw)] = s.second;
    }
    const std::string propo = PropoBytes(values), x = "| XXX XXXX XXX XXXX \n";
    const std::string propoRows = "   1 1959-1" + x + "   2 1959-60" + x + "   3 1960-1" + x + "   4 2010-1" + x
        + "   5 2010-2" + x + "   6 2014-1" + x + "   7 2014-2" + x + "   8 2014-3" + x
        + "   9 2015-2| 1X2 11X2 1        \n  10 2016-1" + x + "  11 2016-2| 2                 \n  12 2024-7" + x;
    // Slot files: running numbers skip empty slots, EXTRA numbers rows by slot; a tail is no slot.
    const std::string extra = std::string(8 * 9407, '\0') + Slot(1, 1, 2001, {1, 1, 1, 1, 1});
    // KINO: draw numbers count on from the header; a long one is overwritten by the time.
    const std::vector<int> low = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 80};
    const std::string lowRow = "|01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 80\n";
    const std::string kino = KinoHeaderBytes(1000) + KinoRecord(low, 5, 9, 5) + KinoRecord({}, 5, 9, 10)
        + KinoRecord(low, 31, 23, 59) + KinoRecord({}, 31, 23, 59);
    const struct
    {
        const char* name;
        int firstYear;
        std::string bytes, shown;
    } cases[] = {
        {"Propos.krv", 2013, propo, propoRows + "current 12, first 7"},
        {"Propot.krv", 2025, propo, propoRows + "current 12, first 0"},
        {"LOTTO.krv", 2015,
         Masked(Slot(5, 1, 2017, {1, 2, 3, 4, 5, 6}) + std::string(9, '\0') + Slot(12, 3, 2021, {7, 11, 18, 20, 27, 45})
                + std::string(18, '\0') + "tail"),
         "   1 05-01-2017|    01 02 03 04 05 06\n   2 12-03-2021|    07 11 18 20 27 45\ncurrent 2, first 2"},
        {"JOKER.krv", 2015, Masked(Slot(1, 2, 2000, {1, 2, 3, 4, 5, 6}) + "12345678"), // 17 bytes: a tail
         "   1 01-02-2000|    01 02 03 04 05 06\ncurrent 1, first 0"},
        {"GOAL.krv", 2015, Masked(Slot(31, 12, 1999, {1, 2, 3, 4, 5, 6, 7, 8})),
         "   1 31-12-1999| 01 02 03 04 05 06 07 08\ncurrent 1, first 0"},
        {"Proto.krv", 2015,
         Masked(std::string(10, '\0') + Slot(5, 1, 2014, {1, 2, 3, 4, 5, 6, 0})
                + Slot(6, 1, 2016, {9, 9, 9, 9, 9, 9, 9})),
         "0001 05-01-2014|  1 2 3 4 5 6 0\n0002 06-01-2016|  9 9 9 9 9 9 9\ncurrent 2, first 3"},
        {"Extra.krv", 2015,
         Masked(Slot(5, 1, 2019, {1, 2, 3, 4, 5}) + std::string(8, '\0') + Slot(6, 1, 2019, {10, 20, 30, 40, 50})),
         "    1 05-01-2019| 01 02 03 04 05\n    3 06-01-2019| 10 20 30 40 50\ncurrent 2, first 2"},
        // Slot 9408, 20 January 2020, always shows its fixed draw, when the file reaches it.
        {"Extra.krv", 2015, Masked(extra), " 9408 20-01-2020| 07 11 18 20 27\ncurrent 1, first 2"},
        {"Extra.krv", 2015, Masked(extra.substr(0, 8 * 9407)), "|\ncurrent 1, first 0"},
        {"Data/kino_2024_05.qav", 1, kino,
         "1000    5 9:5   " + lowRow + "1001    5 9:10  |\n1002    31 23:59" + lowRow + "current 3, first 1"},
        {"Data/kino_2024_05.qav", 1, KinoHeaderBytes(123456789) + KinoRecord(low, 5, 9, 5),
         "123456785 9:5   " + lowRow + "current 1, first 1"},
        {"Data/kino_2024_05.qav", 1, KinoHeaderBytes(0), "|\ncurrent 1, first 0"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::filesystem::create_directory(folder.file("Data"));
        WriteBytes(folder.file(c.name), c.bytes);
        EXPECT_EQ(Shown(Build(c.name, folder.path(), c.firstYear)), c.shown) << c.name << " " << c.firstYear;
    }
}

TEST(Super3View, DatesFollowTheDrawNumberInThreeRegimes)
{
    TempFolder folder;
    std::string text(3 * 9237, '4'); // 9237 draws, the first one 409
    text.replace(1, 2, "09");
    WriteBytes(folder.file("Super3.krv"), text);
    const DrawView view = Build("Super3.krv", folder.path(), 2003);
    EXPECT_EQ(U(view.grid.cell(1, 1)), "    4  0  9  ");
    for (const char* cell : {"    1 25-11-2002", "   74 31-12-2002", "   75 01-01-2003", "  266 06-04-2003",
                             "  267 07-04-2003", " 9236 13-06-2011", " 9237 14-06-2011"}) {
        EXPECT_EQ(U(view.grid.cell(0, std::stoi(cell))), cell);
    }
    EXPECT_EQ(std::vector<int>({view.grid.rowCount(), view.grid.currentRow(), view.FirstYearRow}),
              std::vector<int>({9238, 9237, 76}));
}
