#include "update/UpdateDriver.h"

#include "update/UpdateDrawGames.h"
#include "update/UpdateKino.h"
#include "update/UpdateLists.h"
#include "update/UpdatePropo.h"
#include "update/UpdateSuper3.h"
#include "util/Cp1253.h"

namespace karvo {

namespace {

UpdateResult RunYearUpdate(UpdateContext& context, int gameCode)
{
    switch (gameCode) {
    case 1:
    case 2:
    case 3: return UpdatePropo(context, gameCode);
    case 4:
    case 5:
    case 6: return UpdateNumberGame(context, gameCode - 3);
    case 7: return UpdateProto(context);
    case 8: return UpdateExtra(context);
    default: return UpdateSuper3(context);
    }
}

} // namespace

UpdateOutcome RunUpdate(UpdateContext& context)
{
    const int gameCode = context.state.GameCode;
    UpdateOutcome outcome;
    if (gameCode == 10) {
        const UpdateResult result = UpdateKino(context);
        outcome.viewGame = result.showView ? 10 : 0;
        outcome.clearNotice = result.showView && !result.fetchFailed;
        return outcome;
    }
    if (gameCode < 1 || gameCode > 9) {
        return outcome;
    }
    const std::vector<std::string> years = YearListItems(context.today.year());
    const int choice = context.ui.ChooseFromList(Utf8ToCp1253("Ενημέρωση Νικητριών"), years, "", true);
    // A cancelled choice touches nothing, not even the status bar.
    if (choice < 1 || choice > static_cast<int>(years.size())) {
        return outcome;
    }
    context.state.SelectedYear = FirstFetchYear - 1 + choice;
    const UpdateResult result = RunYearUpdate(context, gameCode);
    outcome.viewGame = gameCode;
    // A failed download's notice stays: otherwise it would look like an update that found nothing new.
    outcome.clearNotice = !result.fetchFailed;
    return outcome;
}

} // namespace karvo
