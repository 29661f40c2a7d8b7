#include "domain/GameNames.h"

#include "util/Cp1253.h"

namespace karvo {

namespace {

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
        const char latin = letter >= 0xC1 && letter <= 0xD9 ? kLatinLookalike[letter - 0xC1] : '\0';
        folded += latin != 0 ? latin : static_cast<char>(letter);
    }
    return folded;
}

} // namespace

std::string GameName(GameCode game)
{
    return Utf8ToCp1253(GameInfoFor(game).caption);
}

std::string GameAsciiName(GameCode game)
{
    return GameInfoFor(game).ascii;
}

std::optional<GameCode> GameFromName(std::string_view utf8)
{
    const std::string wanted = Folded(Utf8ToCp1253(utf8));
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (const GameInfo& entry : AllGames()) {
        if (wanted == Folded(Utf8ToCp1253(entry.caption)) || wanted == Folded(entry.ascii)) {
            return entry.code;
        }
        for (const char* alias : entry.aliases) {
            if (alias != nullptr && wanted == Folded(Utf8ToCp1253(alias))) {
                return entry.code;
            }
        }
    }
    return std::nullopt;
}

std::vector<GameCode> UpdatableGames()
{
    std::vector<GameCode> games;
    for (const GameInfo& entry : AllGames()) {
        if (entry.update != UpdateKind::None) {
            games.push_back(entry.code);
        }
    }
    return games;
}

} // namespace karvo
