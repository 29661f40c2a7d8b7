// What hand-made tickets won against hand-worked prize tables: the category of each draw by the
// names of that year, nothing won below the categories, no amount where a draw's table is not
// known, and the lines told after an update and for every ticket.
#include "results/ResultsFiles.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "tickets/TicketFile.h"
#include "tickets/TicketResults.h"
#include "tickets/TicketWinnings.h"
#include "util/FileNames.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

KeptTicket Kept(GameCode game, const char* name, const char* choice)
{
    KeptTicket kept;
    std::string message;
    EXPECT_TRUE(MakeKeptTicket(game, W(name), W(choice), 0, kept, message)) << U(message);
    return kept;
}

std::vector<std::string> Utf8(const std::vector<std::string>& lines)
{
    std::vector<std::string> utf8;
    for (const std::string& line : lines) {
        utf8.push_back(U(line));
    }
    return utf8;
}

// JOKER's nine categories of 2025, the amounts of each draw after its date and columns played.
std::string JokerWorkbook(const std::vector<std::vector<std::string>>& draws)
{
    SheetRows rows{{"ΤΖΟΚΕΡ 2025"}, {"ΚΛΗΡ.", "ΗΜ/ΝΙΑ"}, {"", "", "", "", "", "", "", "", "ΣΥΝΟΛΟ ΣΤΗΛΩΝ"}, {}};
    rows[3].resize(9);
    for (const char* name : {"5 + 1", "5", "4 + 1", "4", "3 + 1", "3", "2 + 1", "1 + 1", "2"}) {
        rows[2].insert(rows[2].end(), {name, ""});
        rows[3].insert(rows[3].end(), {"ΕΠΙΤΥΧΙΕΣ", "ΚΕΡΔΗ"});
    }
    rows.insert(rows.end(), draws.begin(), draws.end());
    return OperatorWorkbookBytes({rows});
}

class Winnings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // 30-01-2025: 3 17 24 38 41, joker 7; 02-02-2025: 1 2 3 4 5, joker 9.
        WriteMaskedFile(m_folder.file("JOKER.krv"),
                        Slot(30, 1, 2025, {3, 17, 24, 38, 41, 7}) + Slot(2, 2, 2025, {1, 2, 3, 4, 5, 9}));
        CreateFolder(m_folder.file("Data"));
        WriteBytes(
            m_folder.file("Data/Joker_2025.xlsx"),
            JokerWorkbook({{"2301", "02/2/2025", "",     "",          "",     "",         "",     "",       "900.000",
                            "-",    "-",         "1",    "40.000,00", "8",    "2.000,00", "100",  "40,00",  "600",
                            "2,00", "4.000",     "1,50", "8.000",     "1,50", "25.000",   "1,00", "70.000", "1,00"},
                           {"2300", "30/1/2025", "",     "",          "",     "",         "",     "",       "1.000.000",
                            "-",    "ΤΖΑΚ-ΠΟΤ",  "2",    "50.000,00", "9",    "2.500,00", "120",  "50,00",  "700",
                            "2,50", "5.000",     "2,00", "9.000",     "1,50", "30.000",   "1,00", "80.000", "1,00"}}));
        m_results = ReadBytes(m_folder.file("JOKER.krv"));
    }

    test::TempFolder m_folder;
    std::string m_results;
};

} // namespace

TEST_F(Winnings, EachDrawPaysTheCategoryItsHitsNameThatYear)
{
    const PrizeBook book = LoadPrizeBook(m_folder.path(), GameCode::Joker);
    ASSERT_EQ(book.draws.size(), 2u);
    const DrawHistory history = LoadHistory(m_folder.path(), GameCode::Joker);
    // 4 numbers and the joker on 30-01; two numbers, no joker on 02-02; one number alone wins nothing.
    const DrawWinning fourAndJoker = WinningOf(book, 20250130, 4, true);
    EXPECT_EQ(U(fourAndJoker.category->name), "4 + 1");
    EXPECT_EQ(fourAndJoker.cents, 250000);
    EXPECT_EQ(WinningOf(book, 20250202, 2, false).cents, 100);
    const DrawWinning one = WinningOf(book, 20250202, 1, false);
    EXPECT_TRUE(one.known);
    EXPECT_EQ(one.category, nullptr);
    EXPECT_EQ(one.cents, 0);
    // A draw without a table, and a jackpot category nobody won, are told without an amount.
    EXPECT_FALSE(WinningOf(book, 20250206, 4, true).known);
    const DrawWinning jackpot = WinningOf(book, 20250130, 5, true);
    EXPECT_EQ(U(jackpot.category->name), "5 + 1");
    EXPECT_FALSE(jackpot.known);
    EXPECT_EQ(jackpot.cents, std::nullopt);

    const TicketWinnings birthdays =
        WinningsOf(book, history, GameCode::Joker, Kept(GameCode::Joker, "Γενέθλια", "3 17 24 38 20 7").ticket);
    EXPECT_EQ(birthdays.latestCents, 0);
    EXPECT_EQ(birthdays.totalCents, 250000);
    EXPECT_EQ(birthdays.drawsKnown, 2);
    EXPECT_EQ(U(birthdays.bestCategory), "4 + 1");
    const TicketWinnings two =
        WinningsOf(book, history, GameCode::Joker, Kept(GameCode::Joker, "Δύο", "1 2 30 31 32 15").ticket);
    EXPECT_EQ(two.latestCents, 100);
    EXPECT_EQ(two.totalCents, 100);
    EXPECT_EQ(EuroText(123456789, NumberFormat::greek()), W("1.234.567,89 €"));
    // KINO and the digit games are checked by hits alone.
    EXPECT_FALSE(HasWinnings(GameCode::Kino));
    EXPECT_FALSE(HasWinnings(GameCode::Proto));
}

TEST_F(Winnings, TheLinesOfAnUpdateAndOfEveryTicketTellTheAmount)
{
    TicketList list;
    list.tickets = {Kept(GameCode::Joker, "Γενέθλια", "3 17 24 38 20 7"),
                    Kept(GameCode::Joker, "Δύο", "1 2 30 31 32 15"),
                    Kept(GameCode::Joker, "Τίποτα", "40 41 42 43 44 1")};
    SaveTickets(m_folder.path(), list);
    // Two numbers pay in 2025, so the draw is told though it is below three numbers.
    EXPECT_EQ(Utf8(TicketWinsAfter(m_folder.path(), GameCode::Joker, 0)),
              (std::vector<std::string>{"JOKER «Γενέθλια»: 4 + 1 στην κλήρωση της 30-01-2025 · 2.500,00 €",
                                        "JOKER «Δύο»: 2 στην κλήρωση της 02-02-2025 · 1,00 €"}));
    const std::vector<std::string> latest = Utf8(TicketLatestLines(m_folder.path(), GameCode::Joker));
    ASSERT_EQ(latest.size(), 3u);
    EXPECT_NE(latest[0].find(" · κέρδη: τελευταία 0,00 €, σύνολο 2.500,00 € σε 2 κληρώσεις"), std::string::npos)
        << latest[0];
    EXPECT_NE(latest[2].find(" · κέρδη: τελευταία 0,00 €, σύνολο 0,00 € σε 2 κληρώσεις"), std::string::npos)
        << latest[2];
    // Without the workbook the hits stand alone, as before there were prize tables.
    DeleteFiles(m_folder.file("Data/*"));
    EXPECT_EQ(Utf8(TicketWinsAfter(m_folder.path(), GameCode::Joker, 0)),
              (std::vector<std::string>{"JOKER «Γενέθλια»: 4 επιτυχίες και Τζόκερ στην κλήρωση της 30-01-2025"}));
    EXPECT_EQ(Utf8(TicketLatestLines(m_folder.path(), GameCode::Joker))[0].find("κέρδη"), std::string::npos);
    EXPECT_EQ(ReadBytes(m_folder.file("JOKER.krv")), m_results);
}
