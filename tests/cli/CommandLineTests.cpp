// The command line read into a command, the commands' failures before any run, the step lines,
// a game's list exported byte for byte without a window, and the kept tickets' lines.
#include "cli/CommandRunner.h"
#include "cli/ExportCommand.h"
#include "export/SpreadsheetExport.h"
#include "market/MarketViews.h"
#include "results/DrawViews.h"
#include "results/ResultsFiles.h"
#include "results/SlotViews.h"
#include "support/MarketTestData.h"
#include "support/TestSupport.h"
#include "tickets/TicketFile.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace karvo;
using namespace karvo::test;

namespace {

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::exchange(word, {}));
        }
    }
    return words;
}

struct Captured
{
    std::string out;
    std::string err;
    Console console{[this](std::string_view text) { out += text; }, [this](std::string_view text) { err += text; }};
};

// clang-format off
struct ParseCase { const char* arguments; CommandKind kind; const char* games; const char* folder; bool error; };
const ParseCase kParseCases[] = {
    {"", CommandKind::Window, "", "", false},
    {"--data-folder", CommandKind::Window, "", "", false},
    {"--data-folder /srv/k -platform offscreen", CommandKind::Window, "", "/srv/k", false},
    {"--help", CommandKind::Help, "", "", false},
    {"--version", CommandKind::Version, "", "", false},
    {"update --all --history", CommandKind::Update, "", "", false},
    {"update LOTTO Κινο προπο-κυριακη lotto", CommandKind::Update, "4,10,1", "", false},
    {"update funds --data-folder=/d stocks", CommandKind::Update, "13,11", "/d", false},
    {"update --all lotto", CommandKind::Update, "4", "", true},
    {"update lottery", CommandKind::Update, "", "", true},
    {"update bet", CommandKind::Update, "", "", true},
    {"update --quick", CommandKind::Update, "", "", true},
    {"export joker /tmp/j.xls --data-folder /d", CommandKind::Export, "", "/d", false},
    {"export joker a b", CommandKind::Export, "", "", true},
    {"export nothing a", CommandKind::Export, "", "", true},
    {"tickets Κινο --data-folder /d", CommandKind::Tickets, "", "/d", false},
    {"tickets lotto joker", CommandKind::Tickets, "", "", true},
    {"tickets bet", CommandKind::Tickets, "", "", true},
    {"tickets --all", CommandKind::Tickets, "", "", true},
};
// clang-format on

TEST(CommandLine, ReadsTheWindowAndEachCommand)
{
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.arguments);
        const CommandLine line = ParseCommandLine(Split(c.arguments));
        std::string games;
        for (const GameCode game : line.games) {
            games += (games.empty() ? "" : ",") + std::to_string(ToInt(game));
        }
        EXPECT_EQ(line.kind, c.kind);
        EXPECT_EQ(games, c.games);
        EXPECT_EQ(line.dataFolder, c.folder);
        EXPECT_EQ(!line.error.empty(), c.error) << line.error;
    }
    const CommandLine line = ParseCommandLine({"export", "ΠΡΟΠΟ ΤΕΤΑΡΤΗ", "out.xls"});
    EXPECT_EQ(line.exportGame, GameCode::PropoWednesday);
    EXPECT_EQ(line.exportFile, "out.xls");
    EXPECT_EQ(ParseCommandLine({"tickets", "ΠΡΟΠΟ ΤΕΤΑΡΤΗ"}).ticketGame, GameCode::PropoWednesday);
    EXPECT_EQ(ParseCommandLine({"tickets"}).ticketGame, std::nullopt);
    EXPECT_TRUE(ParseCommandLine({"update", "--notify", "-q"}).notify);
    EXPECT_FALSE(ParseCommandLine({"update", "-q"}).notify);
}

TEST(CommandLine, BadArgumentsAndAnUnusableFolderEndWithStatusTwo)
{
    test::TempFolder folder;
    WriteBytes(folder.file("plain"), "a file, not a folder");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"update", "lottery"},
          {"export", "lotto"},
          {"update", "lotto", "--data-folder", folder.file("plain/sub")},
          {"export", "lotto", "x.xls", "--data-folder", folder.file("plain")}}) {
        Captured captured;
        EXPECT_EQ(RunCommandLine(ParseCommandLine(arguments), QDate(2026, 12, 6), captured.console), kExitUsage);
        EXPECT_EQ(captured.err.rfind("karvo: ", 0), 0u) << captured.err;
        EXPECT_EQ(captured.out, "");
    }
}

TEST(CommandLine, StepLinesLineUpInUtf8)
{
    UpdateStep step;
    step.label = "2024-03";
    EXPECT_EQ(StepLine(GameCode::PropoSunday, step, 2, 12), "ΠΡΟΠΟ ΚΥΡΙΑΚΗ  2024-03     2/12\n");
    step.label = "05/12/2026";
    EXPECT_EQ(StepLine(GameCode::Stock, step, 1, 3), "STOCK          05/12/2026  1/3\n");
}

TEST(ExportCommand, WritesTheViewsSpreadsheetTextAndTheStocksLastDayAgainstTheDayBefore)
{
    test::TempFolder folder;
    std::string draws;
    for (int d = 1; d <= 20; ++d) {
        draws += Slot(d, 1 + d % 12, 2013 + d / 2, {3, 7, 12, 25, 33, d});
    }
    WriteMaskedFile(folder.file("JOKER.krv"), draws);
    const DrawView view = BuildLottoView(folder.path(), GameCode::Joker, 2015);
    ASSERT_GT(view.FirstYearRow, 1);
    StoreStockDay(folder, "20241204", {Record("ALPHA", "2.00"), Record("BETA", "10.00")});
    StoreStockDay(folder, "20241205", {Record("ALPHA", "2.10"), Record("BETA", "9.50")});
    const std::optional<CellGrid> day = StockDayGrid(folder.path(), "20241205", "20241204");
    ASSERT_TRUE(day);
    const std::string stock = SpreadsheetText(*day, 1);
    EXPECT_NE(stock.find("  5.00"), std::string::npos); // ALPHA's change
    for (const auto& [game, expected] : {std::pair{GameCode::Joker, SpreadsheetText(view.grid, view.FirstYearRow)},
                                         std::pair{GameCode::Stock, stock}}) {
        const std::string file = folder.file("out.xls");
        ASSERT_TRUE(ExportGameList(folder.path(), game, 2015, file)) << ToInt(game);
        EXPECT_EQ(ReadBytes(file), expected) << ToInt(game);
    }
}

TEST(ExportCommand, AFileThatCannotBeWrittenOrAnEmptyListEndsWithStatusOne)
{
    test::TempFolder folder;
    WriteMaskedFile(folder.file("LOTTO.krv"), Slot(3, 1, 2026, {1, 2, 3, 4, 5, 6}));
    WriteBytes(folder.file("plain"), "a file, not a folder");
    Captured captured;
    const CommandLine line =
        ParseCommandLine({"export", "lotto", folder.file("plain/out.xls"), "--data-folder", folder.path()});
    EXPECT_EQ(RunCommandLine(line, QDate(2026, 12, 6), captured.console), kExitFailed);
    EXPECT_EQ(captured.err.rfind("karvo: ", 0), 0u) << captured.err;
    Captured empty;
    const CommandLine goal = ParseCommandLine({"export", "goal", folder.file("g.xls"), "--data-folder", folder.path()});
    EXPECT_EQ(RunCommandLine(goal, QDate(2026, 12, 6), empty.console), kExitFailed);
    EXPECT_EQ(empty.err, "karvo: GOAL: η λίστα είναι άδεια\n"); // nothing stored: no file either
    EXPECT_EQ(FileSizeOf(folder.file("g.xls")), 0);
}

TEST(ExportCommand, WhatIsNotARegularFileIsWrittenInPlace)
{
    test::TempFolder folder;
    WriteMaskedFile(folder.file("LOTTO.krv"), Slot(3, 1, 2026, {1, 2, 3, 4, 5, 6}));
    const std::string expected = GameExportText(folder.path(), GameCode::Lotto, 2026);
    ASSERT_FALSE(expected.empty());
    // A FIFO with its reader: the bytes go through it and it stays a FIFO.
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = ReadBytes(fifo); });
    const bool written = !Fails([&] { WriteExportFile(fifo, expected); });
    reader.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(read, expected);
    struct stat st{};
    EXPECT_TRUE(::stat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    // A FIFO nobody reads fails after a short wait instead of hanging.
    EXPECT_TRUE(Fails([&] { WriteExportFile(fifo, expected); }, fifo));
    // A full device: the disk-full message, and the device is still one.
    if (::access("/dev/full", W_OK) == 0) {
        EXPECT_TRUE(Fails([&] { WriteExportFile("/dev/full", expected); }, std::strerror(ENOSPC)));
        EXPECT_TRUE(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    }
}

TEST(TicketsCommand, ALineATicketAndEachFailuresStatus)
{
    test::TempFolder folder;
    WriteMaskedFile(folder.file("LOTTO.krv"),
                    Slot(2, 1, 2026, {3, 9, 17, 22, 40, 2}) + Slot(5, 1, 2026, {1, 2, 3, 4, 5, 6}));
    TicketList list;
    std::string message;
    list.tickets.resize(1);
    ASSERT_TRUE(MakeKeptTicket(GameCode::Lotto, W("Σπίτι"), "3 6 9 17 22 40", 0, list.tickets[0], message));
    SaveTickets(folder.path(), list);
    const auto run = [&folder](std::vector<std::string> arguments, Captured& captured) {
        arguments.insert(arguments.end(), {"--data-folder", folder.path()});
        return RunCommandLine(ParseCommandLine(arguments), QDate(2026, 12, 6), captured.console);
    };
    Captured all;
    EXPECT_EQ(run({"tickets"}, all), 0);
    EXPECT_EQ(all.out,
              "LOTTO «Σπίτι» 3 6 9 17 22 40: 2 επιτυχίες στις 05-01-2026, τελευταίες 2: 2 5, καλύτερη 5 "
              "επιτυχίες στις 02-01-2026\n");
    EXPECT_EQ(all.err, "");
    Captured none;
    EXPECT_EQ(run({"tickets", "joker"}, none), 0);
    EXPECT_EQ(none.out + none.err, "");
    // A file that cannot be read says why, and lists nothing.
    WriteBytes(folder.file("tickets.json"), "{");
    Captured damaged;
    EXPECT_EQ(run({"tickets"}, damaged), kExitFailed);
    EXPECT_EQ(damaged.out, "");
    EXPECT_EQ(damaged.err.rfind("karvo: Το αρχείο " + folder.file("tickets.json") + " ", 0), 0u) << damaged.err;
}

} // namespace
