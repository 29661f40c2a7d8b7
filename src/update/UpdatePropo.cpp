#include "update/UpdatePropo.h"

#include "results/PropoFile.h"
#include "update/PropoCoupons.h"
#include "update/UpdateFetch.h"
#include "util/Files.h"
#include "workbook/WorkbookReader.h"

namespace karvo {

namespace {

// The answer's head must reach past a byte-order mark, blank lines and "<!doctype html".
constexpr std::int64_t HeadBytes = 512;

} // namespace

std::string StorePropoAnswer(const std::string& folder, GameCode game, std::vector<std::uint16_t> words,
                             const std::string& answer, int year)
{
    // The operator serves the pools either as a workbook or as a page with a table.
    CellTable table;
    PropoCells cells;
    if (IsHtmlAnswer(LoadTextPrefix(answer, HeadBytes))) {
        cells = PropoCellsFromPage(LoadTextFile(answer));
    } else {
        cells = PropoCellsFromWorkbook(table, ReadWorkbook(answer, PropoWidth, 3, table));
    }
    const PropoScan scan = ScanPropoCoupons(cells, year);
    if (!scan.refusal.empty()) {
        return scan.refusal;
    }
    // Values the file does not hold yet are empty slots, so the write may extend it over them.
    const std::int64_t last = PropoCouponWord(year, PropoSlotsPerYear) + 1;
    if (static_cast<std::int64_t>(words.size()) <= last) {
        words.resize(static_cast<std::size_t>(last + 1), PropoEmptyValue);
    }
    for (std::size_t k = 0; k < scan.coupons.size(); ++k) {
        const std::int64_t w = PropoCouponWord(year, static_cast<int>(k) + 1);
        words[static_cast<std::size_t>(w)] = scan.coupons[k][0];
        words[static_cast<std::size_t>(w) + 1] = scan.coupons[k][1];
    }
    WritePropoFile(folder + GameInfoFor(game).resultsFile, words, year);
    return {};
}

UpdateResult UpdatePropo(UpdateContext& context, GameCode game)
{
    const int year = context.state.SelectedYear;
    if (year < PropoFirstYear) {
        return {};
    }
    std::vector<std::uint16_t> words = ReadPropoFile(context.folder + GameInfoFor(game).resultsFile);
    context.ui.StatusNotice(WaitNoticeText());
    const FetchedFile answer = FetchWorkbook(context, game, year, 1, 1);
    UpdateResult result;
    // A failed download ends the pools update at once, even when an earlier copy is kept.
    if (!answer.fetched) {
        result.fetchFailed = true;
        return result;
    }
    const std::string refusal = StorePropoAnswer(context.folder, game, std::move(words), answer.path, year);
    if (!refusal.empty()) {
        context.ui.ShowNotice(NoticeKind::Warning, refusal);
    }
    return result;
}

} // namespace karvo
