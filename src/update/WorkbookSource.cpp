#include "update/WorkbookSource.h"

#include "update/WorkbookStores.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

std::string DownloadFailedText(const std::string& what, const FetchedBody& body, const std::string& url,
                               const DownloadLimits& limits)
{
    if (body.failure == FetchFailure::None) {
        return Utf8ToCp1253("Η λήψη " + what + " απέτυχε (HTTP " + std::to_string(body.status) + ").");
    }
    return Utf8ToCp1253("Η λήψη " + what + " απέτυχε: " + TransferFailureText(body, HostOf(url), limits) + ".");
}

WorkbookSource::WorkbookSource(const UpdateAllContext& context, const GamePlan& plan)
    : m_context(context)
    , m_plan(plan)
{
}

void WorkbookSource::prepare()
{
    // Start-up makes the folder; it may have gone since.
    CreateFolder(m_context.folder + kDataFolderName);
    m_scratch.resize(m_plan.steps.size());
}

std::int64_t WorkbookSource::smallest() const
{
    return SmallestWorkbook;
}

std::string WorkbookSource::url(const UpdateStep& step) const
{
    return ResultEndpointFor(m_plan.game, step.year, std::max(step.month, 1), m_context.servers).url;
}

std::string WorkbookSource::localWorkbook(const UpdateStep& step) const
{
    const ResultEndpoint endpoint = ResultEndpointFor(m_plan.game, step.year, std::max(step.month, 1), {});
    return LocalResultFile(m_context.folder, endpoint.fileName);
}

int WorkbookSource::openScratch(std::size_t index)
{
    try {
        m_scratch.at(index) = std::make_unique<DownloadScratch>();
        return m_scratch[index]->fd();
    } catch (const KarvoError& error) {
        m_scratchFailure = error.what();
        return -1;
    }
}

FetchRequest WorkbookSource::request(std::size_t index)
{
    // The scratch file is made as the transfer starts, not while it waits its turn.
    return {url(m_plan.steps[index]), -1, [this, index] { return openScratch(index); }};
}

void WorkbookSource::release(std::size_t index)
{
    if (index < m_scratch.size()) {
        m_scratch[index].reset();
    }
}

StepResult WorkbookSource::handle(std::size_t index, const FetchedBody& body)
{
    const UpdateStep& step = m_plan.steps[index];
    if (!m_scratch.at(index)) {
        return StepResult::Failed(GameFailure::Fault, Utf8ToCp1253(m_scratchFailure), m_scratchFailure);
    }
    const DownloadScratch& scratch = *m_scratch[index];
    const std::string what = "του " + step.label;
    const std::string address = url(step);
    if (body.failure != FetchFailure::None) {
        // A limit's stop and a scratch file not written have their own sentence; the other
        // failures are plain ones.
        const std::string named = NamedFailureText(body, address, scratch.folder(), m_context.limits);
        if (body.failure == FetchFailure::WriteFailed) {
            return StepResult::Failed(GameFailure::Named, Utf8ToCp1253(named), named);
        }
        return StepResult::Failed(named.empty() ? GameFailure::Download : GameFailure::Named,
                                  DownloadFailedText(what, body, address, m_context.limits), named);
    }
    if (body.status >= 400) {
        if (std::optional<StepResult> passed = passOver(index, body.status)) {
            return *passed;
        }
        return StepResult::Failed(GameFailure::Download, DownloadFailedText(what, body, address, m_context.limits));
    }
    const std::int64_t size = scratch.size();
    if (size <= 0) {
        return StepResult::Failed(GameFailure::Download,
                                  Utf8ToCp1253("Η λήψη του " + step.label + " δεν έφερε τίποτα."));
    }
    // Kept in the data folder under the operator's name, also when too small to read.
    const std::string local = localWorkbook(step);
    const std::string before = keepsCopies() ? LoadTextFile(local) : std::string();
    KeepDownload(scratch, local);
    if (size < smallest()) {
        return StepResult::Failed(
            GameFailure::Download,
            Utf8ToCp1253("Η απάντηση για το " + step.label + " είναι πολύ μικρή για βιβλίο εργασίας."));
    }
    return store(step, local, before);
}

} // namespace karvo
