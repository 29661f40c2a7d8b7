// The games published a workbook a month: KINO, whose month files are built anew from each
// month's workbook, and SUPER3, whose workbooks are kept as they come for the desktop to open.
#pragma once

#include "update/WorkbookSource.h"

namespace karvo {

class KinoMonthSource : public WorkbookSource
{
public:
    using WorkbookSource::WorkbookSource;

    void begin(GameReport& report) override;
    std::int64_t storedCount() const override { return m_records; }

protected:
    StepResult store(const UpdateStep& step, const std::string& local, const std::string& before) override;

private:
    std::int64_t m_records = 0; // records added to the month files handled
};

class Super3MonthSource : public WorkbookSource
{
public:
    using WorkbookSource::WorkbookSource;

    void begin(GameReport& report) override;
    std::int64_t storedCount() const override { return m_kept; }

protected:
    std::int64_t smallest() const override { return 1; }
    bool keepsCopies() const override { return true; }
    StepResult store(const UpdateStep& step, const std::string& local, const std::string& before) override;

private:
    int m_kept = 0; // workbooks new or changed
};

} // namespace karvo
