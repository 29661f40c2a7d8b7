#include "update/UpdateSuper3.h"

#include "update/UpdateFetch.h"
#include "update/UpdateLists.h"
#include "util/Files.h"
#include "util/Markup.h"

namespace karvo {

std::string Super3Workbook(const std::string& folder, int year, int month)
{
    return LocalResultFile(folder, ResultEndpointFor(GameCode::Super3, year, month, {}).fileName);
}

UpdateResult UpdateSuper3(UpdateContext& context)
{
    const int year = context.state.SelectedYear;
    UpdateResult result;
    int month = 0;
    if (year >= kFirstSuper3Year) {
        month = context.ui.ChooseFromList("Super3 " + std::to_string(year), Super3MonthItems(), "", true);
        if (month < 1 || month > 12) {
            result.cancelled = true;
            return result;
        }
    }
    context.ui.StatusNotice(WaitNoticeText());
    if (year < kFirstSuper3Year) {
        return result;
    }
    const ResultEndpoint endpoint = ResultEndpointFor(GameCode::Super3, year, month, context.servers);
    const std::string local = LocalResultFile(context.folder, endpoint.fileName);
    if (FileSizeOf(local) < kWholeSuper3Workbook) {
        const FetchedFile fetched = FetchWorkbook(context, GameCode::Super3, year, month, 1);
        result.fetchFailed = !fetched.fetched;
        if (fetched.cancelled) {
            return result;
        }
    }
    // The desktop opens whatever copy there is; it reports a missing file in its own way.
    context.ui.ShellOpen(PathToSingleByte(NativePath(local).toStdString()));
    return result;
}

} // namespace karvo
