#include "app/dialogs/FetchProgressDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace karvo {

namespace {

// Stays up after Cancel, Escape or the close button until the fetch has stopped and closes it: a
// dialog hidden at once would free the main window while the events queued behind the press
// are still being handled.
class StayingProgressDialog : public QProgressDialog
{
public:
    using QProgressDialog::QProgressDialog;
    void reject() override { emit canceled(); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        emit canceled();
    }
};

} // namespace

FetchProgressDialog::FetchProgressDialog(QWidget* parent, const QString& title, const QString& stepsLabel)
    : m_parent(parent)
    , m_title(title)
    , m_stepsLabel(stepsLabel)
{
}

FetchProgressDialog::~FetchProgressDialog()
{
    finish();
}

void FetchProgressDialog::start(int steps)
{
    finish();
    m_steps = steps;
    m_done = 0;
    m_running = true;
    m_cancelPressed = false;
    m_clock.start();
}

void FetchProgressDialog::advance(int stepsDone)
{
    m_done = stepsDone;
    if (m_dialog) {
        m_dialog->setLabelText(label());
        m_dialog->setValue(stepsDone);
    }
}

bool FetchProgressDialog::cancelled()
{
    if (m_running && !m_dialog && m_clock.elapsed() >= kShowAfterMs) {
        show();
    }
    QCoreApplication::processEvents(m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return m_cancelPressed;
}

void FetchProgressDialog::finish()
{
    m_running = false;
    delete m_dialog.data();
}

void FetchProgressDialog::show()
{
    const bool counted = !m_stepsLabel.isEmpty();
    m_dialog = new StayingProgressDialog(label(), QStringLiteral("Ακύρωση"), 0, counted ? m_steps : 0, m_parent);
    QObject::disconnect(m_dialog, &QProgressDialog::canceled, nullptr, nullptr);
    QObject::connect(m_dialog, &QProgressDialog::canceled, m_dialog, [this] { m_cancelPressed = true; });
    m_dialog->setObjectName(QStringLiteral("FetchProgress"));
    m_dialog->setWindowTitle(m_title);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->setMinimumDuration(0);
    if (counted) {
        m_dialog->setValue(m_done);
    }
    m_dialog->show();
}

QString FetchProgressDialog::label() const
{
    if (m_stepsLabel.isEmpty()) {
        return QStringLiteral("Λήψη αρχείου...");
    }
    return m_stepsLabel.arg(m_done).arg(m_steps);
}

} // namespace karvo
