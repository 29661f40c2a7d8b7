// The games kept by year (the pools, LOTTO, GOAL, JOKER, ΠΡΟΤΟ, EXTRA): each step is a year's
// workbook merged into the game's results file.
#pragma once

#include "update/WorkbookSource.h"

namespace karvo {

class YearWorkbookSource : public WorkbookSource
{
public:
    using WorkbookSource::WorkbookSource;

    void begin(GameReport& report) override;
    std::int64_t storedCount() const override;
    StepResult settle() const override;

protected:
    std::optional<StepResult> passOver(std::size_t index, long status) override;
    std::int64_t smallest() const override;
    StepResult store(const UpdateStep& step, const std::string& local, const std::string& before) override;

private:
    std::int64_t drawCount() const;
    // The year of the last draw the game's file holds now, 0 when none or unreadable.
    int lastStoredYear() const;

    std::int64_t m_drawsBefore = 0;
    std::int64_t m_heldAfterLastStep = 0; // draws after the last step stored
    bool m_nothingBefore = false;         // no draw stored before the run
    bool m_broughtDraws = false;          // a step of this run stored draws
    int m_notPublished = 0;               // years before the first stored one the archive does not hold
};

} // namespace karvo
