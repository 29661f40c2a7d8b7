// Each game's update through the update button's driver and the real download path, against a
// loopback server: exact bytes from a missing and an older file, and hostile answers that change
// no results file.
#include "UpdateFixture.h"
#include "results/DrawViews.h"
#include "results/SlotViews.h"
#include "update/KinoMonth.h"
#include "update/PropoCoupons.h"
#include "update/UpdateDriver.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

const std::string LottoPath = "/Excel_xlsx/5103/lotto_2024.xlsx";
const std::string SundayPath = "/Excel/3100/propo_2024_Sun.xlsx";
const std::string ExtraPath = "/Excel_xlsx/5106/extra5_2024.xlsx";

// PROPO coupons of 2024, newest on top: "1 X 2 1 1 X 2" and "2 2 2 2 1 1 X" (a blank-padded result,
// a Greek Χ), except coupon 45, which had thirteen matches.
SheetRows PropoSheet(int count)
{
    SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ ΠΡΟΠΟ 2024"}, {"Κουπόνι", "Έτος", "Ημερομηνία"}};
    for (int k = count; k >= 1; --k) {
        rows.push_back({std::to_string(k), "2024", std::to_string(k % 28 + 1) + "/1/2024", "1", "X", "2", "1", "1", "X",
                        "2", "2", "2", "2", "2", " 1 ", "1", k == 45 ? "-" : "Χ"});
    }
    return rows;
}

// V[i] of a PROPO file's bytes.
int PropoValue(const std::string& bytes, std::int64_t i)
{
    return static_cast<unsigned char>(bytes.at(7 + 2 * i)) | static_cast<unsigned char>(bytes.at(8 + 2 * i)) << 8;
}

} // namespace

TEST_F(UpdateEndToEnd, NumberGamesFromMissingRepeatedAndOlderFile)
{
    // LOTTO's 104 rows fill slots 1 to 104 bottom row first, in a new file of (2026 - 1989) years;
    // its second sheet is empty. JOKER 40 3 22 17 9 + 14 is stored 3 9 17 22 40 14; EXTRA's draw 3
    // takes slot 3.
    std::string lotto;
    for (int d = 1; d <= 104; ++d) {
        lotto += std::string{char(d % 28 + 1), char(d % 12 + 1), 74, char(d % 40 + 1), 41, 42, 43, 44, 45};
    }
    const auto book = [](SheetRows::value_type row) { return OperatorWorkbookBytes({{{"", "Ημ/νία"}, row}}); };
    struct Case
    {
        GameCode game;
        int item;
        std::string path, workbook, file;
        std::size_t length, offset;
        std::string record;
    };
    const std::vector<Case> cases{
        {GameCode::Lotto, 8, LottoPath, OperatorWorkbookBytes({LottoSheet(104), {}}), "LOTTO.krv", (2026 - 1989) * 3330,
         (2024 - 1990) * 3330, lotto},
        {GameCode::Joker, 9, "/Excel_xlsx/5104/Joker_2025.xlsx",
         book({"2800", "02/1/2025", "40", "3", "22", "17", "9", "14"}), "JOKER.krv", (2026 - 1996) * 3330,
         (2025 - 1997) * 3330, "\x02\x01\x4B\x03\x09\x11\x16\x28\x0E"},
        {GameCode::Proto, 9, "/Excel_xlsx/2101/proto_2025.xlsx",
         book({"12", "07/3/2025", "0", "4", "4", "1", "9", "0", "7"}), "Proto.krv", (2026 - 1991) * 2000,
         (2025 - 1992) * 2000, std::string("\x07\x03\x4B\x00\x04\x04\x01\x09\x00\x07", 10)},
        {GameCode::Extra, 9, "/Excel_xlsx/5106/extra5_2025.xlsx",
         book({"3", "03/2/2025", "x", "30", "10", "20", "5", "1"}), "Extra.krv", 24, 16,
         "\x03\x02\x4B\x01\x05\x0A\x14\x1E"},
    };
    for (const Case& c : cases) {
        serve(c.path, c.workbook);
        std::string expected(c.length, '\0');
        expected.replace(c.offset, c.record.size(), c.record);
        // From a missing file, the same again, then from an older file of other draws that reaches
        // a little beyond the new ones: only their slots change, and EXTRA's file does not shrink.
        for (const std::string round : {"missing", "repeated", "older"}) {
            if (round == "older") {
                const std::string older(c.offset + c.record.size() + 40, '\x01');
                WriteBytes(m_folder.file(c.file), Masked(older));
                expected = older.substr(0, c.offset) + c.record + older.substr(c.offset + c.record.size());
                expected.resize(std::max(c.length, older.size()), '\0');
            }
            EXPECT_EQ(click(c.game, {c.item}).viewGame, c.game);
            EXPECT_EQ(file(c.file), Masked(expected)) << c.file << " " << round;
            if (c.game == GameCode::Lotto && round == "missing") {
                // Item 8 of the years offered is 2024; the view shows the new last draw.
                EXPECT_EQ(m_state.SelectedYear, 2024);
                const DrawView view = BuildLottoView(m_folder.path(), GameCode::Lotto, 2015);
                EXPECT_NE(view.grid.cell(0, view.grid.currentRow()).find("21-09-2024"), std::string::npos);
            }
        }
    }
}

TEST_F(UpdateEndToEnd, PropoWorkbookAndPageAreStoredInTheSameUpdate)
{
    // A missing file grows in 3000-value steps until it holds the 2024 block.
    serve(SundayPath, OperatorWorkbookBytes({PropoSheet(52)}));
    click(GameCode::PropoSunday, {8});
    const std::string bytes = file("Propok.krv");
    ASSERT_EQ(bytes.size(), 18008u);
    EXPECT_EQ(bytes.back(), '\x1A');
    const std::int64_t first = PropoCouponWord(2024, 1);
    for (std::int64_t i = 0; i < 9000; ++i) {
        const bool coupon = i >= first && i < first + 104;
        const int second = (i - first == 2 * 44 + 1 ? 0x3000 : 0) | 0x05AA;
        ASSERT_EQ(PropoValue(bytes, i), !coupon ? 0x3FFF : (i - first) % 2 == 0 ? 8545 : second) << "value " << i;
    }
    click(GameCode::PropoSunday, {8});
    EXPECT_EQ(file("Propok.krv"), bytes);

    // Saturday's pools as a modern page with LF line ends, coupons of January 2025 for 2024.
    std::string page = "\xEF\xBB\xBF<!DOCTYPE html>\n<html><head><style>td{color:red}</style></head><body><table>\n";
    for (const char* coupon : {"12/1/2025 1 X 2 1 1 X 2 2 2 2 2 1 1 1", "05/1/2025 2 2 2 2 2 2 2 X 1 1 1 1 1 1"}) {
        page += "<tr>\n<td>" + QString::fromLatin1(coupon).replace(" ", "</td>\n<td>").toStdString() + "</td>\n</tr>\n";
    }
    serve("/Excel/3102/propo_2024_Sat.xlsx", page + "</table></body></html>\n");
    click(GameCode::PropoSaturday, {8});
    const std::string saturday = file("Propos.krv");
    std::vector<int> values;
    for (std::int64_t i = first; i < first + 5; values.push_back(PropoValue(saturday, i++))) { }
    EXPECT_EQ(values, (std::vector<int>{0x2AAA, 5460, 8545, 5546, 0x3FFF}));
}

TEST_F(UpdateEndToEnd, HostileAnswersChangeNoResultsFile)
{
    // Earlier histories, so that any write would show.
    serve(LottoPath, OperatorWorkbookBytes({LottoSheet(10)}));
    click(GameCode::Lotto, {8});
    serve(SundayPath, OperatorWorkbookBytes({PropoSheet(5)}));
    click(GameCode::PropoSunday, {8});
    WriteBytes(m_folder.file("Extra.krv"), std::string(800, '\x11'));
    SheetRows above255 = LottoSheet(3);
    above255[5][4] = "300";
    const ZipEntry shared{"xl/sharedStrings.xml", SharedStringsXml({})};
    const std::string sheet = "xl/worksheets/sheet";
    // Every file of the working folder with its bytes.
    const auto snapshot = [this] {
        std::string all;
        for (const QString& name : QDir(QString::fromStdString(m_folder.path())).entryList(QDir::Files)) {
            all += name.toStdString() + ":" + file(name.toStdString()) + "|";
        }
        return all;
    };
    using R = LoopbackResponse;
    // 64 KiB stand for the 64 MiB a workbook may have.
    m_limits.maxBodyBytes = 1 << 16;
    R endless = R::Body(std::string(4096, 'x'));
    endless.endless = true;
    // problem: the message box a workbook game must show; "" where a warning or notice suffices.
    struct Case
    {
        const char* name;
        R answer;
        std::string problem;
    };
    const std::vector<Case> cases{
        // An error answer is never kept nor read: the failed download's notice.
        {"HTML error page", R::Body("<html><body>" + std::string(200, '.') + "</html>", 404), ""},
        {"HTML page", R::Body("<html><body>" + std::string(200, '.') + "</html>"), "δεν είναι βιβλίο εργασίας"},
        {"truncated", R::Body(OperatorWorkbookBytes({LottoSheet(50)}).substr(0, 900)), "δεν είναι βιβλίο εργασίας"},
        {"zip bomb", R::Body(ZipBytes({shared, {sheet + "1.xml", "<x/>", true, 1ll << 30}})), "περισσότερα από 256 MB"},
        {"sheet1 and sheet3 without sheet2",
         R::Body(ZipBytes({shared, {sheet + "1.xml", SheetXml("")}, {sheet + "3.xml", SheetXml("")}})),
         "xl/worksheets/sheet2.xml"},
        {"openpyxl", R::Body(ReadBytes(TestDataFolder() + "lotto_openpyxl.xlsx")), "xl/sharedStrings.xml"},
        {"value above 255", R::Body(OperatorWorkbookBytes({above255})), ""},
        {"empty body", R::Body(""), ""},
        {"endless body", endless, "ξεπερνά τα 65.536 bytes που δέχεται το πρόγραμμα. Δεν κρατήθηκε τίποτα: http"},
        {"hanging server", {"", 200, "", true, -1}, "Η λήψη σταμάτησε, γιατί"},
    };
    for (const Case& c : cases) {
        for (GameCode game : {GameCode::PropoSunday, GameCode::Lotto, GameCode::Extra}) {
            const std::string before = snapshot();
            m_server.set(game == GameCode::PropoSunday ? SundayPath
                             : game == GameCode::Lotto ? LottoPath
                                                       : ExtraPath,
                         c.answer);
            emptyData();
            m_ui.notices.clear();
            Clicked outcome{};
            const bool failed =
                Fails([&] { outcome = click(game, {8}); }, game == GameCode::PropoSunday ? "" : c.problem);
            EXPECT_EQ(snapshot(), before) << c.name << " game " << ToInt(game);
            // The box naming the problem; where none is named, and for PROPO, a warning or the notice.
            const bool notice = m_ui.status == "Error Downloading" && !outcome.clearNotice;
            EXPECT_TRUE(failed
                        || ((game == GameCode::PropoSunday || c.problem.empty()) && (!m_ui.notices.empty() || notice)))
                << c.name << " game " << ToInt(game);
        }
    }
}

TEST_F(UpdateEndToEnd, AnswersThatCannotBeWrittenNameTheFolder)
{
    // A body larger than the files this process may write: its scratch file in the temporary folder.
    const std::string cannot = "Η λήψη ολοκληρώθηκε, αλλά δεν ήταν δυνατή η εγγραφή στον φάκελο ";
    const std::string workbook = OperatorWorkbookBytes({LottoSheet(10)});
    serve(LottoPath, workbook);
    std::string shown;
    WithFileSizeLimit(workbook.size() / 2, [&] { shown = ErrorOf([&] { click(GameCode::Lotto, {8}); }); });
    EXPECT_EQ(shown, cannot + m_temp.path().substr(0, m_temp.path().size() - 1) + ": File too large");
    EXPECT_EQ(scratchCount(), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.file("Data/lotto_2024.xlsx"))));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.file("LOTTO.krv"))));

    // A kept copy that cannot be written over replaces it all the same; a data folder that cannot
    // hold it is named.
    WriteBytes(m_folder.file("Data/lotto_2024.xlsx"), "old");
    ASSERT_EQ(chmod(m_folder.file("Data/lotto_2024.xlsx").c_str(), 0444), 0);
    click(GameCode::Lotto, {8});
    EXPECT_EQ(file("Data/lotto_2024.xlsx"), workbook);
    QDir(QString::fromStdString(m_folder.file("Data"))).removeRecursively();
    WriteBytes(m_folder.file("Data"), "x");
    EXPECT_NE(ErrorOf([&] { click(GameCode::Lotto, {8}); }).find(": Not a directory"), std::string::npos);
    EXPECT_EQ(file("Data"), "x");
    EXPECT_EQ(scratchCount(), 0);
}

TEST_F(UpdateEndToEnd, DriverListsCancelsKinoMonthsAndSuper3)
{
    // Cancelled year choice: no update, status bar untouched.
    EXPECT_FALSE(click(GameCode::Lotto, {0}).viewGame.has_value());
    EXPECT_TRUE(m_ui.statusHistory.empty());
    // The fourth item of 2026 is 2020; a failed download keeps its notice. PROPO's Wednesday pools.
    click(GameCode::Goal, {4});
    EXPECT_EQ(m_state.SelectedYear, 2020);
    EXPECT_EQ(m_ui.status, "Error Downloading");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.file("Data/propogoal_2020.xlsx")))); // the error answer
    click(GameCode::PropoWednesday, {3});
    // STOCK and ΑΜΟΙΒΑΙΑ ask nothing of this driver: the window runs the market update itself.
    const std::size_t lists = m_ui.listCalls.size();
    EXPECT_FALSE(click(GameCode::Stock, {1}).viewGame.has_value());
    EXPECT_FALSE(click(GameCode::Funds, {1}).viewGame.has_value());
    EXPECT_EQ(m_ui.listCalls.size(), lists);

    // KINO's January 2025 is item 2 + 21 * 12 + 1 of the period list, from a LibreOffice workbook.
    const std::string kino = ReadBytes(TestDataFolder() + "kino_libreoffice.xlsx");
    serve("/Excel_xlsx/1100/2025/kino_2025_01.xlsx", kino);
    EXPECT_EQ(click(GameCode::Kino, {255}).viewGame, GameCode::Kino);
    EXPECT_EQ(m_state.KinoPeriodFile + " " + std::to_string(m_state.SelectedYear), "Data/kino_2025_01.qav 2025");
    const std::string month = file("Data/kino_2025_01.qav");
    ASSERT_EQ(month.size(), 31u * 23);
    EXPECT_EQ(KinoFirstDraw(month), 1100000);
    // Day 2, 09:00 (0.375) for the bottom row; the top row is 29 draws of five minutes later.
    EXPECT_EQ(month.substr(23 + 20, 3) + month.substr(30 * 23 + 20, 3), std::string("\x02\x09\x00\x02\x0B\x19", 6));
    // A past month kept on disk is not fetched again; the current month always is.
    click(GameCode::Kino, {255});
    serve("/Excel_xlsx/1100/2026/kino_2026_03.xlsx", kino);
    click(GameCode::Kino, {2 + 22 * 12 + 3});
    click(GameCode::Kino, {2 + 22 * 12 + 3});

    // SUPER3's month workbook is opened; a kept copy of 999 bytes or more is opened without a
    // fetch; before 2023 there are no monthly workbooks: the notice only.
    const std::string workbook = OperatorWorkbookBytes({{{"Κλήρωση"}, {"1", "01/3/2024", "1", "2", "3"}}});
    serve("/Excel_xlsx/2100/2024/super3_2024_03.xlsx", workbook + std::string(1000, ' '));
    EXPECT_EQ(click(GameCode::Super3, {8, 3}).viewGame, GameCode::Super3);
    click(GameCode::Super3, {8, 3});
    m_ui.statusHistory.clear();
    click(GameCode::Super3, {2});
    EXPECT_EQ(m_ui.opened, std::vector<std::string>(2, m_folder.file("Data/super3_2024_03.xlsx")));
    EXPECT_EQ(m_ui.statusHistory, (std::vector<std::string>{WaitNoticeText(), ""}));
    const std::string march = "/Excel_xlsx/1100/2026/kino_2026_03.xlsx";
    EXPECT_EQ(m_server.requests(),
              (std::vector<std::string>{"/Excel_xlsx/5105/propogoal_2020.xlsx", "/Excel/3101/propo_2019_Wed.xlsx",
                                        "/Excel_xlsx/1100/2025/kino_2025_01.xlsx", march, march,
                                        "/Excel_xlsx/2100/2024/super3_2024_03.xlsx"}));
}
