// The progress of a long market update: a window-modal dialog with the days done out of the
// days in the range and a Cancel button that stops after the fetches under way.
#pragma once

#include "market/MarketUpdate.h"

#include <QPointer>
#include <QProgressDialog>

namespace karvo {

class RangeProgressDialog : public RangeProgress
{
public:
    explicit RangeProgressDialog(QWidget* parent);
    ~RangeProgressDialog() override;

    void start(int days) override;
    void advance(int daysDone) override;
    bool cancelled() override;
    void finish() override;

private:
    QWidget* m_parent;
    QPointer<QProgressDialog> m_dialog;
    int m_days = 0;
};

// The market fetch the program uses: libcurl's multi interface, four days at a time.
void FetchMarketDays(const std::vector<std::string>& urls, const std::function<bool()>& cancelled,
                     const std::function<void(std::size_t index, DayBody body)>& deliver);

} // namespace karvo
