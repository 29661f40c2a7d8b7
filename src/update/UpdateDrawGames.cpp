#include "update/UpdateDrawGames.h"

#include "results/ResultsFiles.h"
#include "update/NumberGameMerge.h"
#include "update/ProtoExtraMerge.h"
#include "update/UpdateFetch.h"
#include "workbook/WorkbookReader.h"

namespace karvo {

namespace {

// The steps the three kinds of update share: notice, read, fetch, size test, then the store.
UpdateResult UpdateSlotFile(UpdateContext& context, GameCode game)
{
    // A history that cannot be read stops the update before anything is fetched or written.
    const std::string stored = ReadMaskedFile(context.folder + GameInfoFor(game).resultsFile);
    context.ui.StatusNotice(WaitNoticeText());
    const int year = context.state.SelectedYear;
    const FetchedFile workbook = FetchWorkbook(context, game, year);
    UpdateResult result;
    result.fetchFailed = !workbook.fetched || !workbook.readable;
    if (!workbook.readable) {
        return result;
    }
    const std::string refusal =
        StoreDrawWorkbook(context.folder, game, stored, workbook.path, year, context.today.year());
    if (!refusal.empty()) {
        context.ui.ShowNotice(NoticeKind::Warning, refusal);
    }
    return result;
}

// The merge of one game: stored bytes and workbook rows in, new bytes or a refusal out.
MergeResult MergeDraws(GameCode game, const std::string& stored, const WorkbookRows& rows, int year, int currentYear)
{
    switch (GameInfoFor(game).view) {
    case ViewKind::Proto: return MergeProto(stored, rows, year, currentYear);
    case ViewKind::Extra: return MergeExtra(stored, rows);
    default: return MergeNumberGame(NumberGameOf(GameInfoFor(game).variant), stored, rows, year, currentYear);
    }
}

} // namespace

std::string StoreDrawWorkbook(const std::string& folder, GameCode game, const std::string& stored,
                              const std::string& workbook, int year, int currentYear)
{
    // LOTTO, GOAL and JOKER read twelve columns, ΠΡΟΤΟ and EXTRA ten.
    const int width = GameInfoFor(game).view == ViewKind::NumberGame ? 12 : 10;
    CellTable table;
    const int rowCount = ReadWorkbook(workbook, width, 2, table);
    const MergeResult merged = MergeDraws(game, stored, WorkbookRows{table, rowCount, width}, year, currentYear);
    if (!merged.refused()) {
        WriteMaskedFile(folder + GameInfoFor(game).resultsFile, merged.bytes);
    }
    return merged.refusal;
}

UpdateResult UpdateNumberGame(UpdateContext& context, GameCode code)
{
    return UpdateSlotFile(context, code);
}

UpdateResult UpdateProto(UpdateContext& context)
{
    return UpdateSlotFile(context, GameCode::Proto);
}

UpdateResult UpdateExtra(UpdateContext& context)
{
    return UpdateSlotFile(context, GameCode::Extra);
}

} // namespace karvo
