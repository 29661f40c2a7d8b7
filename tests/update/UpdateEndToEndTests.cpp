// Each game's update through the update button's driver and the real download path, against a
// loopback server: the exact bytes written from a missing and from an older file, repeats that
// change nothing, the view showing the new last draw, and hostile answers that change nothing.
#include "UpdateTests.h"
#include "results/DrawViews.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "update/Download.h"
#include "update/KinoMonth.h"
#include "update/PropoCoupons.h"
#include "update/UpdateDriver.h"
#include "update/UpdateFetch.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

const std::string LottoPath = "/Excel_xlsx/5103/lotto_2024.xlsx";
const std::string SundayPath = "/Excel/3100/propo_2024_Sun.xlsx";
const std::string KinoPath = "/Excel_xlsx/1100/2025/kino_2025_01.xlsx";

// A LOTTO sheet in the operator's layout: four header rows, newest draw on top, text dates.
SheetRows LottoSheet(int draws)
{
    SheetRows rows{{"ΚΛΗΡΩΣΕΙΣ LOTTO 2024"}, {}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", ""}};
    for (int d = draws; d >= 1; --d) {
        rows.push_back({std::to_string(d), std::to_string(d % 28 + 1) + "/" + std::to_string(d % 12 + 1) + "/2024",
                        "45", std::to_string(d % 40 + 1), "44", "43", "42", "41", "7", "", ""});
    }
    return rows;
}

// The unmasked record LottoSheet's draw d becomes: date bytes, then the numbers ascending.
std::string LottoRecord(int d)
{
    std::string r{static_cast<char>(d % 28 + 1), static_cast<char>(d % 12 + 1), 74, 41, 42, 43, 44, 45};
    r.insert(std::upper_bound(r.begin() + 3, r.end(), static_cast<char>(d % 40 + 1)), static_cast<char>(d % 40 + 1));
    return r;
}

std::string Masked(std::string plain)
{
    PositionMask(plain);
    return plain;
}

// PROPO coupons 1 to count of 2024, newest on top: "1 X 2 1 1 X 2" and "2 2 2 2 1 1 X", except
// coupon 45, which had thirteen matches.
SheetRows PropoSheet(int count)
{
    SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ ΠΡΟΠΟ 2024"}, {"Κουπόνι", "Έτος", "Ημερομηνία"}};
    for (int k = count; k >= 1; --k) {
        rows.push_back({std::to_string(k), "2024", std::to_string(k % 28 + 1) + "/1/2024", "1", "X", "2", "1", "1", "X",
                        "2", "2", "2", "2", "2", "1", "1", k == 45 ? "-" : "Χ"});
    }
    return rows;
}

// V[i] of a PROPO file's bytes.
int PropoValue(const std::string& bytes, std::int64_t i)
{
    return static_cast<unsigned char>(bytes.at(7 + 2 * i)) | static_cast<unsigned char>(bytes.at(8 + 2 * i)) << 8;
}

class UpdateEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDownloadLimits({2000, 1});
        QDir().mkpath(QString::fromStdString(m_folder.file("Data")));
    }
    void TearDown() override { SetDownloadLimits(DownloadLimits()); }

    // Presses the update button for game on 15 March 2026 and picks the given list items, as the
    // window does.
    UpdateOutcome click(int game, std::deque<int> choices)
    {
        m_state.GameCode = game;
        m_ui.listAnswers = std::move(choices);
        UpdateContext context{m_state, m_ui, m_folder.path(), QDate(2026, 3, 15),
                              {m_server.baseUrl(), m_server.baseUrl()}, &FetchResultFile};
        const UpdateOutcome outcome = RunUpdate(context);
        if (outcome.clearNotice) {
            m_ui.StatusNotice("");
        }
        return outcome;
    }

    // Every file of the working folder with its bytes.
    std::map<std::string, std::string> snapshot() const
    {
        std::map<std::string, std::string> files;
        for (const QString& name : QDir(QString::fromStdString(m_folder.path())).entryList(QDir::Files)) {
            files[name.toStdString()] = ReadBytes(m_folder.file(name.toStdString()));
        }
        return files;
    }

    void serve(const std::string& path, const std::string& body) { m_server.set(path, LoopbackResponse::Body(body)); }
    std::string file(const std::string& name) const { return ReadBytes(m_folder.file(name)); }

    TempFolder m_folder;
    LoopbackServer m_server;
    ScriptedUserInterface m_ui;
    ProgramState m_state;
};

} // namespace

TEST_F(UpdateEndToEnd, LottoFromMissingAndFromOlderFile)
{
    // 104 rows fill slots 1 to 104 bottom row first, in a new file of (2026 - 1989) years; the
    // second sheet is empty. Item 8 of the ten years offered is 2024.
    serve(LottoPath, OperatorWorkbookBytes({LottoSheet(104), {}}));
    EXPECT_EQ(click(4, {8}).viewGame, 4);
    EXPECT_EQ(m_state.SelectedYear, 2024);
    EXPECT_EQ(m_ui.listCalls.at(0).items.size(), 10u);
    EXPECT_EQ(m_ui.statusHistory, (std::vector<std::string>{WaitNoticeText(), ""}));
    std::string expected((2026 - 1989) * 370 * 9, '\0');
    const std::size_t base = (2024 - 1990) * 370 * 9;
    for (int d = 1; d <= 104; ++d) {
        expected.replace(base + (d - 1) * 9, 9, LottoRecord(d));
    }
    EXPECT_EQ(file("LOTTO.krv"), Masked(expected));
    const DrawView view = BuildLottoView(m_folder.path(), 1, 2015);
    EXPECT_NE(view.grid.cell(0, view.grid.currentRow()).find("21-09-2024"), std::string::npos);
    click(4, {8});
    EXPECT_EQ(file("LOTTO.krv"), Masked(expected));

    // A shorter older file keeps its other years and the slots above the new draws.
    std::string older = expected.substr(0, base + 200 * 9);
    older.replace(9 * 5, 9, std::string(9, '\x03'));
    older.replace(base + 150 * 9, 9, LottoRecord(2));
    WriteBytes(m_folder.file("LOTTO.krv"), Masked(older));
    serve(LottoPath, OperatorWorkbookBytes({LottoSheet(100)}));
    click(4, {8});
    older.resize(expected.size(), '\0');
    older.replace(base, 100 * 9, expected.substr(base, 100 * 9));
    EXPECT_EQ(file("LOTTO.krv"), Masked(older));

    // A LibreOffice workbook: twenty draws, the newest (28/12/2024, on top) in slot 20.
    WriteBytes(m_folder.file("LOTTO.krv"), "");
    serve(LottoPath, ReadBytes(TestDataFolder() + "lotto_libreoffice.xlsx"));
    click(4, {8});
    const std::string plain = Masked(file("LOTTO.krv"));
    EXPECT_EQ(plain.substr(base + 19 * 9, 4), std::string("\x1C\x0C\x4A", 3) + plain[base + 19 * 9 + 3]);
    EXPECT_NE(plain[base + 19 * 9 + 3], '\0');
    EXPECT_EQ(plain.substr(base + 20 * 9), std::string(plain.size() - base - 20 * 9, '\0'));
}

TEST_F(UpdateEndToEnd, GoalJokerProtoExtraFromMissingAndOlderFiles)
{
    // JOKER 40 3 22 17 9 + 14 is stored 3 9 17 22 40 14; GOAL reads columns 4 to 11.
    struct Case { int game; const char* path; SheetRows rows; const char* file; std::size_t length, offset; std::string record; };
    const std::vector<Case> cases{
        {5, "/Excel_xlsx/5105/propogoal_2025.xlsx", {{"", "Ημ/νία"}, {"77", "04/1/2025", "x", "9", "8", "7", "6", "5", "4", "3", "2"}},
         "GOAL.krv", (2026 - 1995) * 370 * 11, (2025 - 1996) * 370 * 11, std::string("\x04\x01\x4B\x02\x03\x04\x05\x06\x07\x08\x09", 11)},
        {6, "/Excel_xlsx/5104/Joker_2025.xlsx", {{"", "Ημ/νία"}, {"2800", "02/1/2025", "40", "3", "22", "17", "9", "14"}},
         "JOKER.krv", (2026 - 1996) * 370 * 9, (2025 - 1997) * 370 * 9, std::string("\x02\x01\x4B\x03\x09\x11\x16\x28\x0E", 9)},
        {7, "/Excel_xlsx/2101/proto_2025.xlsx", {{"", "Ημ/νία"}, {"12", "07/3/2025", "0", "4", "4", "1", "9", "0", "7"}},
         "Proto.krv", (2026 - 1991) * 2000, (2025 - 1992) * 2000, std::string("\x07\x03\x4B\x00\x04\x04\x01\x09\x00\x07", 10)},
        {8, "/Excel_xlsx/5106/extra5_2025.xlsx", {{"", "Ημ/νία"}, {"3", "03/2/2025", "x", "30", "10", "20", "5", "1"}},
         "Extra.krv", 24, 16, std::string("\x03\x02\x4B\x01\x05\x0A\x14\x1E", 8)},
    };
    for (const Case& c : cases) {
        serve(c.path, OperatorWorkbookBytes({c.rows}));
        std::string expected(c.length, '\0');
        expected.replace(c.offset, c.record.size(), c.record);
        // From a missing file, the same again, then from an older file that ends before the draw.
        for (const std::string round : {"missing", "repeated", "older"}) {
            if (round == "older") {
                expected.replace(0, c.offset, std::string(c.offset, '\x01'));
                WriteBytes(m_folder.file(c.file), Masked(expected.substr(0, c.offset)));
            }
            click(c.game, {9});
            EXPECT_EQ(file(c.file), Masked(expected)) << c.file << " " << round;
        }
    }
}

TEST_F(UpdateEndToEnd, PropoWorkbookAndPageAreStoredInTheSameUpdate)
{
    // A missing file grows in 3000-value steps until it holds the 2024 block.
    serve(SundayPath, OperatorWorkbookBytes({PropoSheet(52)}));
    click(1, {8});
    const std::string bytes = file("Propok.krv");
    ASSERT_EQ(bytes.size(), 18008u);
    EXPECT_EQ(bytes.back(), '\x1A');
    const std::int64_t first = PropoCouponWord(2024, 1);
    for (std::int64_t i = 0; i < 9000; ++i) {
        const bool coupon = i >= first && i < first + 104;
        const int second = (i - first == 2 * 44 + 1 ? 0x3000 : 0) | 0x05AA;
        ASSERT_EQ(PropoValue(bytes, i), !coupon ? 0x3FFF : (i - first) % 2 == 0 ? 8545 : second) << "value " << i;
    }
    click(1, {8});
    EXPECT_EQ(file("Propok.krv"), bytes);

    // Saturday's pools as a modern page with LF line ends, coupons of January 2025 for 2024.
    std::string page = "\xEF\xBB\xBF<!DOCTYPE html>\n<html><head><style>td{color:red}</style></head><body><table>\n";
    for (const char* coupon : {"12/1/2025 1 X 2 1 1 X 2 2 2 2 2 1 1 1", "05/1/2025 2 2 2 2 2 2 2 X 1 1 1 1 1 1"}) {
        page += "<tr>\n<td>" + QString::fromLatin1(coupon).replace(" ", "</td>\n<td>").toStdString() + "</td>\n</tr>\n";
    }
    serve("/Excel/3102/propo_2024_Sat.xlsx", page + "</table></body></html>\n");
    click(2, {8});
    const std::string saturday = file("Propos.krv");
    std::vector<int> values;
    for (std::int64_t i = 0; i < 5; ++i) {
        values.push_back(PropoValue(saturday, first + i));
    }
    EXPECT_EQ(values, (std::vector<int>{0x2AAA, 5460, 8545, 5546, 0x3FFF}));
}

TEST_F(UpdateEndToEnd, KinoMonthFromLibreOfficeWorkbook)
{
    serve(KinoPath, ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx"));
    // January 2025 is item 2 + 21 * 12 + 1 of the period list.
    EXPECT_EQ(click(10, {255}).viewGame, 10);
    EXPECT_EQ(m_state.KinoPeriodFile, "DATA/kino_2025_01.qav");
    EXPECT_EQ(m_state.SelectedYear, 2025);
    EXPECT_EQ(m_ui.listCalls.back().items.size(), 2u + 22 * 12 + 3);
    const std::string month = file("Data/kino_2025_01.qav");
    ASSERT_EQ(month.size(), 31u * 23);
    EXPECT_EQ(KinoFirstDraw(month), 1100000);
    // Day 2, 09:00 (0.375) for the bottom row; the top row is 29 draws of five minutes later.
    EXPECT_EQ(month.substr(23 + 20, 3) + month.substr(30 * 23 + 20, 3), std::string("\x02\x09\x00\x02\x0B\x19", 6));
    // A past month kept on disk is not fetched again; the current month always is.
    click(10, {255});
    EXPECT_EQ(m_server.requestCount(KinoPath), 1);
    serve("/Excel_xlsx/1100/2026/kino_2026_03.xlsx", ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx"));
    click(10, {2 + 22 * 12 + 3});
    click(10, {2 + 22 * 12 + 3});
    EXPECT_EQ(m_server.requestCount("/Excel_xlsx/1100/2026/kino_2026_03.xlsx"), 2);
}

TEST_F(UpdateEndToEnd, Super3OpensTheMonthWorkbook)
{
    const std::string workbook = OperatorWorkbookBytes({{{"Κλήρωση"}, {"1", "01/3/2024", "1", "2", "3"}}});
    serve("/Excel_xlsx/2100/2024/super3_2024_03.xlsx", workbook + std::string(1000, ' '));
    EXPECT_EQ(click(9, {8, 3}).viewGame, 9);
    EXPECT_EQ(m_ui.listCalls.at(1).caption, "Super3 2024");
    // A kept copy of 999 bytes or more is opened without a fetch; before 2023 there are no
    // monthly workbooks: the notice only.
    click(9, {8, 3});
    EXPECT_EQ(m_server.requestCount("/Excel_xlsx/2100/2024/super3_2024_03.xlsx"), 1);
    m_ui.statusHistory.clear();
    click(9, {2});
    EXPECT_EQ(m_ui.opened, std::vector<std::string>(2, m_folder.file("Data/super3_2024_03.xlsx")));
    EXPECT_EQ(m_ui.statusHistory, (std::vector<std::string>{WaitNoticeText(), ""}));
}

TEST_F(UpdateEndToEnd, HostileAnswersChangeNoResultsFile)
{
    // Earlier histories, so that any write would show.
    serve(LottoPath, OperatorWorkbookBytes({LottoSheet(10)}));
    click(4, {8});
    serve(SundayPath, OperatorWorkbookBytes({PropoSheet(5)}));
    click(1, {8});
    WriteBytes(m_folder.file("Extra.krv"), std::string(800, '\x11'));
    SheetRows above255 = LottoSheet(3);
    above255[5][4] = "300";
    const SheetRows farDraw{{"1000000", "03/2/2024", "x", "1", "2", "3", "4", "5"}};
    const std::string bomb = ZipBytes({{"xl/sharedStrings.xml", "<sst/>"}, {"xl/worksheets/sheet1.xml", "<x/>", true, 1ll << 30}});
    using R = LoopbackResponse;
    // problem: the message box a workbook game must show; "" where a warning or notice suffices.
    struct Case { const char* name; R answer; std::string problem; std::vector<int> games = {1, 4, 8}; };
    const std::vector<Case> cases{
        {"not a ZIP", R::Body(std::string(500, 'x')), "not a ZIP archive"},
        {"HTML error page", R::Body("<html><body>" + std::string(200, '.') + "</body></html>", 404), "not a ZIP archive"},
        {"truncated", R::Body(OperatorWorkbookBytes({LottoSheet(50)}).substr(0, 900)), "not a ZIP archive"},
        {"zip bomb", R::Body(bomb), "more than 256 MB"},
        {"openpyxl", R::Body(ReadBytes(TestDataFolder() + "lotto_openpyxl.xlsx")), "xl/sharedStrings.xml"},
        {"too many rows", R::Body(OperatorWorkbookBytes({LottoSheet(371)})), "", {1, 4}},
        {"draw far past the file", R::Body(OperatorWorkbookBytes({farDraw})), "", {8}},
        {"value above 255", R::Body(OperatorWorkbookBytes({above255})), ""},
        {"empty body", R::Body(""), ""},
        {"hanging server", R::Hang(), ""},
    };
    for (const Case& c : cases) {
        for (int game : c.games) {
            const auto before = snapshot();
            m_server.set(game == 1 ? SundayPath : game == 4 ? LottoPath : "/Excel_xlsx/5106/extra5_2024.xlsx", c.answer);
            // Nothing readable left in DATA from an earlier update.
            QDir(QString::fromStdString(m_folder.file("Data"))).removeRecursively();
            QDir().mkpath(QString::fromStdString(m_folder.file("Data")));
            m_ui.notices.clear();
            UpdateOutcome outcome;
            const std::string error = ErrorOf([&] { outcome = click(game, {8}); });
            EXPECT_TRUE(snapshot() == before) << c.name << " game " << game;
            // The user sees a box (error or warning) or the lasting download notice.
            const bool notice = m_ui.status == "Error Downloading" && !outcome.clearNotice;
            EXPECT_TRUE(!error.empty() || !m_ui.notices.empty() || notice) << c.name << " game " << game;
            EXPECT_NE(game == 1 ? 0 : error.find(c.problem), std::string::npos) << c.name << " game " << game;
        }
    }
}

TEST_F(UpdateEndToEnd, DriverListsAndCancels)
{
    // Cancelled year choice: no update, status bar untouched.
    EXPECT_EQ(click(4, {0}).viewGame, 0);
    EXPECT_TRUE(m_ui.statusHistory.empty());
    EXPECT_TRUE(m_server.requests().empty());
    // The fourth item of 2026 is 2020; a failed download keeps its notice.
    click(5, {4});
    EXPECT_EQ(m_state.SelectedYear, 2020);
    EXPECT_EQ(m_ui.status, "Error Downloading");
    EXPECT_EQ(m_server.requests(), std::vector<std::string>{"/Excel_xlsx/5105/propogoal_2020.xlsx"});
    // STOCK and ΑΜΟΙΒΑΙΑ ask nothing of this driver.
    const std::size_t lists = m_ui.listCalls.size();
    EXPECT_EQ(click(11, {1}).viewGame + click(13, {1}).viewGame, 11 + 13);
    EXPECT_EQ(m_ui.listCalls.size(), lists);
}
