// The coupon: payout and chances from the odds, adding a match through its box, the store kept between views, the
// pasted-text import, bet files and the caption sort.
#include "betting/BetCommands.h"
#include "betting/BetFile.h"
#include "betting/Coupon.h"
#include "betting/CouponImport.h"
#include "betting/CouponSort.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"

#include <QFile>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace karvo;
using namespace karvo::test;

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

// A bet command's world: scripted answers, the program state and the calculator's handover table.
struct BetRun
{
    test::ScriptedUserInterface ui;
    ProgramState state;
    CellTable table;
    BetOutcome run(Command command, CellGrid& coupon, const std::string& folder = "/nonexistent/", std::time_t now = 0)
    {
        BetContext context{state, coupon, ui, folder, table, 999, false, "", now};
        return RunBetCommand(command, context);
    }
};

} // namespace

TEST(Coupon, PayoutAndChancesOfWorkedExamples)
{
    // clang-format off
    struct Case { const char* odd1; const char* oddX; const char* odd2; const char* expected; };
    // clang-format on
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
    EXPECT_EQ(PayoutText(95.5), " 95,50");
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
}

TEST(Coupon, AddMatchFillsAFreeRowThenGrows)
{
    CellGrid coupon = couponWithOdds({{"2", "", "2"}, {"", "", ""}});
    BetRun bet;
    bet.ui.memoAnswers = {{W("Άρης"), "", "2", "2", ""}, {W("Βόλος"), "", "", "", ""}};
    const BetOutcome outcomes[] = {BetOutcome::CouponChanged, BetOutcome::CouponChanged, BetOutcome::Nothing};
    for (BetOutcome outcome : outcomes) { // the last box is cancelled
        EXPECT_EQ(bet.run(Command::AddMatch, coupon), outcome);
    }
    // Row 2 had no payout: the first match takes it; then every row is taken and one more comes.
    EXPECT_EQ(U(coupon.cell(HomeColumn, 2) + "|" + coupon.cell(PayoutColumn, 2) + "|" + coupon.cell(HomeColumn, 3)),
              "Άρης| 100,0|Βόλος");
    EXPECT_EQ(std::to_string(coupon.rowCount()) + "/" + std::to_string(coupon.currentRow()), "4/3");
}

TEST(CouponImport, TextIsCutAtEveryLineEndAndMatchLinesIntoCodeTeamsAndOdds)
{
    EXPECT_EQ(PastedLines("a\r\nb\nc\rd\n\ne\r\n"), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    EXPECT_TRUE(PastedLines("").empty());
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
    EXPECT_EQ(U(rowText(coupon, 1)), " 101| Ολυμπιακός| ΠΑΟΚ| 1,85| 3,40| 4,20|||||1X");
    EXPECT_EQ(PasteCoupon(coupon, pageLine("103", "C", "D"), coupon.rowCount() - 1), 1);
    EXPECT_EQ(std::to_string(coupon.rowCount()) + coupon.cell(CodeColumn, 3) + coupon.cell(CodeColumn, 2), "4 103 102");
    EXPECT_EQ(PasteCoupon(coupon, "nothing here", 0), 0);
    EXPECT_EQ(coupon.rowCount(), 1);
}

TEST(BetFile, ShortEmptyAndForeignFiles)
{
    CellGrid coupon = NewCoupon(40);
    ASSERT_EQ(ReadBetFile("a\r\nb\r\nc\r\n" + std::string(11, '\n') + "x\r\ny", coupon), BetFileStatus::Read);
    EXPECT_EQ(std::to_string(coupon.rowCount()) + rowText(coupon, 2), "3|||x|y||||||");
    const CellGrid before = coupon;
    EXPECT_EQ(ReadBetFile("", coupon), BetFileStatus::Empty);
    // Just past each limit; the coupon stays as it was.
    const std::string refused[] = {
        std::string(kBetFileMaxLine + 1, 'a'),
        std::string(kBetFileMaxLines + 1, '\n'),
        std::string(kBetFileMaxLines, '\r') + "last line",
        std::string("a\0b", 3),
        std::string(static_cast<std::size_t>(kBetFileMaxBytes) + 1, '\n'),
    };
    for (const std::string& bytes : refused) {
        EXPECT_EQ(ReadBetFile(bytes, coupon), BetFileStatus::NotABetFile) << bytes.size();
    }
    EXPECT_EQ(BetFileText(coupon), BetFileText(before));
    // At the limits: CR LF is one line end.
    EXPECT_EQ(ReadBetFile(std::string(kBetFileMaxLine, 'a'), coupon), BetFileStatus::Read);
    std::string fullest;
    for (std::size_t i = 0; i < kBetFileMaxLines; ++i) {
        fullest += "\r\n";
    }
    EXPECT_EQ(ReadBetFile(fullest, coupon), BetFileStatus::Read);
    EXPECT_EQ(coupon.rowCount(), static_cast<int>(kBetFileMaxRows) + 1);
}

TEST(BetFile, SaveWritesOnlyWhatOpensAgain)
{
    test::TempFolder folder;
    const std::string name = folder.file("coupon.bet");
    const std::string earlier = "earlier\r\n";
    // How each coupon is made from 1,500 rows of one match, and whether it saves.
    struct Case
    {
        const char* what;
        std::function<void(CellGrid&)> change;
        bool saves;
        const char* reason;
    };
    const Case cases[] = {
        {"appended imports", [](CellGrid&) {}, true, ""},
        {"longest cell", [](CellGrid& c) { c.setCell(SystemColumn, 7, std::string(kBetFileMaxLine, '1')); }, true, ""},
        {"long cell", [](CellGrid& c) { c.setCell(HomeColumn, 1500, std::string(kBetFileMaxLine + 1, 'x')); }, false,
         "4096 χαρακτήρες"},
        {"NUL", [](CellGrid& c) { c.setCell(HomeColumn, 3, std::string("a\0b", 3)); }, false, "μη έγκυρο"},
        {"rows", [](CellGrid& c) { c.setRowCount(static_cast<int>(kBetFileMaxRows) + 2); }, false, "100000 αγώνες"},
        {"bytes",
         [](CellGrid& c) {
             c.setRowCount(17000);
             for (int r = 1; r < 17000; ++r) {
                 c.setCell(HomeColumn, r, std::string(4000, 'h'));
             }
         },
         false, "64 MB"},
    };
    for (const Case& c : cases) {
        WriteBytes(name, earlier);
        CellGrid coupon = couponWithOdds(std::vector<std::array<const char*, 3>>(1500, {"2", "3", "4"}));
        c.change(coupon);
        const int rows = coupon.rowCount();
        const std::string expected = c.saves ? BetFileText(coupon) : std::string();
        BetRun bet;
        test::ScriptedUserInterface& ui = bet.ui;
        ui.fileAnswers = {name};
        bet.run(Command::SaveBetFile, coupon, folder.path());
        EXPECT_EQ(coupon.rowCount(), rows) << c.what;
        if (!c.saves) { // refused before a name is asked: the file and the coupon stay
            EXPECT_EQ(ReadBytes(name), earlier) << c.what;
            EXPECT_EQ(ui.fileAnswers.size(), 1u) << c.what;
            ASSERT_EQ(ui.notices.size(), 1u) << c.what;
            EXPECT_EQ(U(ui.notices[0].text).rfind("Το κουπόνι δεν αποθηκεύτηκε: ", 0), 0u) << U(ui.notices[0].text);
            EXPECT_NE(U(ui.notices[0].text).find(c.reason), std::string::npos) << U(ui.notices[0].text);
            continue;
        }
        const std::string bytes = ReadBytes(name);
        EXPECT_EQ(bytes, expected) << c.what;
        CellGrid opened = NewCoupon(40);
        ui.fileAnswers = {name};
        EXPECT_EQ(bet.run(Command::OpenBetFile, opened, folder.path()), BetOutcome::CouponChanged) << c.what;
        EXPECT_EQ(BetFileText(opened), bytes) << c.what;
    }
}

TEST(BetFile, CommandWarnsAndKeepsTheCouponOrReportsAFailedSave)
{
    test::TempFolder folder;
    WriteBytes(folder.file("empty.bet"), "");
    WriteBytes(folder.file("picture.bet"), std::string(kBetFileMaxLine + 1, 'x'));
    WriteBytes(folder.file("file"), "");
    // A large file chosen by mistake: refused from its size, without reading it.
    const std::string huge = folder.file("huge.bet");
    WriteBytes(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), 2LL << 30), 0);
    CellGrid coupon = couponWithOdds({{"2", "3", "4"}});
    const std::string before = BetFileText(coupon);
    BetRun bet;
    test::ScriptedUserInterface& ui = bet.ui;
    ui.fileAnswers = {folder.file("empty.bet"), folder.file("picture.bet"), folder.file("missing.bet"), huge};
    // Every byte the runs read, counted: the 2 GB file must be refused before any of it is read.
    long long bytesRead = 0;
    SetFileReadFunction([&bytesRead](int fd, void* buffer, std::size_t count) {
        const long got = ::read(fd, buffer, count);
        bytesRead += got > 0 ? got : 0;
        return got;
    });
    for (int run = 0; run < 5; ++run) { // the last run is cancelled
        EXPECT_EQ(bet.run(Command::OpenBetFile, coupon, folder.path()), BetOutcome::Nothing);
    }
    SetFileReadFunction({});
    EXPECT_LT(bytesRead, 1 << 20);
    EXPECT_EQ(BetFileText(coupon), before);
    ASSERT_EQ(ui.notices.size(), 4u);
    EXPECT_EQ(U(ui.notices[3].text), "Το αρχείο δεν είναι αρχείο κουπονιού: " + huge);
    // A file that cannot be read is a failure below the program's code; the coupon stays.
    ui.fileAnswers = {folder.path()};
    EXPECT_THROW(bet.run(Command::OpenBetFile, coupon, folder.path()), KarvoError);
    EXPECT_EQ(BetFileText(coupon), before);
    ui.fileAnswers = {folder.file("file/under/a/file.bet")};
    EXPECT_THROW(bet.run(Command::SaveBetFile, coupon, folder.path()), KarvoError);
}

TEST(BetFile, SaveBeyondTheFileSizeLimitFailsAndKeepsTheEarlierFile)
{
    test::TempFolder folder;
    const std::string name = folder.file("coupon.bet");
    const std::string earlier = BetFileText(couponWithOdds({{"2", "3", "4"}}));
    WriteBytes(name, earlier);
    CellGrid coupon = couponWithOdds(std::vector<std::array<const char*, 3>>(200, {"2", "3", "4"}));
    // In a child that starts with the signal's default action, as the program does, then sets it
    // up as the program's start does: a killed child would say the write ended the program.
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        IgnoreFileSizeSignal();
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        BetRun bet;
        bet.ui.fileAnswers = {name};
        const std::string message = test::ErrorOf([&] { bet.run(Command::SaveBetFile, coupon, folder.path()); });
        ::_exit(message == "Δεν ήταν δυνατή η εγγραφή του αρχείου " + name + ": " + std::strerror(EFBIG) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_FALSE(WIFSIGNALED(status)) << WTERMSIG(status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(name), earlier);
    EXPECT_EQ(ListFiles(folder.path() + "*", ListKinds::Both), std::vector<std::string>{"coupon.bet"});
}

TEST(BetFile, OpeningAndSavingSweepOldScratchFilesBesideIt)
{
    test::TempFolder folder;
    const std::time_t now = 2'000'000'000;
    const std::string name = folder.file("coupon.bet");
    const std::string saved = BetFileText(couponWithOdds({{"2", "3", "4"}}));
    // What a save killed at its flush leaves; which names are scratch files is for the Files tests.
    const std::string scratch[] = {".karvo-a1B2c3", ".karvo-Zz9yY8"};
    const auto leave = [&](const std::string& file, bool old) {
        WriteBytes(folder.file(file), file);
        const timespec times[2] = {{now - (old ? 7200 : 0), 0}, {now - (old ? 7200 : 0), 0}};
        ::utimensat(AT_FDCWD, folder.file(file).c_str(), times, 0);
    };
    WriteBytes(name, saved);
    for (const Command command : {Command::OpenBetFile, Command::SaveBetFile}) {
        leave(scratch[0], true);
        leave(scratch[1], false); // perhaps another save under way
        CellGrid coupon = NewCoupon(40);
        BetRun bet;
        bet.ui.fileAnswers = {name};
        bet.run(command, coupon, folder.path(), now);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(folder.file(scratch[0]))));
        EXPECT_EQ(ReadBytes(folder.file(scratch[1])), scratch[1]);
        EXPECT_EQ(ReadBytes(name), command == Command::OpenBetFile ? saved : BetFileText(coupon));
    }
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
    SortCoupon(coupon, HomeColumn, directions);
    EXPECT_EQ(homes(), "Ξάνθη;Βόλος;άρης1X;no oddskept;");
    SortCoupon(coupon, HomeColumn, directions);
    EXPECT_EQ(homes(), "άρης1X;Βόλος;Ξάνθη;no oddskept;");
    EXPECT_EQ(coupon.cell(PayoutColumn, 1), " 93,22"); // whole rows travel
}
