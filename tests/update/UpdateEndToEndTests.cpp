// Each game's update through the update button's driver and the real download path, against a
// loopback server: the exact bytes written from a missing and from an older file, repeats that
// change nothing, the view showing the new last draw, and hostile answers that change nothing.
#include "results/DrawViews.h"
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "update/Download.h"
#include "update/PropoCoupons.h"
#include "update/UpdateDriver.h"
#include "update/UpdateFetch.h"
#include "util/KarvoError.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// A LOTTO sheet in the operator's layout: four header rows, newest draw on top, text dates.
SheetRows LottoSheet(int draws, int year)
{
    SheetRows rows{{"ΚΛΗΡΩΣΕΙΣ LOTTO " + std::to_string(year)}, {}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", ""}};
    for (int d = draws; d >= 1; --d) {
        rows.push_back({std::to_string(d), std::to_string(d % 28 + 1) + "/" + std::to_string(d % 12 + 1) + "/"
                                               + std::to_string(year),
                        "45", std::to_string(d % 40 + 1), "44", "43", "42", "41", "7", "", ""});
    }
    return rows;
}

// The unmasked record LottoSheet's draw d becomes.
std::string LottoRecord(int d, int year)
{
    std::vector<int> n{45, d % 40 + 1, 44, 43, 42, 41};
    std::sort(n.begin(), n.end());
    std::string r{static_cast<char>(d % 28 + 1), static_cast<char>(d % 12 + 1), static_cast<char>(year - 1950)};
    for (int v : n) {
        r += static_cast<char>(v);
    }
    return r;
}

std::string Masked(std::string plain)
{
    PositionMask(plain);
    return plain;
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

    // Presses the update button for game, choosing list item choice, as the window does.
    UpdateOutcome click(int game, int choice)
    {
        m_state.GameCode = game;
        m_ui.listAnswers = {choice};
        UpdateContext context{m_state, m_ui, m_folder.path(), QDate(2026, 3, 15),
                              {m_server.baseUrl(), m_server.baseUrl()}, &FetchResultFile};
        const UpdateOutcome outcome = RunUpdate(context);
        if (outcome.clearNotice) {
            m_ui.StatusNotice("");
        }
        return outcome;
    }

    // Every file of the working folder and DATA with its bytes.
    std::map<std::string, std::string> snapshot(bool withData = false) const
    {
        std::map<std::string, std::string> files;
        QDir dir(QString::fromStdString(m_folder.path()));
        for (const QString& name : dir.entryList(QDir::Files)) {
            files[name.toStdString()] = ReadBytes(m_folder.file(name.toStdString()));
        }
        if (withData) {
            QDir data(QString::fromStdString(m_folder.file("Data")));
            for (const QString& name : data.entryList(QDir::Files)) {
                files["Data/" + name.toStdString()] = ReadBytes(m_folder.file("Data/" + name.toStdString()));
            }
        }
        return files;
    }

    void serve(const std::string& path, const std::string& body) { m_server.set(path, LoopbackResponse::Body(body)); }

    TempFolder m_folder;
    LoopbackServer m_server;
    ScriptedUserInterface m_ui;
    ProgramState m_state;
};

} // namespace

TEST_F(UpdateEndToEnd, LottoFromMissingAndFromOlderFile)
{
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", OperatorWorkbookBytes({{LottoSheet(104, 2024)}, true}));
    // The year list of 2026: item 8 is 2024.
    const UpdateOutcome outcome = click(4, 8);
    EXPECT_EQ(outcome.viewGame, 4);
    EXPECT_EQ(m_state.SelectedYear, 2024);
    ASSERT_EQ(m_ui.listCalls.size(), 1u);
    EXPECT_EQ(m_ui.listCalls[0].items.size(), 10u);
    EXPECT_EQ(m_ui.statusHistory.front(), WaitNoticeText());
    EXPECT_EQ(m_ui.status, "");

    std::string expected((2026 - 1989) * 370 * 9, '\0');
    const std::size_t base = (2024 - 1990) * 370 * 9;
    for (int d = 1; d <= 104; ++d) {
        expected.replace(base + (d - 1) * 9, 9, LottoRecord(d, 2024));
    }
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), Masked(expected));
    const DrawView view = BuildLottoView(m_folder.path(), 1, 2015);
    const std::string last = view.grid.cell(0, view.grid.currentRow());
    EXPECT_NE(last.find("21-09-2024"), std::string::npos) << U(last);

    // Repeating gives the same bytes; an older file keeps its other years and higher slots.
    click(4, 8);
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), Masked(expected));
    std::string older = expected.substr(0, (2024 - 1990) * 370 * 9 + 200 * 9);
    older.replace(9 * 5, 9, LottoRecord(3, 1990));
    older.replace(base + 150 * 9, 9, LottoRecord(2, 2024));
    WriteBytes(m_folder.file("LOTTO.krv"), Masked(older));
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", OperatorWorkbookBytes({{LottoSheet(100, 2024)}}));
    click(4, 8);
    std::string merged = older;
    merged.resize(expected.size(), '\0');
    for (int d = 1; d <= 100; ++d) {
        merged.replace(base + (d - 1) * 9, 9, LottoRecord(d, 2024));
    }
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), Masked(merged));
}

TEST_F(UpdateEndToEnd, GoalJokerProtoExtraOneRowEach)
{
    struct Case { int game; const char* path; SheetRows rows; const char* file; std::size_t offset; std::string record; };
    const std::vector<Case> cases{
        {5, "/Excel_xlsx/5105/propogoal_2025.xlsx", {{"", "Ημ/νία"}, {"77", "04/1/2025", "x", "9", "8", "7", "6", "5", "4", "3", "2"}},
         "GOAL.krv", (2025 - 1996) * 370 * 11, std::string("\x04\x01\x4B\x02\x03\x04\x05\x06\x07\x08\x09", 11)},
        {6, "/Excel_xlsx/5104/Joker_2025.xlsx", {{"", "Ημ/νία"}, {"2800", "02/1/2025", "40", "3", "22", "17", "9", "14"}},
         "JOKER.krv", (2025 - 1997) * 370 * 9, std::string("\x02\x01\x4B\x03\x09\x11\x16\x28\x0E", 9)},
        {7, "/Excel_xlsx/2101/proto_2025.xlsx", {{"", "Ημ/νία"}, {"12", "07/3/2025", "0", "4", "4", "1", "9", "0", "7"}},
         "Proto.krv", (2025 - 1992) * 2000, std::string("\x07\x03\x4B\x00\x04\x04\x01\x09\x00\x07", 10)},
        {8, "/Excel_xlsx/5106/extra5_2025.xlsx", {{"", "Ημ/νία"}, {"3", "03/2/2025", "x", "30", "10", "20", "5", "1"}},
         "Extra.krv", 16, std::string("\x03\x02\x4B\x01\x05\x0A\x14\x1E", 8)},
    };
    const std::size_t lengths[] = {(2026 - 1995) * 370 * 11, (2026 - 1996) * 370 * 9, (2026 - 1991) * 2000, 24};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        serve(c.path, OperatorWorkbookBytes({{c.rows}}));
        click(c.game, 9);
        std::string expected(lengths[i], '\0');
        expected.replace(c.offset, c.record.size(), c.record);
        EXPECT_EQ(ReadBytes(m_folder.file(c.file)), Masked(expected)) << c.file;
        click(c.game, 9);
        EXPECT_EQ(ReadBytes(m_folder.file(c.file)), Masked(expected)) << c.file << " repeated";
    }
}

namespace {

SheetRows PropoSheet(int coupons)
{
    SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ ΠΡΟΠΟ 2024"}, {"Κουπόνι", "Έτος", "Ημερομηνία"}};
    for (int k = coupons; k >= 1; --k) {
        SheetRows::value_type row{std::to_string(k), "2024", std::to_string(k % 28 + 1) + "/1/2024"};
        for (const char* sign : {"1", "X", "2", "1", "1", "X", "2", "2", "2", "2", "2", "1", "1"}) {
            row.push_back(sign);
        }
        row.push_back(k == 45 ? "-" : "Χ");
        rows.push_back(row);
    }
    return rows;
}

// V[i] of a PROPO file's bytes.
int PropoValue(const std::string& bytes, std::int64_t i)
{
    return static_cast<unsigned char>(bytes.at(7 + 2 * i)) | static_cast<unsigned char>(bytes.at(8 + 2 * i)) << 8;
}

} // namespace

TEST_F(UpdateEndToEnd, PropoWorkbookAndPageAreStoredInTheSameUpdate)
{
    serve("/Excel/3100/propo_2024_Sun.xlsx", OperatorWorkbookBytes({{PropoSheet(52)}}));
    click(1, 8);
    const std::string bytes = ReadBytes(m_folder.file("Propok.krv"));
    // A missing file grows in 3000-value steps until it holds the 2024 block.
    ASSERT_EQ(bytes.size(), 18008u);
    EXPECT_EQ(bytes.back(), '\x1A');
    const std::int64_t first = PropoCouponWord(2024, 1);
    for (std::int64_t i = 0; i < 9000; ++i) {
        const bool coupon = i >= first && i < first + 104;
        const int expected = !coupon ? 0x3FFF : (i - first) % 2 == 0 ? 8545 : (i - first == 2 * 44 + 1 ? 0x3000 : 0) | 0x05AA;
        ASSERT_EQ(PropoValue(bytes, i), expected) << "value " << i;
    }
    click(1, 8);
    EXPECT_EQ(ReadBytes(m_folder.file("Propok.krv")), bytes);

    // Saturday's pools as a modern page with LF line ends: one coupon of January 2026 for 2025.
    std::string page = "\xEF\xBB\xBF<!DOCTYPE html>\n<html><body><table>\n<tr><td>11/1/2026</td>\n";
    for (int j = 0; j < 14; ++j) {
        page += "<td>2</td>\n";
    }
    serve("/Excel/3102/propo_2025_Sat.xlsx", page + "</tr></table></body></html>\n");
    click(2, 9);
    const std::string saturday = ReadBytes(m_folder.file("Propos.krv"));
    EXPECT_EQ(PropoValue(saturday, PropoCouponWord(2025, 1)), 0x2AAA);
    EXPECT_EQ(PropoValue(saturday, PropoCouponWord(2025, 1) + 1), 0x2AAA);
    EXPECT_EQ(PropoValue(saturday, PropoCouponWord(2025, 2)), 0x3FFF);
}

TEST_F(UpdateEndToEnd, KinoMonthFromLibreOfficeWorkbook)
{
    serve("/Excel_xlsx/1100/2025/kino_2025_01.xlsx", ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx"));
    // January 2025 is item 2 + 21 * 12 + 1 of the period list.
    const UpdateOutcome outcome = click(10, 255);
    EXPECT_EQ(outcome.viewGame, 10);
    EXPECT_EQ(m_state.KinoPeriodFile, "DATA/kino_2025_01.qav");
    EXPECT_EQ(m_state.SelectedYear, 2025);
    EXPECT_EQ(m_ui.listCalls.back().items.size(), 2u + 22 * 12 + 3);
    const std::string month = ReadBytes(m_folder.file("Data/kino_2025_01.qav"));
    ASSERT_EQ(month.size(), 31u * 23);
    EXPECT_EQ(KinoFirstDraw(month), 1100000);
    // Day 2, 09:00 for the bottom row; the top row is 29 draws of five minutes later.
    EXPECT_EQ(month.substr(23 + 20, 3), std::string("\x02\x09\x00", 3));
    EXPECT_EQ(month.substr(30 * 23 + 20, 3), std::string("\x02\x0B\x19", 3));
    // A past month kept on disk is not fetched again; the current month always is.
    click(10, 255);
    EXPECT_EQ(m_server.requestCount("/Excel_xlsx/1100/2025/kino_2025_01.xlsx"), 1);
    serve("/Excel_xlsx/1100/2026/kino_2026_03.xlsx", ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx"));
    click(10, 2 + 22 * 12 + 3);
    click(10, 2 + 22 * 12 + 3);
    EXPECT_EQ(m_server.requestCount("/Excel_xlsx/1100/2026/kino_2026_03.xlsx"), 2);
}

TEST_F(UpdateEndToEnd, Super3OpensTheMonthWorkbook)
{
    const std::string workbook = OperatorWorkbookBytes({{{{"Κλήρωση"}, {"1", "01/3/2024", "1", "2", "3"}}}});
    serve("/Excel_xlsx/2100/2024/super3_2024_03.xlsx", workbook + std::string(1000, ' '));
    m_ui.listAnswers = {};
    m_state.GameCode = 9;
    m_ui.listAnswers = {8, 3};
    UpdateContext context{m_state, m_ui, m_folder.path(), QDate(2026, 3, 15),
                          {m_server.baseUrl(), m_server.baseUrl()}, &FetchResultFile};
    EXPECT_EQ(RunUpdate(context).viewGame, 9);
    ASSERT_EQ(m_ui.opened.size(), 1u);
    EXPECT_NE(m_ui.opened[0].find("super3_2024_03.xlsx"), std::string::npos);
    EXPECT_EQ(m_ui.listCalls[1].caption, "Super3 2024");
    m_ui.listAnswers = {8, 3};
    RunUpdate(context);
    EXPECT_EQ(m_server.requestCount("/Excel_xlsx/2100/2024/super3_2024_03.xlsx"), 1);
    EXPECT_EQ(m_ui.opened.size(), 2u);
    // Before 2023 there are no monthly workbooks: the notice only.
    m_ui.listAnswers = {2};
    RunUpdate(context);
    EXPECT_EQ(m_ui.opened.size(), 2u);
    EXPECT_EQ(m_ui.status, WaitNoticeText());
}

TEST_F(UpdateEndToEnd, HostileAnswersChangeNoResultsFile)
{
    // Earlier histories of every game, so that any write would show.
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", OperatorWorkbookBytes({{LottoSheet(10, 2024)}}));
    click(4, 8);
    serve("/Excel/3100/propo_2024_Sun.xlsx", OperatorWorkbookBytes({{PropoSheet(5)}}));
    click(1, 8);
    WriteBytes(m_folder.file("Extra.krv"), std::string(800, '\x11'));
    SheetRows tooMany = LottoSheet(371, 2024);
    SheetRows above255 = LottoSheet(3, 2024);
    above255[5][4] = "300";
    const std::string shared = SharedStringsXml({"1"});
    SheetRows farDraw{{"1000000", "03/2/2024", "x", "1", "2", "3", "4", "5"}};
    struct Case { const char* name; LoopbackResponse answer; bool box; std::vector<int> games = {1, 4, 8}; };
    const std::vector<Case> cases{
        {"not a ZIP", LoopbackResponse::Body(std::string(500, 'x')), true},
        {"HTML error page", LoopbackResponse::Body("<html><body>" + std::string(200, '.') + "</body></html>", 404), true},
        {"truncated", LoopbackResponse::Body(OperatorWorkbookBytes({{LottoSheet(50, 2024)}}).substr(0, 900)), true},
        {"zip bomb", LoopbackResponse::Body(ZipBytes({{"xl/sharedStrings.xml", shared},
                                                      {"xl/worksheets/sheet1.xml", "<x/>", true, 1ll << 30}})), true},
        {"too many rows", LoopbackResponse::Body(OperatorWorkbookBytes({{tooMany}})), false, {1, 4}},
        {"draw far past the file", LoopbackResponse::Body(OperatorWorkbookBytes({{farDraw}})), false, {8}},
        {"value above 255", LoopbackResponse::Body(OperatorWorkbookBytes({{above255}})), false},
        {"empty body", LoopbackResponse::Body(""), false},
        {"hanging server", LoopbackResponse::Hang(), false},
    };
    for (const Case& c : cases) {
        for (int game : c.games) {
            const auto before = snapshot();
            m_server.set(game == 1 ? "/Excel/3100/propo_2024_Sun.xlsx"
                                   : game == 4 ? "/Excel_xlsx/5103/lotto_2024.xlsx" : "/Excel_xlsx/5106/extra5_2024.xlsx",
                         c.answer);
            // Nothing readable left in DATA from an earlier update.
            QDir(QString::fromStdString(m_folder.file("Data"))).removeRecursively();
            QDir().mkpath(QString::fromStdString(m_folder.file("Data")));
            m_ui.notices.clear();
            bool thrown = false;
            UpdateOutcome outcome;
            try {
                outcome = click(game, 8);
            } catch (const KarvoError&) {
                thrown = true;
            }
            EXPECT_TRUE(snapshot() == before) << c.name << " game " << game;
            // The user sees a box (error or warning) or the lasting download notice.
            const bool warned = !m_ui.notices.empty();
            const bool notice = m_ui.status == "Error Downloading" && !outcome.clearNotice;
            EXPECT_TRUE(thrown || warned || notice) << c.name << " game " << game;
            if (c.box && game != 1) {
                EXPECT_TRUE(thrown) << c.name << " game " << game;
            }
        }
    }
}

TEST_F(UpdateEndToEnd, OpenpyxlWorkbookGivesTheArchiveError)
{
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", ReadBytes(TestDataFolder() + "lotto_openpyxl.xlsx"));
    m_ui.StatusNotice("");
    EXPECT_THROW(click(4, 8), KarvoError);
    EXPECT_TRUE(snapshot().empty());
    EXPECT_EQ(m_ui.status, WaitNoticeText());
}

TEST_F(UpdateEndToEnd, LibreOfficeLottoWorkbook)
{
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", ReadBytes(TestDataFolder() + "lotto_libreoffice.xlsx"));
    click(4, 8);
    std::string plain = ReadBytes(m_folder.file("LOTTO.krv"));
    PositionMask(plain);
    const std::size_t base = (2024 - 1990) * 370 * 9;
    // Twenty draws, the newest (28/12/2024, on top) in slot 20.
    EXPECT_EQ(plain.substr(base + 19 * 9, 3), std::string("\x1C\x0C\x4A", 3));
    EXPECT_NE(plain[base + 19 * 9 + 3], '\0');
    EXPECT_EQ(plain[base + 20 * 9], '\0');
}

TEST_F(UpdateEndToEnd, DriverListsAndCancels)
{
    // Cancelled year choice: no update, status bar untouched.
    const UpdateOutcome cancelled = click(4, 0);
    EXPECT_EQ(cancelled.viewGame, 0);
    EXPECT_TRUE(m_ui.statusHistory.empty());
    EXPECT_TRUE(m_server.requests().empty());
    // The fourth item of 2026 is 2020; a failed download keeps its notice.
    click(5, 4);
    EXPECT_EQ(m_state.SelectedYear, 2020);
    EXPECT_EQ(m_ui.status, "Error Downloading");
    EXPECT_EQ(m_server.requests().back(), "/Excel_xlsx/5105/propogoal_2020.xlsx");
    // STOCK and ΑΜΟΙΒΑΙΑ ask nothing of this driver.
    const std::size_t lists = m_ui.listCalls.size();
    EXPECT_EQ(click(11, 1).viewGame, 11);
    EXPECT_EQ(click(13, 1).viewGame, 13);
    EXPECT_EQ(m_ui.listCalls.size(), lists);
}
