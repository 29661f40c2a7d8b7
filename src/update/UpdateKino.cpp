#include "update/UpdateKino.h"

#include "results/ResultsFiles.h"
#include "update/KinoMonth.h"
#include "update/UpdateFetch.h"
#include "update/UpdateLists.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "workbook/WorkbookReader.h"

namespace karvo {

UpdateResult UpdateKino(UpdateContext& context)
{
    const int currentYear = context.today.year();
    const int currentMonth = context.today.month();
    const std::vector<KinoPeriod> periods = KinoPeriods(currentYear, currentMonth);
    UpdateResult result;
    const int choice =
        context.ui.ChooseFromList(Utf8ToCp1253("Ενημέρωση Νικητριών"), KinoPeriodLabels(periods), "", true);
    if (choice < 1 || choice > static_cast<int>(periods.size())) {
        result.cancelled = true;
        result.showView = false;
        return result;
    }
    const int year = periods[static_cast<std::size_t>(choice - 1)].year;
    const int month = periods[static_cast<std::size_t>(choice - 1)].month;
    context.state.SelectedYear = year;
    context.state.KinoPeriodFile = KinoMonthFileName(year, month);
    const std::string monthFile = context.folder + context.state.KinoPeriodFile;
    // A past month kept on disk is final; the current month grows and is always fetched again.
    const bool current = year == currentYear && month == currentMonth;
    if (!current && FileSizeOf(monthFile) > kSmallestKinoMonthFile) {
        return result;
    }
    // The month is built anew from the workbook, but a kept file that cannot be read is a fault
    // the user must see before anything replaces it.
    ReadKinoFile(monthFile);
    context.ui.StatusNotice(WaitNoticeText());
    const FetchedFile workbook = FetchWorkbook(context, GameCode::Kino, year, month);
    result.fetchFailed = !workbook.fetched || !workbook.readable;
    if (!workbook.readable) {
        result.showView = false;
        return result;
    }
    const std::string refusal = StoreKinoMonth(monthFile, workbook.path, month);
    if (!refusal.empty()) {
        context.ui.ShowNotice(NoticeKind::Warning, refusal);
        result.showView = false;
    }
    return result;
}

std::string StoreKinoMonth(const std::string& monthFile, const std::string& workbook, int month)
{
    CellTable table;
    const int rowCount = ReadWorkbook(workbook, 23, 2, table);
    const MergeResult built = BuildKinoMonth(WorkbookRows{table, rowCount, 23}, ZeroPad(month, 2));
    if (!built.refused()) {
        WriteKinoFile(monthFile, built.bytes);
    }
    return built.refusal;
}

} // namespace karvo
