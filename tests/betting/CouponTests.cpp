// The coupon: payout and chances from the odds, adding a match through its box, the store kept between views, the
// pasted-text import, bet files and the caption sort.
#include "betting/BetCommands.h"
#include "betting/BetFile.h"
#include "betting/Coupon.h"
#include "betting/CouponImport.h"
#include "betting/CouponSort.h"
#include "support/TestSupport.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"

#include <gtest/gtest.h>

using namespace karvo;
using karvo::test::ReadBytes;
using karvo::test::U;
using karvo::test::W;
using karvo::test::WriteBytes;

namespace {

// The cells of one coupon row, columns from..to, joined by "|".
std::string rowText(const CellGrid& coupon, int row, int from = 0, int to = 10)
{
    std::string out;
    for (int c = from; c <= to; ++c) {
        out += (c > from ? "|" : "") + coupon.cell(c, row);
    }
    return out;
}

CellGrid couponWithOdds(const std::vector<std::array<const char*, 3>>& odds)
{
    CellGrid coupon = NewCoupon(static_cast<int>(odds.size()) + 1);
    for (std::size_t i = 0; i < odds.size(); ++i) {
        for (int k = 0; k < 3; ++k) {
            coupon.setCell(Odd1Column + k, static_cast<int>(i) + 1, odds[i][static_cast<std::size_t>(k)]);
        }
    }
    RecalcCoupon(coupon);
    return coupon;
}

// A line as the betting page gives it when copied: code, odds and teams, then other markets.
std::string pageLine(const char* code, const char* home, const char* away, int commas = 9)
{
    std::string line = W("Σαβ 17:00 ") + code + " 1,85 " + W(home) + " 3,40 " + W(away) + " 4,20";
    for (int extra = 3; extra < commas; ++extra) {
        line += " 1," + std::to_string(extra);
    }
    return line;
}

} // namespace

TEST(Coupon, PayoutAndChancesOfWorkedExamples)
{
    struct Case
    {
        const char* odd1;
        const char* oddX;
        const char* odd2;
        const char* expected;
    };
    const Case cases[] = {
        {"1,85", "3,40", "4,20", " 93,22| 50| 27| 22"},
        {" 1,85", " 3.40", "4.20", " 93,22| 50| 27| 22"}, // comma, point and a leading blank alike
        {"2.00", "2.00", "", " 100,0| 50| 50|"},          // an empty odd is skipped
        {"2.00", "0", "2.00", " 100,0| 50|| 50"},         // so is an odd of 0
        {"", "", "", "|||"},
    };
    for (const Case& c : cases) {
        const CellGrid coupon = couponWithOdds({{c.odd1, c.oddX, c.odd2}});
        EXPECT_EQ(rowText(coupon, 1, PayoutColumn, Chance2Column), c.expected) << c.odd1 << " " << c.oddX;
    }
    EXPECT_EQ(PayoutText(93.2241) + "]" + PayoutText(95.5) + "]" + PayoutText(100), " 93,22] 95,50] 100,0");
}

TEST(Coupon, StoreKeepsEveryRowAndAFreshStoreGivesFortyRows)
{
    EXPECT_EQ(RestoreCoupon(CellGrid()).rowCount(), 40);
    CellGrid coupon = NewCoupon(1500);
    coupon.setColumnCount(12);
    coupon.setCell(SystemColumn, 1, "1X2");
    coupon.setCell(HomeColumn, 1499, "last");
    CellGrid store;
    StoreCoupon(coupon, store);
    EXPECT_EQ(store.cell(0, 0) + "/" + std::to_string(store.columnCount()), "1500/11"); // only its columns
    const CellGrid back = RestoreCoupon(store);
    EXPECT_EQ(back.rowCount(), 1500);
    EXPECT_EQ(back.cell(SystemColumn, 1) + back.cell(HomeColumn, 1499), "1X2last");
    EXPECT_EQ(back.cell(CodeColumn, 0), W(" ΚΩΔ "));
}

TEST(Coupon, AddMatchFillsAFreeRowThenGrows)
{
    CellGrid coupon = couponWithOdds({{"2", "", "2"}, {"", "", ""}});
    test::ScriptedUserInterface ui;
    ui.memoAnswers = {{W("Άρης"), "", "2", "2", ""}, {W("Βόλος"), "", "", "", ""}};
    ProgramState state;
    CellTable table;
    BetContext context{state, coupon, ui, "/nonexistent/", table, 999, false, ""};
    const BetOutcome outcomes[] = {BetOutcome::CouponChanged, BetOutcome::CouponChanged, BetOutcome::Nothing};
    for (BetOutcome outcome : outcomes) { // the last box is cancelled
        EXPECT_EQ(RunBetCommand(Command::AddMatch, context), outcome);
    }
    // Row 2 had no payout: the first match takes it; then every row is taken and one more comes.
    EXPECT_EQ(U(coupon.cell(HomeColumn, 2) + "|" + coupon.cell(PayoutColumn, 2) + "|" + coupon.cell(HomeColumn, 3)),
              "Άρης| 100,0|Βόλος");
    EXPECT_EQ(std::to_string(coupon.rowCount()) + "/" + std::to_string(coupon.currentRow()), "4/3");
}

TEST(CouponImport, LinesAreCutAtEveryLineEnd)
{
    EXPECT_EQ(PastedLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(PastedLines("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(PastedLines("").empty());
}

TEST(CouponImport, MatchLinesAreCutIntoCodeTeamsAndOdds)
{
    CouponLine m;
    EXPECT_FALSE(CutCouponLine(pageLine("101", "A", "B", 8), m));
    ASSERT_TRUE(CutCouponLine(pageLine("101", "Άρης Θεσσαλονίκης", "Real Madrid CF"), m));
    EXPECT_EQ(U(m.code + "|" + m.home + "|" + m.away + "|" + m.odd1 + "|" + m.oddX + "|" + m.odd2),
              " 101| Άρης Θεσσαλονίκης| Real Madrid CF| 1,85| 3,40| 4,20");
    // Without blanks the positions are missing: shortened or empty cells, no fault.
    ASSERT_TRUE(CutCouponLine(",,,,,,,,,", m));
    EXPECT_EQ(m.code + "|" + m.home, " | ");
}

TEST(CouponImport, ReplaceAndAppendKeepTheSystemColumn)
{
    CellGrid coupon = NewCoupon(40);
    coupon.setCell(SystemColumn, 1, "1X");
    const std::string text = pageLine("101", "Ολυμπιακός", "ΠΑΟΚ") + "\r\nheader, only\n" + pageLine("102", "A", "B");
    EXPECT_EQ(PasteCoupon(coupon, text, 0), 2);
    EXPECT_EQ(coupon.rowCount(), 3);
    EXPECT_EQ(U(rowText(coupon, 1)), " 101| Ολυμπιακός| ΠΑΟΚ| 1,85| 3,40| 4,20|||||1X");
    EXPECT_EQ(PasteCoupon(coupon, pageLine("103", "C", "D"), coupon.rowCount() - 1), 1);
    EXPECT_EQ(coupon.rowCount(), 4);
    EXPECT_EQ(coupon.cell(CodeColumn, 3) + coupon.cell(CodeColumn, 2), " 103 102");
    EXPECT_EQ(PasteCoupon(coupon, "nothing here", 0), 0);
    EXPECT_EQ(coupon.rowCount(), 1);
}

TEST(BetFile, ShortEmptyAndForeignFiles)
{
    CellGrid coupon = NewCoupon(40);
    ASSERT_EQ(ReadBetFile("a\r\nb\r\nc\r\n" + std::string(11, '\n') + "x\r\ny", coupon), BetFileStatus::Read);
    EXPECT_EQ(coupon.rowCount(), 3);
    EXPECT_EQ(rowText(coupon, 2), std::string("|||") + "x|y||||||");
    EXPECT_EQ(coupon.cell(HomeColumn, 0), W("  ΓΗΠΕΔΟΥΧΟΣ"));
    const CellGrid before = coupon;
    EXPECT_EQ(ReadBetFile("", coupon), BetFileStatus::Empty);
    EXPECT_EQ(ReadBetFile(std::string(201, 'a'), coupon), BetFileStatus::NotABetFile);
    EXPECT_EQ(ReadBetFile(std::string(11001, '\n'), coupon), BetFileStatus::NotABetFile);
    EXPECT_EQ(ReadBetFile(std::string("a\0b", 3), coupon), BetFileStatus::NotABetFile);
    EXPECT_EQ(BetFileText(coupon), BetFileText(before));
    EXPECT_EQ(ReadBetFile(std::string(11000, '\n'), coupon), BetFileStatus::Read); // 1000 empty rows
    EXPECT_EQ(coupon.rowCount(), 1001);
}

TEST(BetFile, CommandWarnsAndKeepsTheCouponOrReportsAFailedSave)
{
    test::TempFolder folder;
    WriteBytes(folder.file("empty.bet"), "");
    WriteBytes(folder.file("picture.bet"), std::string(300, 'x'));
    WriteBytes(folder.file("file"), "");
    CellGrid coupon = couponWithOdds({{"2", "3", "4"}});
    const std::string before = BetFileText(coupon);
    test::ScriptedUserInterface ui;
    ProgramState state;
    CellTable table;
    BetContext context{state, coupon, ui, folder.path(), table, 999, false, ""};
    ui.fileAnswers = {folder.file("empty.bet"), folder.file("picture.bet"), folder.file("missing.bet")};
    for (int run = 0; run < 4; ++run) { // the last run is cancelled
        EXPECT_EQ(RunBetCommand(Command::OpenBetFile, context), BetOutcome::Nothing);
    }
    EXPECT_EQ(BetFileText(coupon), before);
    ASSERT_EQ(ui.notices.size(), 3u);
    EXPECT_EQ(ui.notices[0].kind, NoticeKind::Warning);
    // A file that cannot be read is a failure below the program's code; the coupon stays.
    ui.fileAnswers = {folder.path()};
    EXPECT_THROW(RunBetCommand(Command::OpenBetFile, context), KarvoError);
    EXPECT_EQ(BetFileText(coupon), before);
    ui.fileAnswers = {folder.file("file/under/a/file.bet")};
    EXPECT_THROW(RunBetCommand(Command::SaveBetFile, context), KarvoError);
}

TEST(CouponSort, PayoutTwiceThenHomeTeam)
{
    CellGrid coupon = couponWithOdds({{"2", "2", ""}, {"1,85", "3,40", "4,20"}, {"", "", ""}, {"3", "3", "4"}});
    coupon.setCell(HomeColumn, 1, W("Ξάνθη"));
    coupon.setCell(HomeColumn, 2, W("άρης"));
    coupon.setCell(HomeColumn, 3, "no odds");
    coupon.setCell(HomeColumn, 4, W("Βόλος"));
    coupon.setCell(SystemColumn, 2, "1X");
    coupon.setCell(SystemColumn, 3, "kept");
    std::array<int, 100> directions{};
    const auto homes = [&coupon] {
        std::string out;
        for (int r = 1; r < coupon.rowCount(); ++r) {
            out += U(coupon.cell(HomeColumn, r) + coupon.cell(SystemColumn, r)) + ";";
        }
        return out;
    };
    SortCoupon(coupon, PayoutColumn, directions); // first click: descending
    EXPECT_EQ(homes(), "Βόλος;Ξάνθη;άρης1X;no oddskept;");
    SortCoupon(coupon, PayoutColumn, directions);
    EXPECT_EQ(homes(), "άρης1X;Ξάνθη;Βόλος;no oddskept;");
    EXPECT_EQ(directions[PayoutColumn], 0);
    SortCoupon(coupon, HomeColumn, directions);
    EXPECT_EQ(homes(), "Ξάνθη;Βόλος;άρης1X;no oddskept;");
    SortCoupon(coupon, HomeColumn, directions);
    EXPECT_EQ(homes(), "άρης1X;Βόλος;Ξάνθη;no oddskept;");
    EXPECT_EQ(coupon.rowCount(), 5);
    EXPECT_EQ(coupon.cell(PayoutColumn, 1), " 93,22"); // whole rows travel
}
