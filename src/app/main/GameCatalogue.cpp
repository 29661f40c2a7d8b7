#include "app/main/GameCatalogue.h"

namespace karvo {

const std::array<GameEntry, 13>& GameCatalogue()
{
    static const std::array<GameEntry, 13> games{{
        {GameCode::PropoSunday, "SPROPOK", "ΠΡΟΠΟ\nΚΥΡΙΑΚΗ", QColor(0x00, 0x00, 0xFF)},
        {GameCode::PropoSaturday, "SPROPOS", "ΠΡΟΠΟ\nΣΑΒΒΑΤΟ", QColor(0x00, 0x00, 0xFF)},
        {GameCode::PropoWednesday, "SPROPOT", "ΠΡΟΠΟ\nΤΕΤΑΡΤΗ", QColor(0x00, 0x00, 0xFF)},
        {GameCode::Lotto, "SLOTTO", "LOTTO", QColor(0xFF, 0x00, 0xFF)},
        {GameCode::Goal, "SGOAL", "GOAL", QColor(0x80, 0x00, 0x80)},
        {GameCode::Joker, "SJOKER", "JOKER", QColor(0xFF, 0x00, 0x00)},
        {GameCode::Proto, "SPROTO", "ΠΡΟΤΟ", QColor(0x00, 0x80, 0x00)},
        {GameCode::Extra, "SEXTRA", "EXTRA", QColor(0x80, 0x00, 0x80)},
        {GameCode::Super3, "SSUPER3", "SUPER3", QColor(0x00, 0x80, 0xFF)},
        {GameCode::Kino, "SKINO", "KINO", QColor(0x00, 0x00, 0xFF)},
        {GameCode::Stock, "SSTOCK", "STOCK", QColor(0xFF, 0x00, 0xFF)},
        {GameCode::Bet, "SBET", "BET", QColor(0x00, 0x00, 0x00)},
        {GameCode::Funds, "Samb", "ΑΜΟΙΒΑΙΑ", QColor(0xFF, 0x80, 0x40)},
    }};
    return games;
}

QString UpdateCaption(GameCode game)
{
    switch (GameInfoFor(game).update) {
    case UpdateKind::Period: return QStringLiteral("Επιλογή\nΠεριόδου");
    case UpdateKind::StockPrices: return QStringLiteral("Ενημέρωση\nΤιμών XAA");
    case UpdateKind::FundFigures: return QStringLiteral("Ενημέρωση\nΑμοιβαίων");
    case UpdateKind::None: return QString();
    case UpdateKind::YearResults: break;
    }
    return QStringLiteral("Ενημέρωση\nΝικητριών");
}

} // namespace karvo
