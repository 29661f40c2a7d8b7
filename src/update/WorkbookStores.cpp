#include "update/WorkbookStores.h"

#include "domain/Endpoints.h"
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "update/KinoMonth.h"
#include "update/NumberGameMerge.h"
#include "update/PropoCoupons.h"
#include "update/ProtoExtraMerge.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "workbook/WorkbookReader.h"

namespace karvo {

namespace {

// The answer's head must reach past a byte-order mark, blank lines and "<!doctype html".
constexpr std::int64_t HeadBytes = 512;

// The merge of one game: stored bytes and workbook rows in, new bytes or a refusal out.
MergeResult MergeDraws(GameCode game, const std::string& stored, const WorkbookRows& rows, int year, int currentYear)
{
    switch (GameInfoFor(game).view) {
    case ViewKind::Proto: return MergeProto(stored, rows, year, currentYear);
    case ViewKind::Extra: return MergeExtra(stored, rows);
    default: return MergeNumberGame(game, stored, rows, year, currentYear);
    }
}

} // namespace

std::string StoreDrawWorkbook(const std::string& folder, GameCode game, const std::string& workbook, int year,
                              int currentYear)
{
    const GameInfo& info = GameInfoFor(game);
    const std::string resultsFile = folder + info.resultsFile;
    const std::string stored = ReadMaskedFile(resultsFile);
    const int width = info.workbook.columns;
    CellTable table;
    const int rowCount = ReadWorkbook(workbook, width, 2, table);
    const MergeResult merged = MergeDraws(game, stored, WorkbookRows{table, rowCount, width}, year, currentYear);
    if (!merged.refused()) {
        WriteMaskedFile(resultsFile, merged.bytes);
    }
    return merged.refusal;
}

std::string StorePropoAnswer(const std::string& folder, GameCode game, const std::string& answer, int year)
{
    const std::string resultsFile = folder + GameInfoFor(game).resultsFile;
    std::vector<std::uint16_t> words = ReadPropoFile(resultsFile);
    // The operator serves the pools either as a workbook or as a page with a table.
    CellTable table;
    PropoCells cells;
    if (IsHtmlAnswer(LoadTextPrefix(answer, HeadBytes))) {
        cells = PropoCellsFromPage(LoadTextFile(answer));
    } else {
        cells = PropoCellsFromWorkbook(table, ReadWorkbook(answer, GameInfoFor(game).workbook.columns, 3, table));
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
    WritePropoFile(resultsFile, words, year);
    return {};
}

std::string StoreKinoMonth(const std::string& monthFile, const std::string& workbook, int month)
{
    // The month is built anew from the workbook, but a kept file that cannot be read is a fault
    // the user must see before anything replaces it.
    ReadKinoFile(monthFile);
    const int width = GameInfoFor(GameCode::Kino).workbook.columns;
    CellTable table;
    const int rowCount = ReadWorkbook(workbook, width, 2, table);
    const MergeResult built = BuildKinoMonth(WorkbookRows{table, rowCount, width}, ZeroPad(month, 2));
    if (!built.refused()) {
        WriteKinoFile(monthFile, built.bytes);
    }
    return built.refusal;
}

std::string Super3Workbook(const std::string& folder, int year, int month)
{
    return LocalResultFile(folder, ResultEndpointFor(GameCode::Super3, year, month, {}).fileName);
}

} // namespace karvo
