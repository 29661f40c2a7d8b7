#include "app/GameCatalogue.h"

namespace karvo {

const std::array<GameEntry, 13>& GameCatalogue()
{
    static const std::array<GameEntry, 13> games{{
        {1, "SPROPOK", "ΠΡΟΠΟ\nΚΥΡΙΑΚΗ", QColor(0x00, 0x00, 0xFF)},
        {2, "SPROPOS", "ΠΡΟΠΟ\nΣΑΒΒΑΤΟ", QColor(0x00, 0x00, 0xFF)},
        {3, "SPROPOT", "ΠΡΟΠΟ\nΤΕΤΑΡΤΗ", QColor(0x00, 0x00, 0xFF)},
        {4, "SLOTTO", "LOTTO", QColor(0xFF, 0x00, 0xFF)},
        {5, "SGOAL", "GOAL", QColor(0x80, 0x00, 0x80)},
        {6, "SJOKER", "JOKER", QColor(0xFF, 0x00, 0x00)},
        {7, "SPROTO", "ΠΡΟΤΟ", QColor(0x00, 0x80, 0x00)},
        {8, "SEXTRA", "EXTRA", QColor(0x80, 0x00, 0x80)},
        {9, "SSUPER3", "SUPER3", QColor(0x00, 0x80, 0xFF)},
        {10, "SKINO", "KINO", QColor(0x00, 0x00, 0xFF)},
        {11, "SSTOCK", "STOCK", QColor(0xFF, 0x00, 0xFF)},
        {12, "SBET", "BET", QColor(0x00, 0x00, 0x00)},
        {13, "Samb", "ΑΜΟΙΒΑΙΑ", QColor(0xFF, 0x80, 0x40)},
    }};
    return games;
}

QString UpdateCaption(int gameCode)
{
    switch (gameCode) {
    case 9:
    case 10: return QStringLiteral("Επιλογή\nΠεριόδου");
    case 11: return QStringLiteral("Ενημέρωση\nΤιμών XAA");
    case 12: return QString();
    case 13: return QStringLiteral("Ενημέρωση\nΑμοιβαίων");
    default: return QStringLiteral("Ενημέρωση\nΝικητριών");
    }
}

} // namespace karvo
