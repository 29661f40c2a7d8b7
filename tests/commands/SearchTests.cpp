// Searching the list and dispatching menu positions.
#include "commands/Commands.h"
#include "commands/Search.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace karvo;
using karvo::test::W;

namespace {

CellGrid greekGrid()
{
    // The header row is never searched.
    const char* rows[5][2] = {{"  No ΕΤΟΣ", "ΟΛΥΜΠΙΑΚΟΣ header"},
                              {"   1 2024-1", " ΠΑΝΑΘΗΝΑΪΚΟΣ - ΑΕΚ"},
                              {"   2 2024-2", " ΟΛΥΜΠΙΑΚΟΣ - ΠΑΟΚ"},
                              {"   3 2024-3", " ΆΡΗΣ - ΟΦΗ"},
                              {"   4 2025-1", " ολυμπιακός - Λάρισα"}};
    CellGrid grid(2, 5);
    for (int r = 0; r < 5; ++r) {
        grid.setCell(0, r, W(rows[r][0]));
        grid.setCell(1, r, W(rows[r][1]));
    }
    return grid;
}

} // namespace

TEST(Search, MatchingIgnoresCaseButNotAccents)
{
    EXPECT_EQ(PrepareSearchText(W("  ολυμπιακός - λάρ ")), W("ΟΛΥΜΠΙΑΚΌΣ - ΛΆΡ")); // inner blanks stay
    // clang-format off
    struct Case { const char* cell; const char* typed; bool match; };
    // clang-format on
    const Case cases[] = {
        {" ΟΛΥΜΠΙΑΚΟΣ - ΠΑΟΚ", "ολυμπιακοσ", true},  // small letters find capitals
        {" ΟΛΥΜΠΙΑΚΟΣ - ΠΑΟΚ", "ολυμπιακός", false}, // accented small letter, plain capital
        {" ΆΡΗΣ - ΟΦΗ", "αρης", false},              // plain small letter, accented capital
        {" ΆΡΗΣ - ΟΦΗ", "άρης", true},
        {" ολυμπιακός", "ΟΛΥΜΠΙΑΚΌΣ", true},
        {"anything", "", false}, // an empty text matches nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellMatches(W(c.cell), PrepareSearchText(W(c.typed))), c.match) << c.cell << " / " << c.typed;
    }
}

TEST(Search, KeepMatchingRowsMovesThemUpInOrder)
{
    CellGrid grid = greekGrid();
    EXPECT_EQ(KeepMatchingRows(grid, "2024"), 3);
    EXPECT_EQ(std::to_string(grid.rowCount()) + grid.cell(0, 3), "4   3 2024-3");
    EXPECT_EQ(grid.cell(0, 0), W("  No ΕΤΟΣ"));
}

TEST(Commands, SearchThenF3AndTheTextSurvivesAViewChange)
{
    karvo::test::ScriptedUserInterface ui;
    ProgramState state;
    CellGrid sg = greekGrid();
    CellGrid sg1;
    CommandContext context{state, sg, sg1, ui, "/nonexistent/", {}};

    EXPECT_EQ(RunCommand(2, context), nullptr); // F3 before any search changes nothing
    EXPECT_EQ(sg.currentRow(), -1);

    ui.inputAnswers.push_back(W(" ολυμπιακ "));
    EXPECT_EQ(RunCommand(1, context), &sg);
    EXPECT_EQ(sg.currentRow(), 2); // the header row matches too, but is never searched
    EXPECT_EQ(RunCommand(2, context), &sg);
    EXPECT_EQ(sg.currentRow(), 4);
    EXPECT_EQ(RunCommand(2, context), nullptr); // the last match: no wrap to the top

    EXPECT_EQ(RunCommand(1, context), nullptr); // cancelled: text and row stay
    EXPECT_EQ(state.SearchText + std::to_string(sg.currentRow()), W("ΟΛΥΜΠΙΑΚ4"));
}

TEST(Commands, CouponPositionsReachTheirHook)
{
    karvo::test::ScriptedUserInterface ui;
    ProgramState state;
    state.GameCode = GameCode::Bet;
    CellGrid sg;
    CellGrid sg1;
    std::vector<int> ran;
    CommandContext context{
        state, sg, sg1, ui, "/nonexistent/", [&ran](Command n) { ran.push_back(static_cast<int>(n)); }};
    for (int position = 1; position <= 6; ++position) {
        RunCommand(position, context);
    }
    EXPECT_EQ(ran, (std::vector<int>{21, 22, 23, 24, 25, 27}));
}
