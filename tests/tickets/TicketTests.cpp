// The kept tickets: the file's exact bytes and its refusals, a damaged file left alone, typed
// columns and their refusals, the hits of numbers, jokers, digits, KINO systems and pools systems
// against hand-made draws, and the lines told after an update.
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "support/TestSupport.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketFile.h"
#include "tickets/TicketResults.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

KeptTicket Kept(GameCode game, const char* name, const char* choice, int played = 0)
{
    KeptTicket kept;
    std::string message;
    EXPECT_TRUE(MakeKeptTicket(game, W(name), W(choice), played, kept, message)) << U(message);
    return kept;
}

TicketList ListOf(std::vector<KeptTicket> tickets)
{
    TicketList list;
    list.tickets = std::move(tickets);
    return list;
}

// One of each kind: numbers with a joker, a KINO system of 2 out of 3, digits, a pools system.
std::vector<KeptTicket> EveryKind()
{
    return {Kept(GameCode::Joker, "Τζόκερ", "1 2 3 10 11 7"), Kept(GameCode::Kino, "Κίνο", "1 21 60", 2),
            Kept(GameCode::Proto, "Πρώτο", "0123456"),
            Kept(GameCode::PropoSunday, "Σύστημα", "1X X 2X 1 1 1 1 1 1 1 1 1 12")};
}

const char* const kEveryKindFile = R"({
    "tickets": [
        {
            "game": "joker",
            "joker": 7,
            "name": "Τζόκερ",
            "numbers": [
                1,
                2,
                3,
                10,
                11
            ]
        },
        {
            "game": "kino",
            "name": "Κίνο",
            "numbers": [
                1,
                21,
                60
            ],
            "played": 2
        },
        {
            "digits": "0123456",
            "game": "proto",
            "name": "Πρώτο"
        },
        {
            "game": "propo-sun",
            "name": "Σύστημα",
            "signs": [
                "1X",
                "X",
                "X2",
                "1",
                "1",
                "1",
                "1",
                "1",
                "1",
                "1",
                "1",
                "1",
                "12"
            ]
        }
    ],
    "version": 1
}
)";

// LOTTO: 30-12-2023 1..6; 31-12-2023 1 7 8 9 10 11; 02-01-2024 2 3 12 13 14 15; 05-01-2024 1 2 3 4 16 17.
void WriteLotto(const test::TempFolder& folder)
{
    WriteMaskedFile(folder.file("LOTTO.krv"),
                    Slot(30, 12, 2023, {1, 2, 3, 4, 5, 6}) + Slot(31, 12, 2023, {1, 7, 8, 9, 10, 11})
                        + Slot(2, 1, 2024, {2, 3, 12, 13, 14, 15}) + Slot(5, 1, 2024, {1, 2, 3, 4, 16, 17}));
}

std::vector<int> NumbersFrom(int from, int to)
{
    std::vector<int> numbers;
    for (int n = from; n <= to; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

// KINO in one month: 1..20 on the 30th, 21..40 and 1..10 with 41..50 on the 31st.
void WriteKino(const test::TempFolder& folder)
{
    std::vector<int> mixed = NumbersFrom(1, 10);
    mixed.insert(mixed.end(), {41, 42, 43, 44, 45, 46, 47, 48, 49, 50});
    CreateFolder(folder.file("DATA"));
    WriteKinoFile(folder.file("DATA/kino_2023_12.qav"),
                  KinoHeader(100) + KinoRecord(NumbersFrom(1, 20), 30, 12, 0)
                      + KinoRecord(NumbersFrom(21, 40), 31, 12, 5) + KinoRecord(mixed, 31, 12, 10));
}

// Both values of a pools draw from its 14 signs.
std::pair<std::uint16_t, std::uint16_t> PropoValues(const char* signs)
{
    std::uint16_t values[2] = {0, 0};
    for (int j = 0; j < 14; ++j) {
        const int sign = signs[j] == 'X' ? 0 : signs[j] == ' ' ? 3 : signs[j] - '0';
        values[j / 7] = static_cast<std::uint16_t>(values[j / 7] | sign << (2 * (j % 7)));
    }
    return {values[0], values[1]};
}

// Draws 1 and 2 of 2024 of ΠΡΟΠΟ ΚΥΡΙΑΚΗ.
void WritePropo(const test::TempFolder& folder, const char* first, const char* second)
{
    std::vector<std::uint16_t> values(static_cast<std::size_t>(2 * PropoSlot(2024, 2) + 1), PropoEmptyValue);
    int draw = 1;
    for (const char* signs : {first, second}) {
        const auto [a, b] = PropoValues(signs);
        values[static_cast<std::size_t>(2 * PropoSlot(2024, draw) - 1)] = a;
        values[static_cast<std::size_t>(2 * PropoSlot(2024, draw))] = b;
        ++draw;
    }
    WritePropoFile(folder.file("Propok.krv"), values, 2024);
}

// The report of ticket against the game's history stored in folder.
TicketReport ReportOf(const test::TempFolder& folder, GameCode game, const Ticket& ticket,
                      const TicketCheckOptions& options = {})
{
    return CheckTicket(LoadHistory(folder.path(), game), game, ticket, options);
}

std::vector<std::string> Utf8(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        out.push_back(U(line));
    }
    return out;
}

} // namespace

TEST(TicketFile, RoundTripIsByteExact)
{
    test::TempFolder folder;
    SaveTickets(folder.path(), ListOf(EveryKind()));
    EXPECT_EQ(ReadBytes(folder.file("tickets.json")), kEveryKindFile);
    const TicketList read = LoadTickets(folder.path());
    ASSERT_FALSE(read.readOnly()) << U(read.problem);
    ASSERT_EQ(read.tickets.size(), 4u);
    EXPECT_EQ(read.tickets[3].ticket.signs, (std::vector<std::uint8_t>{3, 1, 5, 2, 2, 2, 2, 2, 2, 2, 2, 2, 6}));
    SaveTickets(folder.path(), read);
    EXPECT_EQ(ReadBytes(folder.file("tickets.json")), kEveryKindFile);
}

TEST(TicketFile, NoFileIsAnEmptyListThatCanBeSaved)
{
    test::TempFolder folder;
    const TicketList list = LoadTickets(folder.path());
    EXPECT_FALSE(list.readOnly());
    EXPECT_TRUE(list.tickets.empty());
    SaveTickets(folder.path(), list);
    EXPECT_EQ(ReadBytes(folder.file("tickets.json")), "{\n    \"tickets\": [\n    ],\n    \"version\": 1\n}\n");
}

TEST(TicketFile, WrongNamesAndColumnsAreRefusedWithAMessage)
{
    struct Case
    {
        GameCode game;
        const char* name;
        const char* choice;
        int played;
        const char* message;
    };
    const Case cases[] = {
        {GameCode::Lotto, "  ", "1 2 3 4 5 6", 0, "Δώστε όνομα για το δελτίο (έως 40 χαρακτήρες)."},
        {GameCode::Lotto, "ααααααααααααααααααααααααααααααααααααααααα", "1 2 3 4 5 6", 0,
         "Δώστε όνομα για το δελτίο (έως 40 χαρακτήρες)."},
        {GameCode::Kino, "Α", "1 2 3", 4, "Οι αριθμοί ανά στήλη είναι περισσότεροι από τους αριθμούς (3)."},
        {GameCode::PropoSunday, "Α", "11 X 2 1 1 1 1 1 1 1 1 1 1", 0, "Ο αγώνας 1 έχει το ίδιο σημείο δύο φορές."},
        {GameCode::PropoSunday, "Α", "1X 3 2 1 1 1 1 1 1 1 1 1 1", 0, "Το \"3\" δεν είναι 1, X ή 2."},
        {GameCode::Stock, "Α", "1", 0, "Το παιχνίδι δεν έχει κληρώσεις."},
        // The typed column's own refusals, passed on as they are.
        {GameCode::Lotto, "Α", "1 2 3 4 5", 0, "Δώστε 6 αριθμούς από 1 έως 49."},
        {GameCode::Lotto, "Α", "1 2 3 4 5 50", 0, "Ο αριθμός 50 είναι εκτός ορίων (1 έως 49)."},
        {GameCode::Lotto, "Α", "0 1 2 3 4 5", 0, "Ο αριθμός 0 είναι εκτός ορίων (1 έως 49)."},
        {GameCode::Lotto, "Α", "1 2 3 4 5 5", 0, "Ο αριθμός 5 δόθηκε δύο φορές."},
        {GameCode::Lotto, "Α", "1 2 3 4 5 a", 0, "Το \"a\" δεν είναι αριθμός."},
        {GameCode::Joker, "Α", "1 2 3 4 5 21", 0, "Ο Τζόκερ 21 είναι εκτός ορίων (1 έως 20)."},
        {GameCode::Joker, "Α", "1 2 3 4", 0, "Δώστε 5 αριθμούς από 1 έως 45 και, αν θέλετε, τον Τζόκερ από 1 έως 20."},
        {GameCode::Kino, "Α", "", 0, "Δώστε από 1 έως 12 αριθμούς από 1 έως 80."},
        {GameCode::Kino, "Α", "1 2 3 4 5 6 7 8 9 10 11 12 13", 0, "Δώστε από 1 έως 12 αριθμούς από 1 έως 80."},
        {GameCode::Proto, "Α", "123456", 0, "Δώστε 7 ψηφία (0 έως 9)."},
        {GameCode::Super3, "Α", "1a3", 0, "Το \"a\" δεν είναι ψηφίο."},
        {GameCode::PropoSunday, "Α", "1X2A", 0, "Το \"A\" δεν είναι 1, X ή 2."},
        {GameCode::PropoSunday, "Α", "1X2", 0, "Δώστε 13 ή 14 σημεία (1, X, 2)."},
    };
    for (const Case& c : cases) {
        KeptTicket kept;
        std::string message;
        EXPECT_FALSE(MakeKeptTicket(c.game, W(c.name), W(c.choice), c.played, kept, message)) << c.choice;
        EXPECT_EQ(U(message), c.message) << c.choice;
    }
    // The joker may be left out; digits may be typed in groups.
    EXPECT_EQ(Kept(GameCode::Joker, "Α", "45 1 2 3 4").ticket.bonus, -1);
    EXPECT_EQ(Kept(GameCode::Proto, "Α", "012 3456").ticket.values, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(TicketFile, DamagedFileIsLeftAsItWasAndNamed)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        const char* cause;
    };
    const std::string whole = kEveryKindFile;
    const Case cases[] = {
        {"cut short", whole.substr(0, 300), "είναι κομμένο, τελειώνει στη μέση"},
        {"empty", "", "είναι άδειο"},
        {"not JSON", "tickets: 1\n" + whole, "δεν είναι JSON (λάθος στο byte 1)"},
        {"unknown version", "{\"version\": 2, \"tickets\": []}", "έχει άγνωστη έκδοση 2"},
        {"no version", "[1, 2]", "δεν είναι αρχείο δελτίων"},
        {"wrong entry",
         "{\"version\": 1, \"tickets\": [{\"name\": \"a\", \"game\": \"lotto\", \"numbers\": [1, 2, 3, 4, 5, -6]}]}",
         "το δελτίο 1: Το \"?\" δεν είναι αριθμός"},
        {"unknown game", "{\"version\": 1, \"tickets\": [{\"name\": \"a\", \"game\": \"stock\"}]}",
         "το δελτίο 1: άγνωστο παιχνίδι"},
        // A raw NUL is no JSON, an escaped one is: neither reaches a terminal as a name.
        {"NUL in a name",
         std::string("{\"version\": 1, \"tickets\": [{\"name\": \"a") + '\0' + "b\", \"game\": \"lotto\"}]}",
         "το δελτίο 1: Το όνομα του δελτίου έχει χαρακτήρες ελέγχου"},
        {"escape in a name",
         "{\"version\": 1, \"tickets\": [{\"name\": \"a\\u001b[2Jb\", \"game\": \"lotto\", \"numbers\": [1, 2, 3, 4, "
         "5, 6]}]}",
         "το δελτίο 1: Το όνομα του δελτίου έχει χαρακτήρες ελέγχου"},
        {"too large", "{\"version\": 1, \"tickets\": []}" + std::string(1 << 20, ' '),
         "είναι πολύ μεγάλο για αρχείο δελτίων"},
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        const std::string path = folder.file("tickets.json");
        WriteBytes(path, c.bytes);
        const TicketList list = LoadTickets(folder.path());
        EXPECT_TRUE(list.readOnly()) << c.name;
        EXPECT_TRUE(list.tickets.empty()) << c.name;
        EXPECT_EQ(U(list.problem),
                  "Το αρχείο " + path + " " + c.cause
                      + ". Τα δελτία ανοίγουν μόνο για ανάγνωση ώσπου να διορθωθεί ή να"
                        " μετακινηθεί το αρχείο.")
            << c.name;
        EXPECT_TRUE(Fails([&] { SaveTickets(folder.path(), list); })) << c.name;
        // Nor does a list that was read before the damage replace it.
        EXPECT_TRUE(Fails([&] { SaveTickets(folder.path(), ListOf(EveryKind())); })) << c.name;
        EXPECT_EQ(ReadBytes(path), c.bytes) << c.name;
        EXPECT_EQ(Utf8(TicketWinsAfter(folder.path(), GameCode::Lotto, 0)),
                  (std::vector<std::string>{U(list.problem)}));
    }
}

TEST(TicketFile, FifoInItsPlaceIsNeitherReadNorReplaced)
{
    test::TempFolder folder;
    const std::string path = folder.file("tickets.json");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const TicketList list = LoadTickets(folder.path());
    ASSERT_TRUE(list.readOnly());
    EXPECT_NE(U(list.problem).find("FIFO"), std::string::npos);
    EXPECT_TRUE(Fails([&] { SaveTickets(folder.path(), ListOf(EveryKind())); }));
    struct stat st{};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(TicketFile, FailedWriteKeepsTheOldFile)
{
    test::TempFolder folder;
    SaveTickets(folder.path(), ListOf({EveryKind().front()}));
    const std::string before = ReadBytes(folder.file("tickets.json"));
    WithFileSizeLimit(
        100, [&] { EXPECT_TRUE(Fails([&] { SaveTickets(folder.path(), ListOf(EveryKind())); }, "tickets.json")); });
    EXPECT_EQ(ReadBytes(folder.file("tickets.json")), before);
    // A folder that is a file: nothing to write into.
    WriteBytes(folder.file("plain"), "x");
    EXPECT_TRUE(Fails([&] { SaveTickets(folder.file("plain/"), ListOf(EveryKind())); }));
}

TEST(TicketCount, JokerCountsItsJokerApart)
{
    test::TempFolder folder;
    WriteMaskedFile(folder.file("JOKER.krv"),
                    Slot(1, 3, 2024, {1, 2, 3, 4, 5, 5}) + Slot(4, 3, 2024, {5, 6, 7, 8, 9, 7}));
    const KeptTicket kept = Kept(GameCode::Joker, "Τ", "1 2 3 10 11 7");
    const TicketReport report = ReportOf(folder, GameCode::Joker, kept.ticket);
    EXPECT_EQ(report.hitCounts, (std::vector<std::int64_t>{1, 0, 0, 1, 0, 0}));
    EXPECT_EQ(report.bonusHits, 1);
    ASSERT_EQ(report.hits.size(), 1u);
    EXPECT_FALSE(report.hits[0].bonusHit);
    SaveTickets(folder.path(), ListOf({kept}));
    EXPECT_EQ(Utf8(TicketLatestLines(folder.path(), GameCode::Joker)),
              (std::vector<std::string>{"JOKER «Τ» 1 2 3 10 11 + Τζόκερ 7: 0 επιτυχίες στις 04-03-2024, τελευταίες "
                                        "2: 0 3, καλύτερη 3 επιτυχίες στις 01-03-2024"}));
}

TEST(TicketCount, KinoTicketOfFourNumbersAndItsTwoNumberColumns)
{
    test::TempFolder folder;
    WriteKino(folder);
    // Hits by draw: 2 (1, 2), 1 (21), 2 (1, 2).
    TicketCheckOptions options;
    options.recentDraws = 2;
    TicketReport report = ReportOf(folder, GameCode::Kino, Kept(GameCode::Kino, "4", "1 2 21 60").ticket, options);
    EXPECT_EQ(report.hitCounts, (std::vector<std::int64_t>{0, 1, 2, 0, 0}));
    ASSERT_EQ(report.hits.size(), 2u);
    EXPECT_EQ(report.best.draw, 0);
    EXPECT_EQ(report.recent, (std::vector<int>{1, 2}));
    // Every pair of 1 2 3 21: the first and last draws give 3 of them, a pair at most 2.
    report = ReportOf(folder, GameCode::Kino, Kept(GameCode::Kino, "2", "1 2 3 21", 2).ticket);
    EXPECT_EQ(report.hitCounts, (std::vector<std::int64_t>{0, 1, 2}));
}

TEST(TicketCount, PropoSystemWithDoublesCountsAMatchWhenAnyOfItsSignsCame)
{
    test::TempFolder folder;
    WritePropo(folder, "11111111111111", "2222222222222X");
    const TicketReport report = ReportOf(folder, GameCode::PropoSunday,
                                         Kept(GameCode::PropoSunday, "Σ", "1X X 2X 1 1 1 1 1 1 1 1 1 12").ticket);
    // The first draw: 1X, the nine 1s and 12 = 11; the second: 2X and 12 = 2.
    EXPECT_EQ(report.hitCounts[11], 1);
    EXPECT_EQ(report.hitCounts[2], 1);
    ASSERT_EQ(report.hits.size(), 1u);
}

TEST(TicketCount, ManyTicketsAtOnceCountAsEachAlone)
{
    // Random KINO draws and tickets, each ticket's figures against a plain count of its own.
    std::mt19937 random(7);
    const auto randomNumbers = [&random](std::size_t count) {
        std::vector<int> numbers = NumbersFrom(1, 80);
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(count);
        return numbers;
    };
    std::string bytes = KinoHeader(1);
    std::vector<std::vector<int>> draws;
    for (int d = 0; d < 500; ++d) {
        draws.push_back(randomNumbers(20));
        bytes += KinoRecord(draws.back(), 1 + d / 20, 9, 0);
    }
    test::TempFolder folder;
    CreateFolder(folder.file("DATA"));
    WriteKinoFile(folder.file("DATA/kino_2024_03.qav"), bytes);
    std::vector<Ticket> tickets(40);
    for (int t = 0; t < 40; ++t) {
        tickets[static_cast<std::size_t>(t)].values = randomNumbers(static_cast<std::size_t>(1 + t % 12));
        tickets[static_cast<std::size_t>(t)].played = t % 3 == 0 ? (1 + t % 12) / 2 : 0;
    }
    TicketCheckOptions options;
    options.firstDraw = 100;
    options.recentDraws = 10;
    const std::vector<TicketReport> reports =
        CheckTickets(LoadHistory(folder.path(), GameCode::Kino), GameCode::Kino, tickets, options);
    for (std::size_t t = 0; t < tickets.size(); ++t) {
        const TicketReport& report = reports[t];
        std::vector<std::int64_t> counts(static_cast<std::size_t>(MostHits(tickets[t])) + 1, 0);
        std::vector<int> recent;
        std::vector<std::int64_t> listed;
        TicketHit best{-1, 0};
        for (std::size_t d = 100; d < draws.size(); ++d) {
            int hits = 0;
            for (const int n : tickets[t].values) {
                hits += std::count(draws[d].begin(), draws[d].end(), n) > 0 ? 1 : 0;
            }
            hits = std::min(hits, MostHits(tickets[t]));
            ++counts[static_cast<std::size_t>(hits)];
            best = hits > best.hits ? TicketHit{static_cast<std::int64_t>(d), hits} : best;
            if (hits >= report.threshold) {
                listed.push_back(static_cast<std::int64_t>(d));
            }
            if (d >= draws.size() - 10) {
                recent.push_back(hits);
            }
        }
        std::vector<std::int64_t> reported;
        for (const TicketHit& hit : report.hits) {
            reported.push_back(hit.draw);
        }
        EXPECT_EQ(report.hitCounts, counts) << t;
        EXPECT_EQ(report.recent, recent) << t;
        EXPECT_EQ(report.best.hits, best.hits) << t;
        EXPECT_EQ(report.best.draw, best.draw) << t;
        EXPECT_EQ(reported, listed) << t;
        EXPECT_EQ(report.draws, 400) << t;
    }
}

TEST(TicketResults, WinsAfterAnUpdateAreOnlyTheNewDrawsInTheUpdatesOrder)
{
    test::TempFolder folder;
    WriteLotto(folder);
    WritePropo(folder, "11111111111111", "1111111111XXXX");
    SaveTickets(
        folder.path(),
        ListOf({Kept(GameCode::Lotto, "Σπίτι", "1 2 3 4 20 21"), Kept(GameCode::Lotto, "Γραφείο", "2 3 12 30 31 32"),
                Kept(GameCode::PropoSunday, "Π", "1111111111111")}));
    // Hits by draw: Σπίτι 4, 1, 2, 4; Γραφείο 2, 0, 3, 2.
    EXPECT_EQ(Utf8(TicketWinsAfter(folder.path(), GameCode::Lotto, 20231231)),
              (std::vector<std::string>{"LOTTO «Σπίτι»: 4 επιτυχίες στην κλήρωση της 05-01-2024",
                                        "LOTTO «Γραφείο»: 3 επιτυχίες στην κλήρωση της 02-01-2024"}));
    EXPECT_EQ(TicketWinsAfter(folder.path(), GameCode::Lotto, 20240105).size(), 0u);
    EXPECT_EQ(TicketWinsAfter(folder.path(), GameCode::Lotto, 0).size(), 3u);
    // Pools: 10 right signs are worth telling, the first draw (13) is not new.
    EXPECT_EQ(
        Utf8(TicketWinsOfUpdate(
            folder.path(), {{GameCode::PropoSunday, 20240001}, {GameCode::Joker, 0}, {GameCode::Lotto, 20240102}})),
        (std::vector<std::string>{"ΠΡΟΠΟ ΚΥΡΙΑΚΗ «Π»: 10 επιτυχίες στην κλήρωση της 2024-2",
                                  "LOTTO «Σπίτι»: 4 επιτυχίες στην κλήρωση της 05-01-2024"}));
    EXPECT_TRUE(TicketWinsAfter(folder.path(), GameCode::Kino, 0).empty());
    // A damaged file is told once for the whole update.
    WriteBytes(folder.file("tickets.json"), "{");
    const std::vector<std::string> damaged =
        TicketWinsOfUpdate(folder.path(), {{GameCode::PropoSunday, 0}, {GameCode::Lotto, 0}});
    EXPECT_EQ(damaged, (std::vector<std::string>{LoadTickets(folder.path()).problem}));
}

TEST(TicketResults, WhereEachKindOfHistoryEndsAndKinoDrawsLaterThatDay)
{
    test::TempFolder folder;
    EXPECT_EQ(LastStoredDraw(folder.path(), GameCode::Kino).date, 0);
    WriteLotto(folder);
    WriteKino(folder);
    WritePropo(folder, "11111111111111", "1111111111XXXX");
    EXPECT_EQ(LastStoredDraw(folder.path(), GameCode::Lotto).date, 20240105);
    EXPECT_EQ(LastStoredDraw(folder.path(), GameCode::PropoSunday).date, 20240002);
    EXPECT_EQ(LastStoredDraw(folder.path(), GameCode::Kino).date, 20231231);
    // A new month with no draws yet: the last draw is still the month before's.
    WriteKinoFile(folder.file("DATA/kino_2024_01.qav"), KinoHeader(200));
    EXPECT_EQ(LastStoredDraw(folder.path(), GameCode::Kino).date, 20231231);
    const std::string first = KinoHeader(200) + KinoRecord(NumbersFrom(1, 20), 2, 12, 0);
    WriteKinoFile(folder.file("DATA/kino_2024_01.qav"), first);
    const HistoryEnd before = LastStoredDraw(folder.path(), GameCode::Kino);
    EXPECT_EQ(before, HistoryEnd(20240102, 1));
    // A later draw of the same day is new; the one stored before is not.
    SaveTickets(folder.path(), ListOf({Kept(GameCode::Kino, "Κ", "1 2 3 4")}));
    WriteKinoFile(folder.file("DATA/kino_2024_01.qav"), first + KinoRecord(NumbersFrom(1, 20), 2, 12, 5));
    EXPECT_EQ(TicketWinsAfter(folder.path(), GameCode::Kino, before).size(), 1u);
    EXPECT_TRUE(TicketWinsAfter(folder.path(), GameCode::Kino, LastStoredDraw(folder.path(), GameCode::Kino)).empty());
}

TEST(TicketResults, LatestLinesOfEveryGameInTheGamesOrder)
{
    test::TempFolder folder;
    WriteLotto(folder);
    WriteKino(folder);
    SaveTickets(folder.path(),
                ListOf({Kept(GameCode::Kino, "Κ", "1 2 21 60"), Kept(GameCode::Lotto, "Σπίτι", "1 2 3 4 20 21"),
                        Kept(GameCode::Extra, "Ε", "1 2 3 4 5")}));
    EXPECT_EQ(Utf8(TicketLatestLines(folder.path(), std::nullopt)),
              (std::vector<std::string>{
                  "LOTTO «Σπίτι» 1 2 3 4 20 21: 4 επιτυχίες στις 05-01-2024, τελευταίες 4: 4 2 1 4, καλύτερη 4 "
                  "επιτυχίες στις 30-12-2023",
                  "EXTRA «Ε» 1 2 3 4 5: καμία κλήρωση",
                  "KINO «Κ» 1 2 21 60: 2 επιτυχίες στις 31-12-2023 12:10, τελευταίες 3: 2 1 2, καλύτερη 2 επιτυχίες "
                  "στις 30-12-2023 12:00"}));
}

TEST(TicketCheck, PropoColumnTakesTheGreekAndLatinX)
{
    test::TempFolder folder;
    WritePropo(folder, "11111111111111", "2222222XXXXXX ");
    const TicketReport report =
        ReportOf(folder, GameCode::PropoSunday, Kept(GameCode::PropoSunday, "Σ", "1111 1111 1111 Χx").ticket);
    EXPECT_EQ(report.threshold, 12);
    ASSERT_EQ(report.hits.size(), 1u);
    EXPECT_EQ(report.hits[0].hits, 12);
    EXPECT_EQ(report.hitCounts[1], 1); // the second draw: X at 13 only
}

TEST(TicketCheck, SymbolsInPlaceCountPositions)
{
    test::TempFolder folder;
    WriteBytes(folder.file("Super3.krv"), "123129456");
    const TicketReport report = ReportOf(folder, GameCode::Super3, Kept(GameCode::Super3, "Σ", "1 2 9").ticket);
    EXPECT_EQ(report.hitCounts, (std::vector<std::int64_t>{1, 0, 1, 1})); // 2, 3 and 0 in place
}
