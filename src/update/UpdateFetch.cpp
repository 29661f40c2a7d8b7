#include "update/UpdateFetch.h"

#include "download/Download.h"
#include "util/Cp1253.h"
#include "util/Files.h"

namespace karvo {

std::string WaitNoticeText()
{
    return Utf8ToCp1253("Παρακαλώ περιμένετε");
}

UpdateContext MakeUpdateContext(ProgramState& state, UserInterface& ui, const std::string& folder, QDate today)
{
    return UpdateContext{state, ui, folder, today, ServersInUse(), &FetchResultFile};
}

FetchedFile FetchWorkbook(UpdateContext& context, GameCode game, int year, int month, std::int64_t smallest)
{
    const ResultEndpoint endpoint = ResultEndpointFor(game, year, month, context.servers);
    FetchedFile file;
    file.path = LocalResultFile(context.folder, endpoint.fileName);
    // Start-up makes the folder (as "Data"; names match in any case); it may have gone since.
    CreateFolder(context.folder + "DATA");
    file.fetched = context.fetch(endpoint.url, file.path, context.ui);
    file.readable = FileSizeOf(file.path) >= smallest;
    // An answer too small to be a workbook is as good as none: the notice must say so, or a
    // failed update would look like one that found nothing new.
    if (!file.fetched || !file.readable) {
        context.ui.StatusNotice(DownloadErrorNotice);
    }
    return file;
}

} // namespace karvo
