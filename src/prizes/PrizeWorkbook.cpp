#include "prizes/PrizeWorkbook.h"

#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/KarvoError.h"
#include "workbook/WorkbookReader.h"

#include <QFileInfo>

namespace karvo {

namespace {

// Columns read from each row: the numbers and some twenty categories of two columns each.
constexpr int kPrizeWidth = 64;
// The header rows come first; the captions of the pairs are looked for among these.
constexpr int kHeaderRows = 12;

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \xA0");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \xA0") - first + 1);
}

// The caption without blanks, in capitals: "ΕΠ/ΧΙΕΣ", "ΚΕΡΔΗ".
std::string Caption(const std::string& cell)
{
    std::string text;
    for (const char c : ToUpper(cell)) {
        if (c != ' ' && c != '\xA0') {
            text += c;
        }
    }
    return text;
}

// The captions of the prize columns as Caption() gives them, in Windows-1253.
struct Captions
{
    std::string winners = Utf8ToCp1253("ΕΠΙΤΥΧΙΕΣ");
    std::string shortWinners = Utf8ToCp1253("ΕΠ/ΧΙΕΣ");
    std::string amount = Utf8ToCp1253("ΚΕΡΔΗ");
    std::string played = Utf8ToCp1253("ΣΥΝΟΛΟΣΤΗΛΩΝ");
    std::string jackpot = Utf8ToCp1253("ΤΖΑΚΠΟΤ");
};

const Captions& Words()
{
    static const Captions captions;
    return captions;
}

struct Pair
{
    int winnersColumn = 0;
    std::string name;
    PrizeTier tier;
};

// Where the prize columns are: the row of the pairs' captions, the columns-played column.
struct Layout
{
    int captionRow = -1;
    int playedColumn = 0;
    std::vector<Pair> pairs;
};

class Reading
{
public:
    Reading(GameCode game, const CellTable& table, int rowCount, int width, const std::string& source)
        : m_game(game)
        , m_table(table)
        , m_rowCount(rowCount)
        , m_width(width)
        , m_source(source)
    {
    }

    std::vector<DrawPrizes> draws() const
    {
        const Layout layout = findLayout();
        std::vector<DrawPrizes> found;
        if (layout.pairs.empty()) {
            return found;
        }
        const int dateColumn = IsPropo(m_game) ? 3 : 2;
        for (int row = layout.captionRow + 1; row < m_rowCount; ++row) {
            const std::string drawCell = Trimmed(cell(row, 1));
            if (drawCell.empty() || drawCell.size() > 9
                || drawCell.find_first_not_of("0123456789") != std::string::npos) {
                continue; // not a draw's row: a note, a blank line
            }
            DrawPrizes prizes;
            prizes.draw = TextToInt(drawCell);
            prizes.date = DateOf(cell(row, dateColumn));
            if (layout.playedColumn > 0) {
                prizes.columnsPlayed = count(row, layout.playedColumn, prizes, Utf8ToCp1253("ΣΥΝΟΛΟ ΣΤΗΛΩΝ"));
            }
            for (const Pair& pair : layout.pairs) {
                prizes.categories.push_back(category(row, pair, prizes));
            }
            // Nobody won the top category: its amount goes to the next draw.
            PrizeCategory& top = prizes.categories.front();
            if (top.winners == 0) {
                top.jackpot = true;
                top.cents.reset();
            }
            found.push_back(std::move(prizes));
        }
        return found;
    }

private:
    const std::string& cell(int row, int column) const
    {
        return m_table[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_width)
                       + static_cast<std::size_t>(column)];
    }

    [[noreturn]] void fail(const std::string& cause) const
    {
        throw KarvoError(GameInfoFor(m_game).caption + std::string(": οι κερδοφόρες κατηγορίες του ") + m_source
                         + " δεν διαβάζονται: " + cause + ".");
    }

    Layout findLayout() const
    {
        Layout layout;
        for (int row = 0; row < std::min(m_rowCount, kHeaderRows) && layout.pairs.empty(); ++row) {
            for (int column = 1; column + 1 < m_width; ++column) {
                const std::string caption = Caption(cell(row, column));
                if (caption == Words().played) {
                    layout.playedColumn = column;
                }
                if ((caption != Words().winners && caption != Words().shortWinners)
                    || Caption(cell(row, column + 1)) != Words().amount) {
                    continue;
                }
                const std::string name = row > 0 ? Trimmed(cell(row - 1, column)) : std::string();
                if (name.empty()) {
                    fail("η στήλη " + std::to_string(column) + " δεν έχει όνομα κατηγορίας");
                }
                const std::optional<PrizeTier> tier = TierOfHeader(m_game, name);
                if (!tier) {
                    fail("η κατηγορία «" + Cp1253ToUtf8(name) + "» δεν είναι γνωστή");
                }
                layout.captionRow = row;
                layout.pairs.push_back({column, name, *tier});
                ++column;
            }
        }
        return layout;
    }

    // A count of the row: a number, or "-" for none; an empty cell is not known.
    std::optional<std::int64_t> count(int row, int column, const DrawPrizes& prizes, const std::string& what) const
    {
        const std::string text = Trimmed(cell(row, column));
        if (text.empty()) {
            return std::nullopt;
        }
        if (text == "-") {
            return 0;
        }
        const std::optional<std::int64_t> value = AmountInCents(text);
        if (!value || *value % 100 != 0) {
            badCell(prizes, text, what);
        }
        return *value / 100;
    }

    PrizeCategory category(int row, const Pair& pair, const DrawPrizes& prizes) const
    {
        PrizeCategory category;
        category.name = pair.name;
        category.tier = pair.tier;
        category.winners = count(row, pair.winnersColumn, prizes, pair.name);
        const std::string amount = Trimmed(cell(row, pair.winnersColumn + 1));
        if (Caption(ReplaceDashes(amount)) == Words().jackpot) {
            category.jackpot = true;
        } else if (!amount.empty() && amount != "-") {
            category.cents = AmountInCents(amount);
            if (!category.cents) {
                badCell(prizes, amount, pair.name);
            }
            if (category.winners == 0) {
                category.cents.reset(); // the "0" of a category nobody won
            }
        }
        return category;
    }

    [[noreturn]] void badCell(const DrawPrizes& prizes, const std::string& text, const std::string& what) const
    {
        fail("στην κλήρωση " + std::to_string(prizes.draw) + " το «" + Cp1253ToUtf8(text) + "» της στήλης «"
             + Cp1253ToUtf8(what) + "» δεν είναι ούτε αριθμός, ούτε «-», ούτε «ΤΖΑΚ-ΠΟΤ»");
    }

    static std::string ReplaceDashes(std::string text)
    {
        std::erase(text, '-');
        return text;
    }

    // "30/3/2024" or "03/1/2024"; an invalid date when the cell holds none.
    static QDate DateOf(const std::string& text)
    {
        const QStringList parts = QString::fromLatin1(Trimmed(text)).split('/');
        if (parts.size() != 3) {
            return {};
        }
        return {parts[2].toInt(), parts[1].toInt(), parts[0].toInt()};
    }

    GameCode m_game;
    const CellTable& m_table;
    int m_rowCount;
    int m_width;
    std::string m_source;
};

} // namespace

bool HasPrizeTables(GameCode game)
{
    return IsDrawGame(game) && game != GameCode::Kino;
}

std::vector<DrawPrizes> PrizeTablesOf(GameCode game, const CellTable& table, int rowCount, int width,
                                      const std::string& source)
{
    return Reading(game, table, rowCount, width, source).draws();
}

std::vector<DrawPrizes> ReadPrizeWorkbook(GameCode game, const std::string& path)
{
    CellTable table;
    const int rowCount = ReadWorkbook(path, kPrizeWidth, IsPropo(game) ? 3 : 2, table);
    const std::string source = QFileInfo(NativePath(path)).fileName().toStdString();
    return PrizeTablesOf(game, table, rowCount, kPrizeWidth, source);
}

} // namespace karvo
