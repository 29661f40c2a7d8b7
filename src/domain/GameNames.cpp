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

// The Greek capitals that look like Latin ones, as the Latin letter: "KINO" on its button is
// Latin, but a Greek keyboard types "ΚΙΝΟ". Indexed by byte - 0xC1 (Α to Ω); 0 where none.
constexpr char kLatinLookalike[] = {'A', 'B', 0, 0,   'E', 'Z', 'H', 0,   'I', 'K', 0, 'M', 'N',
                                    0,   'O', 0, 'P', 0,   0,   'T', 'Y', 0,   'X', 0, 0};

char Unaccented(unsigned char c)
{
    switch (c) {
    case 0xA2: return '\xC1'; // Ά
    case 0xB8: return '\xC5'; // Έ
    case 0xB9: return '\xC7'; // Ή
    case 0xBA: return '\xC9'; // Ί
    case 0xBC: return '\xCF'; // Ό
    case 0xBE: return '\xD5'; // Ύ
    case 0xBF: return '\xD9'; // Ώ
    case 0xDA: return '\xC9'; // Ϊ
    case 0xDB: return '\xD5'; // Ϋ
    default: return static_cast<char>(c);
    }
}

// Capitals without accents, Greek letters shaped as Latin ones taken as Latin, and "-", "_" and
// blanks dropped, so that "Προπο-Κυριακή", "PROPO_SUN", "propo sun" and "Κινο" compare by their
// letters alone.
std::string Folded(std::string_view cp1253)
{
    std::string folded;
    for (const char c : ToUpper(cp1253)) {
        if (c == '-' || c == '_' || c == ' ') {
            continue;
        }
        const auto letter = static_cast<unsigned char>(Unaccented(static_cast<unsigned char>(c)));
        const char latin = letter >= 0xC1 && letter <= 0xD9 ? kLatinLookalike[letter - 0xC1] : 0;
        folded += latin != 0 ? latin : static_cast<char>(letter);
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
