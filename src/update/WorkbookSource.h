// The sources that fetch results workbooks: each answer arrives in a private scratch file, is
// checked (an error answer, an empty or too small one is a failed step and never kept), kept in
// the data folder under the operator's file name, then stored by the game's own kind of source.
#pragma once

#include "download/Download.h"
#include "update/StepSource.h"

#include <optional>
#include <vector>

namespace karvo {

class WorkbookSource : public StepSource
{
public:
    WorkbookSource(const UpdateAllContext& context, const GamePlan& plan);

    FetchRequest request(std::size_t index) override;
    StepResult handle(std::size_t index, const FetchedBody& body) override;
    void release(std::size_t index) override;

protected:
    // Makes the data folder and room for the steps' scratch files; begin() calls it first.
    void prepare();
    // An error status passed over as no failure (a year not published), if any.
    virtual std::optional<StepResult> passOver(std::size_t /*index*/, long /*status*/) { return std::nullopt; }
    // The smallest answer worth reading.
    virtual std::int64_t smallest() const;
    // Stores the workbook kept at local; before: what local held before (only when keepsCopies).
    virtual StepResult store(const UpdateStep& step, const std::string& local, const std::string& before) = 0;
    // The kept copy itself is what the step brings (SUPER3): its bytes before are compared.
    virtual bool keepsCopies() const { return false; }

    std::string url(const UpdateStep& step) const;
    std::string localWorkbook(const UpdateStep& step) const;

    const UpdateAllContext& m_context;
    const GamePlan& m_plan;

private:
    int openScratch(std::size_t index);

    std::vector<std::unique_ptr<DownloadScratch>> m_scratch; // a step's while it is under way
    std::string m_scratchFailure;                            // why a scratch file could not be made
};

// "Η λήψη του 2019 απέτυχε (HTTP 404).", or with the transfer's failure and the host:
// "Η λήψη του 2019 απέτυχε: ο διακομιστής media.opap.gr δεν βρέθηκε." (Windows-1253)
std::string DownloadFailedText(const std::string& what, const FetchedBody& body, const std::string& url,
                               const DownloadLimits& limits);

} // namespace karvo
