#include "update/UpdateKino.h"

#include "results/ResultsFiles.h"
#include "update/KinoMonth.h"
#include "update/UpdateFetch.h"
#include "update/UpdateLists.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "workbook/WorkbookReader.h"

namespace karvo {

UpdateResult UpdateKino(UpdateContext& context)
{
    const int currentYear = context.today.year();
    const int currentMonth = context.today.month();
    const std::vector<std::string> items = KinoPeriodItems(currentYear, currentMonth);
    UpdateResult result;
    const int choice = context.ui.ChooseFromList(Utf8ToCp1253("Ενημέρωση Νικητριών"), items, "", true);
    if (choice < 1 || choice > static_cast<int>(items.size())) {
        result.cancelled = true;
        result.showView = false;
        return result;
    }
    // " 2024 - 03 " without its blanks is "2024-03".
    const std::string period = CleanSpaces(items[choice - 1], 0);
    const int year = TextToInt(period.substr(0, 4));
    const std::string month = period.substr(5, 2);
    context.state.SelectedYear = year;
    context.state.KinoPeriodFile = KinoMonthFileName(year, TextToInt(month));
    const std::string monthFile = context.folder + context.state.KinoPeriodFile;
    // A past month kept on disk is final; the current month grows and is always fetched again.
    const bool current = period == ZeroPad(currentYear, 4) + "-" + ZeroPad(currentMonth, 2);
    if (!current && FileSizeOf(monthFile) > 99) {
        return result;
    }
    // The month is built anew from the workbook, but a kept file that cannot be read is a fault
    // the user must see before anything replaces it.
    ReadKinoFile(monthFile);
    context.ui.StatusNotice(WaitNoticeText());
    const FetchedFile workbook = FetchWorkbook(context, GameCode::Kino, year, TextToInt(month));
    result.fetchFailed = !workbook.fetched || !workbook.readable;
    if (!workbook.readable) {
        result.showView = false;
        return result;
    }
    CellTable table;
    const int rowCount = ReadWorkbook(workbook.path, 23, 2, table);
    const MergeResult built = BuildKinoMonth(WorkbookRows{table, rowCount, 23}, month);
    if (built.refused()) {
        context.ui.ShowNotice(NoticeKind::Warning, built.refusal);
        result.showView = false;
        return result;
    }
    WriteKinoFile(monthFile, built.bytes);
    return result;
}

} // namespace karvo
