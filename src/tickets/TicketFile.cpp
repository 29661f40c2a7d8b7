#include "tickets/TicketFile.h"

#include "domain/GameNames.h"
#include "tickets/TicketCheck.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace karvo {

namespace {

QString Q(const std::string& cp1253)
{
    return ToQString(cp1253);
}

std::string FilePath(const std::string& folder)
{
    return folder + std::string(kTicketFileName);
}

QJsonObject ToJson(const KeptTicket& kept)
{
    const GameLayout& layout = LayoutOf(kept.game);
    const Ticket& ticket = kept.ticket;
    QJsonObject entry{{QStringLiteral("name"), Q(kept.name)},
                      {QStringLiteral("game"), QString::fromStdString(GameAsciiName(kept.game))}};
    if (layout.propo) {
        QJsonArray signs;
        for (const std::string& group : SplitFields(TicketEntryText(kept.game, ticket), " ")) {
            if (ticket.signs.empty()) {
                for (const char sign : group) {
                    signs.append(QString(QChar(sign)));
                }
            } else {
                signs.append(QString::fromLatin1(group));
            }
        }
        entry.insert(QStringLiteral("signs"), signs);
    } else if (layout.digits) {
        entry.insert(QStringLiteral("digits"), QString::fromLatin1(TicketEntryText(kept.game, ticket)));
    } else {
        QJsonArray numbers;
        for (const int n : ticket.values) {
            numbers.append(n);
        }
        entry.insert(QStringLiteral("numbers"), numbers);
        if (ticket.bonus >= 0) {
            entry.insert(QStringLiteral("joker"), ticket.bonus);
        }
        if (MostHits(ticket) < static_cast<int>(ticket.values.size())) {
            entry.insert(QStringLiteral("played"), ticket.played);
        }
    }
    return entry;
}

// A whole number of the file as typed; anything else as a text ParseTicket refuses.
std::string NumberText(const QJsonValue& value)
{
    const int n = value.toInt(-1);
    return n >= 0 ? IntToText(n) : std::string("?");
}

// The choice as typed, from an entry's numbers, digits or signs; empty when it has none of them.
std::string ChoiceText(const QJsonObject& entry)
{
    std::string text;
    for (const QJsonValue n : entry.value(QStringLiteral("numbers")).toArray()) {
        text += (text.empty() ? "" : " ") + NumberText(n);
    }
    if (entry.contains(QStringLiteral("joker"))) {
        text += " " + NumberText(entry.value(QStringLiteral("joker")));
    }
    for (const QJsonValue signs : entry.value(QStringLiteral("signs")).toArray()) {
        text += (text.empty() ? "" : " ") + FromQString(signs.toString(QStringLiteral("?")));
    }
    return text + FromQString(entry.value(QStringLiteral("digits")).toString());
}

bool FromJson(const QJsonValue& value, KeptTicket& kept, std::string& message)
{
    const QJsonObject entry = value.toObject();
    const std::optional<GameCode> game = GameFromName(entry.value(QStringLiteral("game")).toString().toStdString());
    if (!game || !IsDrawGame(*game)) {
        message = Utf8ToCp1253("άγνωστο παιχνίδι.");
        return false;
    }
    const int played = entry.value(QStringLiteral("played")).toInt(0);
    return MakeKeptTicket(*game, FromQString(entry.value(QStringLiteral("name")).toString()), ChoiceText(entry), played,
                          kept, message);
}

// Why the bytes are not a ticket file; empty when they are one, read into tickets.
std::string ReadTicketFile(const std::string& bytes, std::vector<KeptTicket>& tickets)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    if (error.error != QJsonParseError::NoError) {
        const bool atEnd = error.offset >= static_cast<int>(bytes.size()) - 1;
        return bytes.empty() ? Utf8ToCp1253("είναι άδειο")
            : atEnd          ? Utf8ToCp1253("είναι κομμένο, τελειώνει στη μέση")
                             : Utf8ToCp1253("δεν είναι JSON (λάθος στο byte ") + IntToText(error.offset) + ")";
    }
    const QJsonObject root = document.object();
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!document.isObject() || !version.isDouble()) {
        return Utf8ToCp1253("δεν είναι αρχείο δελτίων");
    }
    if (version.toInt() != kTicketFileVersion) {
        return Utf8ToCp1253("έχει άγνωστη έκδοση ") + IntToText(version.toInt());
    }
    const QJsonArray entries = root.value(QStringLiteral("tickets")).toArray();
    for (qsizetype k = 0; k < entries.size(); ++k) {
        KeptTicket kept;
        std::string message;
        if (!FromJson(entries.at(k), kept, message)) {
            return Utf8ToCp1253("το δελτίο ") + IntToText(k + 1) + ": " + message;
        }
        tickets.push_back(kept);
    }
    return {};
}

std::string Damaged(const std::string& path, std::string cause)
{
    if (!cause.empty() && cause.back() == '.') {
        cause.pop_back(); // an entry's message ends a sentence of its own
    }
    return Utf8ToCp1253("Το αρχείο ") + path + " " + cause + Utf8ToCp1253(". Τα δελτία ανοίγουν μόνο για ανάγνωση")
        + Utf8ToCp1253(" ώσπου να διορθωθεί ή να μετακινηθεί το αρχείο.");
}

} // namespace

bool MakeKeptTicket(GameCode game, const std::string& name, const std::string& choice, int played, KeptTicket& kept,
                    std::string& message)
{
    // A name is shown on the terminal and in the window as it is: no control characters in it.
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        message = Utf8ToCp1253("Το όνομα του δελτίου έχει χαρακτήρες ελέγχου.");
        return false;
    }
    const std::string trimmed = CleanSpaces(name, 7);
    if (trimmed.empty() || TextLength(trimmed) > kTicketNameMost) {
        message = Utf8ToCp1253("Δώστε όνομα για το δελτίο (έως ") + IntToText(kTicketNameMost)
            + Utf8ToCp1253(" χαρακτήρες).");
        return false;
    }
    Ticket ticket;
    if (!IsDrawGame(game) || !ParseTicket(game, choice, ticket, message)) {
        message = message.empty() ? Utf8ToCp1253("Το παιχνίδι δεν έχει κληρώσεις.") : message;
        return false;
    }
    const int numbers = static_cast<int>(ticket.values.size());
    if (game == GameCode::Kino && (played < 0 || played > numbers)) {
        message =
            Utf8ToCp1253("Οι αριθμοί ανά στήλη είναι περισσότεροι από τους αριθμούς (") + IntToText(numbers) + ").";
        return false;
    }
    ticket.played = game == GameCode::Kino && played < numbers ? played : 0;
    kept = KeptTicket{trimmed, game, ticket};
    return true;
}

TicketList LoadTickets(const std::string& folder)
{
    const std::string path = FilePath(folder);
    TicketList list;
    if (!QFileInfo::exists(NativePath(path)) && !QFileInfo(NativePath(path)).isSymLink()) {
        return list;
    }
    std::string bytes;
    try {
        bytes = LoadTextPrefix(path, kTicketFileMost + 1);
    } catch (const KarvoError& error) {
        list.problem = Utf8ToCp1253(error.what()) + Utf8ToCp1253(". Τα δελτία ανοίγουν μόνο για ανάγνωση.");
        return list;
    }
    const std::string cause = static_cast<std::int64_t>(bytes.size()) > kTicketFileMost
        ? Utf8ToCp1253("είναι πολύ μεγάλο για αρχείο δελτίων")
        : ReadTicketFile(bytes, list.tickets);
    if (!cause.empty()) {
        list.tickets.clear();
        list.problem = Damaged(path, cause);
    }
    return list;
}

std::string TicketFileBytes(const std::vector<KeptTicket>& tickets)
{
    QJsonArray entries;
    for (const KeptTicket& kept : tickets) {
        entries.append(ToJson(kept));
    }
    const QJsonObject root{{QStringLiteral("version"), kTicketFileVersion}, {QStringLiteral("tickets"), entries}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

void SaveTickets(const std::string& folder, const TicketList& list)
{
    const TicketList onDisk = list.readOnly() ? list : LoadTickets(folder);
    if (onDisk.readOnly()) {
        throw KarvoError(Cp1253ToUtf8(onDisk.problem));
    }
    ReplaceFileOrThrow(FilePath(folder), TicketFileBytes(list.tickets));
}

} // namespace karvo
