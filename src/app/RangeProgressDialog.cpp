#include "app/RangeProgressDialog.h"

#include "download/FetchMany.h"

#include <QCoreApplication>

namespace karvo {

namespace {

constexpr int kDaysAtOnce = 4;

DayFetchFailure FailureOf(FetchFailure failure)
{
    switch (failure) {
    case FetchFailure::None: return DayFetchFailure::None;
    case FetchFailure::Unreachable: return DayFetchFailure::Unreachable;
    default: return DayFetchFailure::Other;
    }
}

} // namespace

RangeProgressDialog::RangeProgressDialog(QWidget* parent)
    : m_parent(parent)
{
}

RangeProgressDialog::~RangeProgressDialog()
{
    finish();
}

void RangeProgressDialog::start(int days)
{
    finish();
    m_days = days;
    m_dialog = new QProgressDialog(QString(), QStringLiteral("Ακύρωση"), 0, days, m_parent);
    m_dialog->setObjectName(QStringLiteral("RangeProgress"));
    m_dialog->setWindowTitle(QStringLiteral("ΗΜΕΡΟΜΗΝΙΕΣ  ΑΠΟ - ΕΩΣ"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(0);
    advance(0);
    m_dialog->show();
}

void RangeProgressDialog::advance(int daysDone)
{
    if (m_dialog) {
        m_dialog->setLabelText(QStringLiteral("Ημέρες: %1 από %2").arg(daysDone).arg(m_days));
        m_dialog->setValue(daysDone);
    }
}

bool RangeProgressDialog::cancelled()
{
    // The window stays painted and the Cancel button answers while the fetches run.
    QCoreApplication::processEvents();
    return m_dialog && m_dialog->wasCanceled();
}

void RangeProgressDialog::finish()
{
    delete m_dialog.data();
}

void FetchMarketDays(const std::vector<std::string>& urls, const std::function<bool()>& cancelled,
                     const std::function<void(std::size_t index, DayBody body)>& deliver)
{
    FetchMany(urls, kDaysAtOnce, cancelled, [&deliver](std::size_t index, FetchedBody body) {
        deliver(index, DayBody{std::move(body.body), FailureOf(body.failure)});
    });
}

} // namespace karvo
