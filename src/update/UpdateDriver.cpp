#include "update/UpdateDriver.h"

#include "update/MarketUpdates.h"
#include "update/UpdateDrawGames.h"
#include "update/UpdateKino.h"
#include "update/UpdateLists.h"
#include "update/UpdatePropo.h"
#include "update/UpdateSuper3.h"
#include "util/Cp1253.h"

namespace karvo {

namespace {

UpdateResult RunYearUpdate(UpdateContext& context, GameCode game)
{
    switch (GameInfoFor(game).view) {
    case ViewKind::Propo: return UpdatePropo(context, game);
    case ViewKind::NumberGame: return UpdateNumberGame(context, game);
    case ViewKind::Proto: return UpdateProto(context);
    case ViewKind::Extra: return UpdateExtra(context);
    default: return UpdateSuper3(context);
    }
}

} // namespace

UpdateOutcome RunUpdate(UpdateContext& context)
{
    const GameCode game = context.state.GameCode;
    UpdateOutcome outcome;
    switch (GameInfoFor(game).update) {
    case UpdateKind::None: return outcome;
    case UpdateKind::StockPrices:
    case UpdateKind::FundFigures:
        game == GameCode::Stock ? UpdateStockPrices(context) : UpdateFundFigures(context);
        outcome.viewGame = game;
        return outcome;
    case UpdateKind::Period:
        if (game == GameCode::Kino) {
            const UpdateResult result = UpdateKino(context);
            if (result.showView) {
                outcome.viewGame = game;
            }
            outcome.clearNotice = result.showView && !result.fetchFailed;
            return outcome;
        }
        break;
    case UpdateKind::YearResults: break;
    }
    const std::vector<std::string> years = YearListItems(context.today.year());
    const int choice = context.ui.ChooseFromList(Utf8ToCp1253("Ενημέρωση Νικητριών"), years, "", true);
    // A cancelled choice touches nothing, not even the status bar.
    if (choice < 1 || choice > static_cast<int>(years.size())) {
        return outcome;
    }
    context.state.SelectedYear = FirstFetchYear - 1 + choice;
    const UpdateResult result = RunYearUpdate(context, game);
    outcome.viewGame = game;
    // A failed download's notice stays: otherwise it would look like an update that found nothing new.
    outcome.clearNotice = !result.fetchFailed;
    return outcome;
}

} // namespace karvo
