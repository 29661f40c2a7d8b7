// Prize tables: the operator's real LOTTO workbook against a hand-read list, hand-made workbooks
// of earlier layouts, headers and cells that must not be guessed, and the cache beside the
// workbooks, rebuilt when it no longer matches them while the results files stay as they were.
#include "prizes/PrizeBook.h"
#include "prizes/PrizeWorkbook.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "util/Cp1253.h"
#include "util/KarvoError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// "name winners×amount" of each category, "name ΤΖΑΚ-ΠΟΤ" for a carried jackpot.
std::string Listed(const DrawPrizes& draw)
{
    std::string text = IntToText(draw.draw) + " " + draw.date.toString("dd/MM/yyyy").toStdString() + " "
        + (draw.columnsPlayed ? IntToText(*draw.columnsPlayed) : "?");
    for (const PrizeCategory& c : draw.categories) {
        text += " | " + U(c.name) + " ";
        text += c.jackpot ? "ΤΖΑΚ-ΠΟΤ"
                          : (c.winners ? IntToText(*c.winners) : "?") + "×"
                + (c.cents ? AmountText(*c.cents, NumberFormat::greek()) : "-");
    }
    return text;
}

// A workbook of the older layouts: captions in row 3, the pairs' captions in row 4, draws below.
std::string PrizeWorkbook(const std::vector<std::string>& categories, const std::string& winnersCaption,
                          const std::vector<std::vector<std::string>>& draws, int numbers)
{
    SheetRows rows{{"ΑΠΟΤΕΛΕΣΜΑΤΑ"}, {"ΚΛΗΡ.", "ΗΜΕΡΟΜΗΝΙΑ", "ΑΡΙΘΜΟΙ"}, {}, {}};
    rows[2].resize(static_cast<std::size_t>(2 + numbers));
    rows[2].push_back("ΣΥΝΟΛΟ ΣΤΗΛΩΝ");
    rows[3].resize(rows[2].size());
    for (const std::string& name : categories) {
        rows[2].insert(rows[2].end(), {name, ""});
        rows[3].insert(rows[3].end(), {winnersCaption, "ΚΕΡΔΗ"});
    }
    rows.insert(rows.end(), draws.begin(), draws.end());
    return OperatorWorkbookBytes({rows});
}

class PrizeFiles : public ::testing::Test
{
protected:
    std::string data(const std::string& name) const { return m_folder.file("Data/" + name); }
    void keep(const std::string& name, const std::string& bytes)
    {
        QDir().mkpath(QString::fromStdString(m_folder.file("Data")));
        WriteBytes(data(name), bytes);
    }

    TempFolder m_folder;
};

const std::vector<std::string> kOldLotto{"6αρια", "5αρια+1", "5αρια", "4αρια", "3αρια"};

} // namespace

TEST(PrizeWorkbook, TheOperatorsLottoWorkbookAsReadByHand)
{
    const std::vector<DrawPrizes> draws = ReadPrizeWorkbook(GameCode::Lotto, TestDataFolder() + "lotto_2024.xlsx");
    ASSERT_EQ(draws.size(), 26u);
    EXPECT_EQ(Listed(draws.front()),
              "2505 30/03/2024 334330 | 6αρια ΤΖΑΚ-ΠΟΤ | 5αρια 6×12.000,00 | 4αρια 305×30,00 "
              "| 3αρια 6077×2,00 | 2αρια 45651×1,00");
    EXPECT_EQ(Listed(draws[6]),
              "2499 09/03/2024 350654 | 6αρια ΤΖΑΚ-ΠΟΤ | 5αρια 4×12.000,00 | 4αρια 211×30,00 "
              "| 3αρια 4428×2,00 | 2αρια 39601×1,00");
    EXPECT_EQ(Listed(draws.back()),
              "2480 03/01/2024 480391 | 6αρια ΤΖΑΚ-ΠΟΤ | 5αρια 17×12.000,00 | 4αρια 753×30,00 "
              "| 3αρια 12237×2,00 | 2αρια 76217×1,00");
    std::int64_t fives = 0;
    for (const DrawPrizes& draw : draws) {
        fives += draw.categoryFor({5, false})->winners.value_or(-1000);
    }
    EXPECT_EQ(fives, 190);
    // A 2024 ticket: two hits win "2αρια", a fifth number with the bonus falls back to "5αρια".
    EXPECT_EQ(U(draws.front().categoryFor({2, false})->name), "2αρια");
    EXPECT_EQ(U(draws.front().categoryFor({5, true})->name), "5αρια");
    EXPECT_EQ(draws.front().categoryFor({1, false}), nullptr);
}

TEST(PrizeWorkbook, EarlierLayoutsAreReadByTheirHeaders)
{
    // LOTTO with its bonus category, the jackpot written out; JOKER's eight categories of 2022
    // with the short caption and a header that is a number cell.
    const std::string lotto =
        PrizeWorkbook(kOldLotto, "ΕΠΙΤΥΧΙΕΣ",
                      {{"1500", "7/1/2015", "1", "2", "3", "4", "5", "6", "2.000.000", "-", "ΤΖΑΚ-ΠΟΤ", "1",
                        "250.000,5", "12", "1.500,00", "800", "35,00", "14.000", "1,50"},
                       {"Σημείωση: η κλήρωση 1499 αναβλήθηκε"}},
                      6);
    TempFolder folder;
    WriteBytes(folder.file("lotto_2015.xlsx"), lotto);
    const std::vector<DrawPrizes> old = ReadPrizeWorkbook(GameCode::Lotto, folder.file("lotto_2015.xlsx"));
    ASSERT_EQ(old.size(), 1u);
    EXPECT_EQ(Listed(old[0]),
              "1500 07/01/2015 2000000 | 6αρια ΤΖΑΚ-ΠΟΤ | 5αρια+1 1×250.000,50 | 5αρια 12×1.500,00 "
              "| 4αρια 800×35,00 | 3αρια 14000×1,50");
    EXPECT_EQ(U(old[0].categoryFor({5, true})->name), "5αρια+1");
    EXPECT_EQ(old[0].categoryFor({2, false}), nullptr); // no "2αρια" that year: nothing won

    const std::string joker =
        PrizeWorkbook({"5 + 1", "5", "4 + 1", "4", "3 + 1", "3", "2 + 1", "1 + 1"}, "ΕΠ/ΧΙΕΣ",
                      {{"2300", "30/1/2022", "1",    "2",         "3",    "4",        "5",   "6",     "1.000.000",
                        "-",    "0",         "2",    "50.000,00", "9",    "2.500,00", "120", "50,00", "700",
                        "2,50", "5.000",     "2,00", "9.000",     "1,50", "30.000",   "1,00"}},
                      6);
    WriteBytes(folder.file("Joker_2022.xlsx"), joker);
    const DrawPrizes draw = ReadPrizeWorkbook(GameCode::Joker, folder.file("Joker_2022.xlsx")).at(0);
    EXPECT_EQ(draw.categories.size(), 8u);
    EXPECT_TRUE(draw.categories[0].jackpot);
    EXPECT_EQ(U(draw.categoryFor({4, true})->name), "4 + 1");
    EXPECT_EQ(AmountText(*draw.categoryFor({4, true})->cents, NumberFormat::greek()), "2.500,00");
    EXPECT_EQ(draw.categoryFor({2, false}), nullptr);
    EXPECT_EQ(U(draw.categoryFor({1, true})->name), "1 + 1");
}

TEST(PrizeWorkbook, UnknownHeadersAndCellsAreRefusedNotGuessed)
{
    TempFolder folder;
    const std::vector<std::string> draw{"1500", "7/1/2015", "1", "2", "3", "4", "5", "6", "100", "-", "ΤΖΑΚ-ΠΟΤ"};
    struct Case
    {
        GameCode game;
        std::vector<std::string> categories;
        std::vector<std::string> row;
        std::string message;
    };
    std::vector<std::string> badAmount = draw;
    badAmount.insert(badAmount.end(), {"2", "περίπου 100"});
    std::vector<std::string> badWinners = draw;
    badWinners.insert(badWinners.end(), {"δύο", "100,00"});
    const std::vector<Case> cases{
        {GameCode::Lotto,
         {"6αρια", "Μπόνους"},
         draw,
         "LOTTO: οι κερδοφόρες κατηγορίες του book.xlsx δεν διαβάζονται: η "
         "κατηγορία «Μπόνους» δεν είναι γνωστή."},
        {GameCode::Lotto, {"6αρια", "7αρια"}, draw, "«7αρια» δεν είναι γνωστή"},
        {GameCode::Extra, {"5", "4+1"}, draw, "«4+1» δεν είναι γνωστή"}, // EXTRA draws no bonus
        {GameCode::Lotto,
         {"6αρια", "5αρια"},
         badAmount,
         "στην κλήρωση 1500 το «περίπου 100» της στήλης «5αρια» δεν είναι ούτε αριθμός, ούτε «-», ούτε «ΤΖΑΚ-ΠΟΤ»."},
        {GameCode::Lotto, {"6αρια", "5αρια"}, badWinners, "το «δύο» της στήλης «5αρια»"},
    };
    for (const Case& c : cases) {
        WriteBytes(folder.file("book.xlsx"), PrizeWorkbook(c.categories, "ΕΠΙΤΥΧΙΕΣ", {c.row}, 6));
        const std::string shown = ErrorOf([&] { ReadPrizeWorkbook(c.game, folder.file("book.xlsx")); });
        EXPECT_NE(shown.find(c.message), std::string::npos) << shown;
    }
    // A workbook without prize columns has no tables, and is no fault.
    WriteBytes(folder.file("book.xlsx"), OperatorWorkbookBytes({{{"ΚΛΗΡ."}, {"1", "1/1/2020", "5"}}}));
    EXPECT_TRUE(ReadPrizeWorkbook(GameCode::Lotto, folder.file("book.xlsx")).empty());
}

TEST(PrizeTable, AmountsAndHeadersWorkedExamples)
{
    const std::vector<std::pair<std::string, std::int64_t>> amounts{
        {"12.000,00", 1200000}, {"1,50", 150},           {"0", 0}, {"6.077", 607700}, {" 2,5 ", 250},
        {"12000.5", 1200050},   {"2.300.000", 230000000}};
    for (const auto& [text, cents] : amounts) {
        EXPECT_EQ(AmountInCents(text), cents) << text;
    }
    for (const std::string text :
         {"-", "", "1.2345", "12.00,00", "1,234", "1.234.5", "abc", "1e5", "99999999999999999999"}) {
        EXPECT_EQ(AmountInCents(text), std::nullopt) << text;
    }
    EXPECT_EQ(AmountText(123456789, NumberFormat{'.', ','}), "1,234,567.89");
    EXPECT_EQ(AmountText(5, NumberFormat::greek()), "0,05");
    EXPECT_EQ(TierOfHeader(GameCode::Lotto, Utf8ToCp1253("6ΑΡΙΑ ")), (PrizeTier{6, false}));
    EXPECT_EQ(TierOfHeader(GameCode::Joker, Utf8ToCp1253("3 + 1")), (PrizeTier{3, true}));
    EXPECT_EQ(TierOfHeader(GameCode::Joker, "6"), std::nullopt);
    EXPECT_EQ(TierOfHeader(GameCode::Joker, "5+2"), std::nullopt);
}

TEST_F(PrizeFiles, TheCacheFollowsTheWorkbooksAndTheResultsFilesStayAsTheyWere)
{
    WriteBytes(m_folder.file("LOTTO.krv"), std::string(3330, '\x07'));
    keep("lotto_2024.xlsx", ReadBytes(TestDataFolder() + "lotto_2024.xlsx"));
    keep("lotto_2015.xlsx",
         PrizeWorkbook(kOldLotto, "ΕΠΙΤΥΧΙΕΣ", {{"1500", "7/1/2015", "1", "2", "3", "4", "5", "6", "9", "1", "5,00"}},
                       6));
    // A year whose workbook cannot be read is named, and the others are still there.
    keep("lotto_2016.xlsx", PrizeWorkbook({"Μπόνους"}, "ΕΠΙΤΥΧΙΕΣ", {{"1600", "1/1/2016"}}, 6));
    const std::string cache = PrizeCacheFile(m_folder.path(), GameCode::Lotto);
    EXPECT_EQ(cache, m_folder.file("Data/LOTTO.prz"));

    const PrizeBook built = LoadPrizeBook(m_folder.path(), GameCode::Lotto);
    ASSERT_EQ(built.draws.size(), 27u);
    EXPECT_EQ(built.sources.size(), 3u);
    ASSERT_EQ(built.problems.size(), 1u);
    EXPECT_NE(built.problems[0].find("lotto_2016.xlsx δεν διαβάζονται: η κατηγορία «Μπόνους»"), std::string::npos);
    EXPECT_EQ(built.onDate(QDate(2015, 1, 7))->draw, 1500);
    EXPECT_EQ(built.numbered(2505)->date, QDate(2024, 3, 30));
    EXPECT_EQ(built.numbered(1), nullptr);
    EXPECT_EQ(ReadBytes(cache), PrizeBookText(built));
    const std::optional<PrizeBook> again = PrizeBookFromText(GameCode::Lotto, ReadBytes(cache));
    ASSERT_TRUE(again);
    EXPECT_EQ(PrizeBookText(*again), PrizeBookText(built));

    // Up to date, the cache is what is read: a mark made in it shows.
    const std::string marked =
        ReplaceFirst(ReadBytes(cache), Utf8ToCp1253("\nC;5αρια;5;0;6;"), Utf8ToCp1253("\nC;5αρια;5;0;7;"));
    WriteBytes(cache, marked);
    EXPECT_EQ(LoadPrizeBook(m_folder.path(), GameCode::Lotto).draws.front().categories[1].winners, 7);
    // Damaged, cut short, or older than a workbook: built anew.
    for (const std::string& damage : {marked.substr(0, marked.size() / 2), std::string("KARVO-PRIZES 1\nX\n"),
                                      ReplaceFirst(marked, "\nD;2505;", "\nD;25x5;")}) {
        WriteBytes(cache, damage);
        EXPECT_EQ(LoadPrizeBook(m_folder.path(), GameCode::Lotto).draws.front().categories[1].winners, 6);
        EXPECT_EQ(ReadBytes(cache), PrizeBookText(built));
    }
    // A draw number a later year uses again (as the pools number their coupons) is another draw.
    WriteBytes(cache, marked);
    keep("lotto_2016.xlsx",
         PrizeWorkbook({"6αρια"}, "ΕΠΙΤΥΧΙΕΣ", {{"1500", "1/1/2016", "1", "2", "3", "4", "5", "6", "9", "-", "0"}}, 6));
    const PrizeBook rebuilt = LoadPrizeBook(m_folder.path(), GameCode::Lotto);
    EXPECT_EQ(rebuilt.draws.size(), 28u);
    EXPECT_TRUE(rebuilt.problems.empty());
    EXPECT_EQ(rebuilt.draws.front().categories[1].winners, 6);
    EXPECT_EQ(rebuilt.onDate(QDate(2016, 1, 1))->draw, 1500);
    EXPECT_EQ(rebuilt.onDate(QDate(2015, 1, 7))->draw, 1500);
    // A cache that cannot be written is passed over; the tables are read all the same.
    QFile::remove(QString::fromStdString(cache));
    QDir().mkpath(QString::fromStdString(cache + "/x"));
    EXPECT_EQ(LoadPrizeBook(m_folder.path(), GameCode::Lotto).draws.size(), 28u);
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), std::string(3330, '\x07'));
    // KINO has no tables; a game with no workbook kept has an empty book.
    EXPECT_TRUE(LoadPrizeBook(m_folder.path(), GameCode::Kino).draws.empty());
    EXPECT_TRUE(LoadPrizeBook(m_folder.path(), GameCode::Joker).sources.empty());
}
