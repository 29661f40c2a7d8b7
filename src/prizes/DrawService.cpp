#include "prizes/DrawService.h"

#include "util/Cp1253.h"
#include "util/Environment.h"
#include "util/KarvoError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace karvo {

namespace {

// The service's categories by id, for the games whose tickets are checked against them.
struct ServiceCategory
{
    int id;
    const char* name; // UTF-8, as the workbooks name it
};

constexpr ServiceCategory kLottoCategories[] = {{1, "6αρια"}, {2, "5αρια"}, {3, "4αρια"}, {4, "3αρια"}, {5, "2αρια"}};
constexpr ServiceCategory kJokerCategories[] = {{1, "5 + 1"}, {2, "5"},     {3, "4 + 1"}, {4, "4"}, {5, "3 + 1"},
                                                {6, "3"},     {7, "2 + 1"}, {8, "1 + 1"}, {9, "2"}};

// The category's name and tier; a category the program does not know by its id is shown by its
// number and never matched to a ticket.
PrizeCategory NamedCategory(GameCode game, int id)
{
    PrizeCategory category;
    const auto find = [&category, id, game](const auto& table) {
        for (const ServiceCategory& known : table) {
            if (known.id == id) {
                category.name = Utf8ToCp1253(known.name);
                category.tier = *TierOfHeader(game, category.name);
                return true;
            }
        }
        return false;
    };
    const bool known =
        (game == GameCode::Lotto && find(kLottoCategories)) || (game == GameCode::Joker && find(kJokerCategories));
    if (!known) {
        category.name = Utf8ToCp1253("Κατηγορία ") + std::to_string(id);
        category.tier = {-1, false};
    }
    return category;
}

class JsonReading
{
public:
    explicit JsonReading(GameCode game)
        : m_game(game)
    {
    }

    [[noreturn]] void fail(const std::string& cause) const
    {
        throw KarvoError(GameInfoFor(m_game).caption
                         + std::string(": η απάντηση της υπηρεσίας κληρώσεων δεν διαβάζεται: ") + cause + ".");
    }

    QJsonObject document(const std::string& body) const
    {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(body), &error);
        if (error.error != QJsonParseError::NoError) {
            fail("δεν είναι JSON (σφάλμα στη θέση " + std::to_string(error.offset) + ")");
        }
        if (!document.isObject()) {
            fail("δεν είναι αντικείμενο JSON");
        }
        return document.object();
    }

    ServiceDraw draw(const QJsonValue& value) const
    {
        if (!value.isObject()) {
            fail("μια κλήρωση δεν είναι αντικείμενο JSON");
        }
        const QJsonObject object = value.toObject();
        if (const QJsonValue game = object.value("gameId"); !game.isUndefined()) {
            const int expected = GameInfoFor(m_game).operatorId;
            if (!game.isDouble() || game.toInt() != expected) {
                fail("είναι για το παιχνίδι " + Text(game) + ", όχι για το " + std::to_string(expected));
            }
        }
        ServiceDraw draw;
        draw.drawId = static_cast<int>(whole(object, "drawId", true).value_or(0));
        if (draw.drawId <= 0) {
            fail("ο αριθμός κλήρωσης «drawId» δεν είναι θετικός");
        }
        draw.drawTime = QDateTime::fromMSecsSinceEpoch(whole(object, "drawTime", true).value_or(0)).toUTC();
        draw.status = object.value("status").toString().toStdString();
        draw.prizes.draw = draw.drawId;
        draw.prizes.date = draw.drawTime.date(); // the draws are held in the Greek evening, on this date
        if (const QJsonValue numbers = object.value("winningNumbers"); numbers.isObject()) {
            draw.numbers = list(numbers.toObject().value("list"), "winningNumbers.list");
            draw.bonus = list(numbers.toObject().value("bonus"), "winningNumbers.bonus");
        }
        const QJsonValue categories = object.value("prizeCategories");
        if (!categories.isUndefined() && !categories.isArray()) {
            fail("το πεδίο «prizeCategories» δεν είναι λίστα");
        }
        for (const auto& entry : categories.toArray()) {
            readCategory(entry, draw);
        }
        return draw;
    }

private:
    static std::string Text(const QJsonValue& value)
    {
        return value.isDouble() ? std::to_string(value.toInteger())
                                : "«" + value.toVariant().toString().toStdString() + "»";
    }

    // A whole number of the object; a missing one is not known, or a failure when required.
    std::optional<std::int64_t> whole(const QJsonObject& object, const char* field, bool required) const
    {
        const QJsonValue value = object.value(field);
        if (value.isUndefined() || value.isNull()) {
            if (required) {
                fail(std::string("λείπει το πεδίο «") + field + "»");
            }
            return std::nullopt;
        }
        if (!value.isDouble() || value.toDouble() != std::floor(value.toDouble())
            || std::abs(value.toDouble()) > 9e15) {
            fail(std::string("το πεδίο «") + field + "» δεν είναι ακέραιος αριθμός");
        }
        return static_cast<std::int64_t>(value.toDouble());
    }

    // Euros as the service writes them, in cents; a missing amount is not known.
    std::optional<std::int64_t> cents(const QJsonObject& object, const char* field) const
    {
        const QJsonValue value = object.value(field);
        if (value.isUndefined() || value.isNull()) {
            return std::nullopt;
        }
        if (!value.isDouble() || value.toDouble() < 0 || value.toDouble() > 9e13) {
            fail(std::string("το ποσό «") + field + "» δεν είναι αριθμός");
        }
        return static_cast<std::int64_t>(std::llround(value.toDouble() * 100));
    }

    std::vector<int> list(const QJsonValue& value, const char* field) const
    {
        std::vector<int> numbers;
        if (value.isUndefined() || value.isNull()) {
            return numbers;
        }
        if (!value.isArray()) {
            fail(std::string("το πεδίο «") + field + "» δεν είναι λίστα");
        }
        for (const auto& number : value.toArray()) {
            if (!number.isDouble()) {
                fail(std::string("το πεδίο «") + field + "» έχει κάτι που δεν είναι αριθμός");
            }
            numbers.push_back(number.toInt());
        }
        return numbers;
    }

    void readCategory(const QJsonValue& entry, ServiceDraw& draw) const
    {
        if (!entry.isObject()) {
            fail("μια κατηγορία κερδών δεν είναι αντικείμενο JSON");
        }
        const QJsonObject object = entry.toObject();
        const std::int64_t id = whole(object, "id", true).value_or(0);
        PrizeCategory category = NamedCategory(m_game, static_cast<int>(id));
        category.winners = whole(object, "winners", false);
        category.cents = cents(object, "divident");
        if (id == 1) {
            draw.jackpotCents = cents(object, "jackpot");
            draw.announcedCents = cents(object, "minimumDistributed");
            if (category.winners == 0) {
                category.jackpot = true; // nobody won: carried to the next draw
                category.cents.reset();
            }
        } else if (category.winners == 0) {
            category.cents.reset();
        }
        draw.prizes.categories.push_back(std::move(category));
    }

    GameCode m_game;
};

const char* const kDayNames[] = {"Δευτέρα", "Τρίτη", "Τετάρτη", "Πέμπτη", "Παρασκευή", "Σάββατο", "Κυριακή"};

} // namespace

bool HasDrawService(GameCode game)
{
    switch (game) {
    case GameCode::Kino:
    case GameCode::Super3:
    case GameCode::Proto:
    case GameCode::Lotto:
    case GameCode::Joker:
    case GameCode::Extra: return true;
    default: return false;
    }
}

std::string DrawServiceBase()
{
    return ServerAddressFrom("KARVO_DRAWS_URL", "https://api.opap.gr");
}

std::string DrawServiceUrl(const std::string& base, GameCode game, int drawId)
{
    const std::string path = "/draws/v3.0/" + std::to_string(GameInfoFor(game).operatorId) + "/";
    return base + path + (drawId > 0 ? std::to_string(drawId) : std::string("last-result-and-active"));
}

ServiceDraw ServiceDrawFromJson(GameCode game, const std::string& body)
{
    const JsonReading reading(game);
    return reading.draw(reading.document(body));
}

NextDraw NextDrawFromJson(GameCode game, const std::string& body)
{
    const JsonReading reading(game);
    const QJsonObject object = reading.document(body);
    NextDraw next;
    if (const QJsonValue last = object.value("last"); !last.isUndefined() && !last.isNull()) {
        next.last = reading.draw(last);
    }
    if (const QJsonValue active = object.value("active"); !active.isUndefined() && !active.isNull()) {
        next.active = reading.draw(active);
    }
    if (!next.last && !next.active) {
        reading.fail("δεν έχει ούτε την τελευταία ούτε την επόμενη κλήρωση");
    }
    return next;
}

std::string NextDrawLine(const ServiceDraw& active, const NumberFormat& format, const QTimeZone& zone)
{
    std::string line = "Επόμενη κλήρωση:";
    if (active.drawTime.isValid()) {
        const QDateTime local = active.drawTime.toTimeZone(zone);
        line += std::string(" ") + kDayNames[local.date().dayOfWeek() - 1] + " "
            + local.toString(QStringLiteral("dd/MM HH:mm")).toStdString();
    }
    const std::optional<std::int64_t> jackpot = active.announcedCents ? active.announcedCents : active.jackpotCents;
    if (jackpot && *jackpot > 0) {
        line += " · Τζακπότ " + Cp1253ToUtf8(GroupedWhole((*jackpot + 50) / 100, format)) + " €";
    }
    return Utf8ToCp1253(line);
}

} // namespace karvo
