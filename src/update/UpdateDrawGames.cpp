#include "update/UpdateDrawGames.h"

#include "results/ResultsFiles.h"
#include "update/NumberGameMerge.h"
#include "update/ProtoExtraMerge.h"
#include "update/UpdateFetch.h"
#include "workbook/WorkbookReader.h"

namespace karvo {

namespace {

// The merge of one game: stored bytes and workbook rows in, new bytes or a refusal out.
using Merge = std::function<MergeResult(const std::string& stored, const WorkbookRows& rows)>;

// The steps the three kinds of update share: notice, read, fetch, size test, read the
// workbook, merge, write.
UpdateResult UpdateSlotFile(UpdateContext& context, GameCode game, int width, const Merge& merge)
{
    // A history that cannot be read stops the update before anything is fetched or written.
    const std::string path = context.folder + GameInfoFor(game).resultsFile;
    const std::string stored = ReadMaskedFile(path);
    context.ui.StatusNotice(WaitNoticeText());
    const FetchedFile workbook = FetchWorkbook(context, game, context.state.SelectedYear);
    UpdateResult result;
    result.fetchFailed = !workbook.fetched || !workbook.readable;
    if (!workbook.readable) {
        return result;
    }
    CellTable table;
    const int rowCount = ReadWorkbook(workbook.path, width, 2, table);
    const MergeResult merged = merge(stored, WorkbookRows{table, rowCount, width});
    if (merged.refused()) {
        context.ui.ShowNotice(NoticeKind::Warning, merged.refusal);
        return result;
    }
    WriteMaskedFile(path, merged.bytes);
    return result;
}

} // namespace

UpdateResult UpdateNumberGame(UpdateContext& context, GameCode code)
{
    const NumberGame& game = NumberGameOf(GameInfoFor(code).variant);
    const int year = context.state.SelectedYear;
    const int currentYear = context.today.year();
    return UpdateSlotFile(context, code, 12, [&](const std::string& stored, const WorkbookRows& rows) {
        return MergeNumberGame(game, stored, rows, year, currentYear);
    });
}

UpdateResult UpdateProto(UpdateContext& context)
{
    const int year = context.state.SelectedYear;
    const int currentYear = context.today.year();
    return UpdateSlotFile(context, GameCode::Proto, 10, [&](const std::string& stored, const WorkbookRows& rows) {
        return MergeProto(stored, rows, year, currentYear);
    });
}

UpdateResult UpdateExtra(UpdateContext& context)
{
    return UpdateSlotFile(context, GameCode::Extra, 10,
                          [](const std::string& stored, const WorkbookRows& rows) { return MergeExtra(stored, rows); });
}

} // namespace karvo
