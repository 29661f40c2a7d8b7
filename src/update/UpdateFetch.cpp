#include "update/UpdateFetch.h"

#include "download/Download.h"
#include "util/Cp1253.h"
#include "util/Files.h"

namespace karvo {

std::string CancelledNoticeText()
{
    return Utf8ToCp1253("Διακόπηκε από τον χρήστη.");
}

UpdateContext MakeUpdateContext(ProgramState& state, UserInterface& ui, const std::string& folder, QDate today,
                                FetchProgress* progress)
{
    const ResultFetcher fetch = [](const std::string& url, const std::string& target, UserInterface& screen,
                                   const FetchPoll& poll) { return FetchResultFile(url, target, screen, poll); };
    return UpdateContext{state, ui, folder, today, ServersInUse(), fetch, progress};
}

namespace {

// The fetch with the progress open while it lasts; cancelled: the user stopped it.
bool FetchWithProgress(UpdateContext& context, const std::string& url, const std::string& path, bool& cancelled)
{
    FetchProgress* progress = context.progress;
    if (progress == nullptr) {
        return context.fetch(url, path, context.ui, {});
    }
    ProgressScope scope(progress, 1);
    const bool fetched =
        context.fetch(url, path, context.ui, [&] { return cancelled = cancelled || progress->cancelled(); });
    return fetched && !cancelled;
}

} // namespace

FetchedFile FetchWorkbook(UpdateContext& context, GameCode game, int year, int month, std::int64_t smallest)
{
    const ResultEndpoint endpoint = ResultEndpointFor(game, year, month, context.servers);
    FetchedFile file;
    file.path = LocalResultFile(context.folder, endpoint.fileName);
    // Start-up makes the folder (as "Data"; names match in any case); it may have gone since.
    CreateFolder(context.folder + "DATA");
    file.fetched = FetchWithProgress(context, endpoint.url, file.path, file.cancelled);
    file.readable = !file.cancelled && FileSizeOf(file.path) >= smallest;
    // An answer too small to be a workbook is as good as none: the notice must say so, or a
    // failed update would look like one that found nothing new.
    if (file.cancelled) {
        context.ui.StatusNotice(CancelledNoticeText());
    } else if (!file.fetched || !file.readable) {
        context.ui.StatusNotice(DownloadErrorNotice);
    }
    return file;
}

} // namespace karvo
