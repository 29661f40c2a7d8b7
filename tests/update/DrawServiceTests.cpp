// The draw service's answers, hand-written in its shape and served on 127.0.0.1: the next draw
// and its jackpot, a whole prize table, a busy server asked again, and answers that are refused
// with a message naming the game and the cause.
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "update/DrawServiceFetch.h"
#include "util/Cp1253.h"

#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

using R = LoopbackResponse;

// JOKER 2300 drawn on Thursday 30 January 2025 at 22:00 in Athens (20:00 UTC), with every category.
const std::string kJokerLast = R"({"gameId":5104,"drawId":2300,"drawTime":1738267200000,"status":"results",
 "drawBreak":1800,"visualDraw":2300,"winningNumbers":{"list":[3,17,24,38,41],"bonus":[7]},
 "prizeCategories":[
  {"id":1,"divident":0.0,"winners":0,"distributed":0.0,"jackpot":1800000.0,"fixed":0.0,"minimumDistributed":2300000},
  {"id":2,"divident":50000.0,"winners":2,"distributed":100000.0,"jackpot":0.0,"fixed":0.0},
  {"id":3,"divident":2500.0,"winners":9,"distributed":22500.0,"jackpot":0.0,"fixed":0.0},
  {"id":4,"divident":50.0,"winners":120,"distributed":6000.0},{"id":5,"divident":2.5,"winners":700},
  {"id":6,"divident":2.0,"winners":5000},{"id":7,"divident":1.5,"winners":9000},
  {"id":8,"divident":1.0,"winners":30000},{"id":9,"divident":1.0},{"id":12,"divident":3.0,"winners":4}]})";
// The draw open for play: Thursday 11 December 2025 at 22:00 in Athens, no numbers yet.
const std::string kJokerActive = R"({"gameId":5104,"drawId":2301,"drawTime":1765483200000,"status":"active",
 "prizeCategories":[{"id":1,"jackpot":1800000.0,"minimumDistributed":2300000.0}]})";

std::string Listed(const DrawPrizes& prizes)
{
    std::string text;
    for (const PrizeCategory& c : prizes.categories) {
        text += (text.empty() ? "" : " | ") + U(c.name) + " "
            + (c.jackpot ? std::string("ΤΖΑΚ-ΠΟΤ")
                         : (c.winners ? IntToText(*c.winners) : "?") + "×"
                       + (c.cents ? AmountText(*c.cents, NumberFormat::greek()) : "-"));
    }
    return text;
}

class DrawServiceTest : public ::testing::Test
{
protected:
    std::string path(GameCode game, int draw = 0) const { return DrawServiceUrl("", game, draw); }
    DrawServiceResult ask(GameCode game, int draw = 0)
    {
        return FetchFromDrawService({{game, draw}}, m_server.baseUrl(), {}, m_limits).at(0);
    }

    LoopbackServer m_server;
    DownloadLimits m_limits = DrawServiceLimits();
};

} // namespace

TEST_F(DrawServiceTest, TheNextDrawItsJackpotAndTheLastDrawsPrizes)
{
    EXPECT_EQ(path(GameCode::Joker), "/draws/v3.0/5104/last-result-and-active");
    EXPECT_EQ(DrawServiceUrl("https://api.opap.gr", GameCode::Lotto, 2505), "https://api.opap.gr/draws/v3.0/5103/2505");
    m_server.set(path(GameCode::Joker), R::Body(R"({"last":)" + kJokerLast + R"(,"active":)" + kJokerActive + "}"));
    const DrawServiceResult result = ask(GameCode::Joker);
    ASSERT_EQ(result.error, "");
    const ServiceDraw& active = *result.next->active;
    EXPECT_EQ(active.drawId, 2301);
    EXPECT_TRUE(active.prizes.categories.front().winners == std::nullopt); // not known, never 0
    EXPECT_EQ(U(NextDrawLine(active, NumberFormat::greek(), QTimeZone(7200))),
              "Επόμενη κλήρωση: Πέμπτη 11/12 22:00 · Τζακπότ 2.300.000 €");
    // Without an announced amount the carried one; a draw without a jackpot shows its time alone.
    ServiceDraw carried = active;
    carried.announcedCents.reset();
    EXPECT_EQ(U(NextDrawLine(carried, NumberFormat{'.', ','}, QTimeZone(7200))),
              "Επόμενη κλήρωση: Πέμπτη 11/12 22:00 · Τζακπότ 1,800,000 €");
    carried.jackpotCents.reset();
    EXPECT_EQ(U(NextDrawLine(carried, NumberFormat::greek(), QTimeZone(0))), "Επόμενη κλήρωση: Πέμπτη 11/12 20:00");

    const ServiceDraw& last = *result.next->last;
    EXPECT_EQ(last.numbers, (std::vector<int>{3, 17, 24, 38, 41}));
    EXPECT_EQ(last.bonus, std::vector<int>{7});
    EXPECT_EQ(last.prizes.date, QDate(2025, 1, 30));
    // Matched by id: an id the program does not know is shown by its number, never for a ticket.
    EXPECT_EQ(Listed(last.prizes),
              "5 + 1 ΤΖΑΚ-ΠΟΤ | 5 2×50.000,00 | 4 + 1 9×2.500,00 | 4 120×50,00 | 3 + 1 700×2,50 "
              "| 3 5000×2,00 | 2 + 1 9000×1,50 | 1 + 1 30000×1,00 | 2 ?×1,00 | Κατηγορία 12 4×3,00");
    EXPECT_EQ(U(last.prizes.categoryFor({4, true})->name), "4 + 1");
    EXPECT_EQ(last.prizes.categoryFor({-1, false}), nullptr);

    // One draw by its number.
    m_server.set(path(GameCode::Joker, 2300), R::Body(kJokerLast));
    EXPECT_EQ(ask(GameCode::Joker, 2300).draw->prizes.categories.size(), 10u);
}

TEST_F(DrawServiceTest, ABusyServerIsAskedAgainAfterItsWaitAtMostTwice)
{
    R busy = R::Body("", 429);
    busy.headers = "Retry-After: 1\r\n";
    m_server.queue(path(GameCode::Joker, 2300), busy);
    m_server.set(path(GameCode::Joker, 2300), R::Body(kJokerLast));
    EXPECT_EQ(ask(GameCode::Joker, 2300).error, "");
    EXPECT_EQ(m_server.requestCount(path(GameCode::Joker, 2300)), 2);

    R unavailable = R::Body("", 503);
    m_server.set(path(GameCode::Lotto), unavailable);
    EXPECT_EQ(ask(GameCode::Lotto).error, "LOTTO: η υπηρεσία κληρώσεων απάντησε με σφάλμα (HTTP 503).");
    EXPECT_EQ(m_server.requestCount(path(GameCode::Lotto)), 3);

    // A stop while a retry waits ends it at once.
    m_server.set(path(GameCode::Extra), busy);
    int polls = 0;
    const DrawServiceResult stopped =
        FetchFromDrawService({{GameCode::Extra}}, m_server.baseUrl(), [&polls] { return ++polls > 3; }, m_limits).at(0);
    EXPECT_EQ(stopped.error, "EXTRA: η ερώτηση στην υπηρεσία κληρώσεων διακόπηκε.");
    EXPECT_EQ(m_server.requestCount(path(GameCode::Extra)), 1);
}

TEST_F(DrawServiceTest, UnexpectedAnswersAreRefusedNamingTheGameAndTheCause)
{
    const std::string prefix = "JOKER: η απάντηση της υπηρεσίας κληρώσεων δεν διαβάζεται: ";
    const std::vector<std::pair<std::string, std::string>> cases{
        {R"({"last": {"drawId": 1, )", "δεν είναι JSON (σφάλμα στη θέση"},
        {"[1, 2]", "δεν είναι αντικείμενο JSON."},
        {R"({"last":{"gameId":5103,"drawId":2505,"drawTime":1}})", "είναι για το παιχνίδι 5103, όχι για το 5104."},
        {R"({"last":{"drawId":2300}})", "λείπει το πεδίο «drawTime»."},
        {R"({"last":{"drawId":"2300","drawTime":1}})", "το πεδίο «drawId» δεν είναι ακέραιος αριθμός."},
        {R"({"last":{"drawId":2300,"drawTime":1,"prizeCategories":[{"id":2,"divident":"πολλά"}]}})",
         "το ποσό «divident» δεν είναι αριθμός."},
        {R"({"last":{"drawId":2300,"drawTime":1,"winningNumbers":{"list":"1,2"}}})",
         "το πεδίο «winningNumbers.list» δεν είναι λίστα."},
        {R"({"other":{}})", "δεν έχει ούτε την τελευταία ούτε την επόμενη κλήρωση."},
    };
    for (const auto& [body, cause] : cases) {
        m_server.set(path(GameCode::Joker), R::Body(body));
        const std::string error = ask(GameCode::Joker).error;
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        EXPECT_NE(error.find(cause), std::string::npos) << error;
    }
    // Another draw than the one asked for, an answer past the limit, no server at all.
    m_server.set(path(GameCode::Joker, 2299), R::Body(kJokerLast));
    EXPECT_EQ(ask(GameCode::Joker, 2299).error,
              "JOKER: η απάντηση της υπηρεσίας κληρώσεων είναι για την κλήρωση 2300, όχι για την 2299.");
    m_server.set(path(GameCode::Lotto), R::Body(std::string(50 << 20, ' ')));
    const std::string flooded = ask(GameCode::Lotto).error;
    EXPECT_EQ(flooded.rfind("LOTTO: η υπηρεσία κληρώσεων δεν απάντησε: ο διακομιστής 127.0.0.1:", 0), 0u) << flooded;
    EXPECT_NE(flooded.find("έστειλε περισσότερα από 4 MB"), std::string::npos) << flooded;
    const std::string refused = "http://127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort());
    EXPECT_NE(FetchFromDrawService({{GameCode::Kino}}, refused, {}, m_limits).at(0).error.find("αρνήθηκε τη σύνδεση"),
              std::string::npos);
}

TEST_F(DrawServiceTest, ManyGamesShareFourTransfersAtMost)
{
    m_server.setDelay(std::chrono::milliseconds(100));
    std::vector<DrawServiceRequest> requests;
    for (GameCode game :
         {GameCode::Kino, GameCode::Super3, GameCode::Proto, GameCode::Lotto, GameCode::Joker, GameCode::Extra}) {
        m_server.set(path(game), R::Body(R"({"active":{"drawId":7,"drawTime":1765483200000}})"));
        requests.push_back({game});
    }
    const std::vector<DrawServiceResult> results = FetchFromDrawService(requests, m_server.baseUrl(), {}, m_limits);
    for (const DrawServiceResult& result : results) {
        EXPECT_EQ(result.error, "");
        EXPECT_EQ(result.next->active->drawId, 7);
    }
    EXPECT_LE(m_server.mostOpenConnections(), 4);
}
