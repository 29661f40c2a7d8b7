#include "domain/GameNames.h"

#include "util/Cp1253.h"

#include <array>

namespace karvo {

namespace {

struct NameEntry
{
    GameCode game;
    const char* caption; // UTF-8, as the button reads on one line
    const char* ascii;
    std::array<const char*, 3> aliases; // further names (UTF-8); null ends the list early
};

constexpr std::array<NameEntry, kGameCount> kNames{{
    {GameCode::PropoSunday, "ΠΡΟΠΟ ΚΥΡΙΑΚΗ", "propo-sun", {"propo-sunday", nullptr, nullptr}},
    {GameCode::PropoSaturday, "ΠΡΟΠΟ ΣΑΒΒΑΤΟ", "propo-sat", {"propo-saturday", nullptr, nullptr}},
    {GameCode::PropoWednesday, "ΠΡΟΠΟ ΤΕΤΑΡΤΗ", "propo-wed", {"propo-wednesday", nullptr, nullptr}},
    {GameCode::Lotto, "LOTTO", "lotto", {"λοττο", "λοτο", nullptr}},
    {GameCode::Goal, "GOAL", "goal", {"propogoal", "γκολ", nullptr}},
    {GameCode::Joker, "JOKER", "joker", {"τζοκερ", nullptr, nullptr}},
    {GameCode::Proto, "ΠΡΟΤΟ", "proto", {"πρωτο", nullptr, nullptr}},
    {GameCode::Extra, "EXTRA", "extra", {"extra5", "εξτρα", nullptr}},
    {GameCode::Super3, "SUPER3", "super3", {"σουπερ3", nullptr, nullptr}},
    {GameCode::Kino, "KINO", "kino", {"κινο", nullptr, nullptr}},
    {GameCode::Stock, "STOCK", "stock", {"stocks", "μετοχες", nullptr}},
    {GameCode::Bet, "BET", "bet", {"coupon", nullptr, nullptr}},
    {GameCode::Funds, "ΑΜΟΙΒΑΙΑ", "funds", {"mutual-funds", nullptr, nullptr}},
}};

const NameEntry& EntryOf(GameCode game)
{
    const int index = ToInt(game) - 1;
    return kNames[static_cast<std::size_t>(index >= 0 && index < kGameCount ? index : 0)];
}

// Capitals without accents, and "-", "_" and blanks dropped, so that "Προπο-Κυριακή",
// "PROPO_SUN" and "propo sun" compare by their letters alone.
std::string Folded(std::string_view cp1253)
{
    std::string folded;
    for (const char c : ToUpper(cp1253)) {
        if (c == '-' || c == '_' || c == ' ') {
            continue;
        }
        switch (static_cast<unsigned char>(c)) {
        case 0xA2: folded += '\xC1'; break; // Ά
        case 0xB8: folded += '\xC5'; break; // Έ
        case 0xB9: folded += '\xC7'; break; // Ή
        case 0xBA: folded += '\xC9'; break; // Ί
        case 0xBC: folded += '\xCF'; break; // Ό
        case 0xBE: folded += '\xD5'; break; // Ύ
        case 0xBF: folded += '\xD9'; break; // Ώ
        case 0xDA: folded += '\xC9'; break; // Ϊ
        case 0xDB: folded += '\xD5'; break; // Ϋ
        default: folded += c;
        }
    }
    return folded;
}

} // namespace

std::string GameName(GameCode game)
{
    return Utf8ToCp1253(EntryOf(game).caption);
}

std::string GameAsciiName(GameCode game)
{
    return EntryOf(game).ascii;
}

std::optional<GameCode> GameFromName(std::string_view utf8)
{
    const std::string wanted = Folded(Utf8ToCp1253(utf8));
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (const NameEntry& entry : kNames) {
        if (wanted == Folded(Utf8ToCp1253(entry.caption)) || wanted == Folded(entry.ascii)) {
            return entry.game;
        }
        for (const char* alias : entry.aliases) {
            if (alias != nullptr && wanted == Folded(Utf8ToCp1253(alias))) {
                return entry.game;
            }
        }
    }
    return std::nullopt;
}

std::vector<GameCode> UpdatableGames()
{
    std::vector<GameCode> games;
    for (const NameEntry& entry : kNames) {
        if (GameInfoFor(entry.game).update != UpdateKind::None) {
            games.push_back(entry.game);
        }
    }
    return games;
}

} // namespace karvo
