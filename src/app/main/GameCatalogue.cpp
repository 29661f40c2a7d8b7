#include "app/main/GameCatalogue.h"

namespace karvo {

const std::array<GameEntry, kGameCount>& GameCatalogue()
{
    static const std::array<GameEntry, kGameCount> games{{
        {GameCode::PropoSunday, "propoSundayButton", QColor(0x00, 0x00, 0xFF)},
        {GameCode::PropoSaturday, "propoSaturdayButton", QColor(0x00, 0x00, 0xFF)},
        {GameCode::PropoWednesday, "propoWednesdayButton", QColor(0x00, 0x00, 0xFF)},
        {GameCode::Lotto, "lottoButton", QColor(0xFF, 0x00, 0xFF)},
        {GameCode::Goal, "goalButton", QColor(0x80, 0x00, 0x80)},
        {GameCode::Joker, "jokerButton", QColor(0xFF, 0x00, 0x00)},
        {GameCode::Proto, "protoButton", QColor(0x00, 0x80, 0x00)},
        {GameCode::Extra, "extraButton", QColor(0x80, 0x00, 0x80)},
        {GameCode::Super3, "super3Button", QColor(0x00, 0x80, 0xFF)},
        {GameCode::Kino, "kinoButton", QColor(0x00, 0x00, 0xFF)},
        {GameCode::Stock, "stocksButton", QColor(0xFF, 0x00, 0xFF)},
        {GameCode::Bet, "betButton", QColor(0x00, 0x00, 0x00)},
        {GameCode::Funds, "fundsButton", QColor(0xFF, 0x80, 0x40)},
    }};
    return games;
}

QString ButtonCaption(GameCode game)
{
    return QString::fromUtf8(GameInfoFor(game).caption).replace(QLatin1Char(' '), QLatin1Char('\n'));
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
