#include "app/main/GameCatalogue.h"

namespace karvo {

const std::array<GameEntry, kGameCount>& GameCatalogue()
{
    static const std::array<GameEntry, kGameCount> games{{
        {GameCode::PropoSunday, "propoSundayButton", "ΠΡΟΠΟ\nΚΥΡΙΑΚΗ", QColor(0x00, 0x00, 0xFF)},
        {GameCode::PropoSaturday, "propoSaturdayButton", "ΠΡΟΠΟ\nΣΑΒΒΑΤΟ", QColor(0x00, 0x00, 0xFF)},
        {GameCode::PropoWednesday, "propoWednesdayButton", "ΠΡΟΠΟ\nΤΕΤΑΡΤΗ", QColor(0x00, 0x00, 0xFF)},
        {GameCode::Lotto, "lottoButton", "LOTTO", QColor(0xFF, 0x00, 0xFF)},
        {GameCode::Goal, "goalButton", "GOAL", QColor(0x80, 0x00, 0x80)},
        {GameCode::Joker, "jokerButton", "JOKER", QColor(0xFF, 0x00, 0x00)},
        {GameCode::Proto, "protoButton", "ΠΡΟΤΟ", QColor(0x00, 0x80, 0x00)},
        {GameCode::Extra, "extraButton", "EXTRA", QColor(0x80, 0x00, 0x80)},
        {GameCode::Super3, "super3Button", "SUPER3", QColor(0x00, 0x80, 0xFF)},
        {GameCode::Kino, "kinoButton", "KINO", QColor(0x00, 0x00, 0xFF)},
        {GameCode::Stock, "stocksButton", "STOCK", QColor(0xFF, 0x00, 0xFF)},
        {GameCode::Bet, "betButton", "BET", QColor(0x00, 0x00, 0x00)},
        {GameCode::Funds, "fundsButton", "ΑΜΟΙΒΑΙΑ", QColor(0xFF, 0x80, 0x40)},
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
