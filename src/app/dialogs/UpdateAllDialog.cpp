#include "app/dialogs/UpdateAllDialog.h"

#include "update/UpdateAll.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace karvo {

UpdateAllDialog::UpdateAllDialog(QWidget* parent)
    : QDialog(parent)
    , m_model(this)
{
    setObjectName(QStringLiteral("UpdateAllDialog"));
    setWindowTitle(QStringLiteral("Ενημέρωση όλων"));
    setWindowModality(Qt::WindowModal);
    auto* column = new QVBoxLayout(this);
    m_statusLabel = new QLabel(QStringLiteral("Ενημέρωση..."), this);
    m_statusLabel->setObjectName(QStringLiteral("updateAllStatus"));
    column->addWidget(m_statusLabel);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("updateAllTable"));
    m_table->setModel(&m_model);
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    // A failure's cause can be long: the outcome column wraps it and its row grows.
    m_table->setWordWrap(true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    column->addWidget(m_table, 1);

    m_button = new QPushButton(QStringLiteral("Ακύρωση"), this);
    m_button->setObjectName(QStringLiteral("updateAllButton"));
    connect(m_button, &QPushButton::clicked, this, [this] { m_running ? pressCancel() : accept(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_button);
    column->addLayout(buttons);
    resize(720, 440);
}

void UpdateAllDialog::planned(const std::vector<GamePlan>& plans)
{
    m_model.setPlans(plans);
    const QFontMetrics metrics = m_table->fontMetrics();
    // Wide enough for "ΠΡΟΠΟ ΚΥΡΙΑΚΗ", "05/12/2026" and "99 / 99" with their margins.
    m_table->setColumnWidth(UpdateAllModel::GameColumn,
                            metrics.horizontalAdvance(QStringLiteral("ΠΡΟΠΟ ΚΥΡΙΑΚΗ")) + 16);
    m_table->setColumnWidth(UpdateAllModel::StepColumn, metrics.horizontalAdvance(QStringLiteral("05/12/2026")) + 16);
    m_table->setColumnWidth(UpdateAllModel::ProgressColumn, metrics.horizontalAdvance(QStringLiteral("Πρόοδος")) + 24);
    m_table->resizeRowsToContents();
    showCount();
}

void UpdateAllDialog::stepStarted(GameCode game, const UpdateStep& step)
{
    m_model.setStep(game, step);
}

void UpdateAllDialog::stepDone(GameCode game, const UpdateStep&, int stepsDone)
{
    m_model.setStepsDone(game, stepsDone);
}

void UpdateAllDialog::gameFinished(const GameReport& report)
{
    m_model.setFinished(report);
    m_table->resizeRowsToContents();
    showCount();
}

bool UpdateAllDialog::cancelled()
{
    QCoreApplication::processEvents(isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return m_cancelPressed;
}

void UpdateAllDialog::showSummary(const std::vector<GameReport>& reports)
{
    m_running = false;
    for (const GameReport& report : reports) {
        m_model.setFinished(report);
    }
    const bool cancelled = std::any_of(reports.begin(), reports.end(), [](const GameReport& report) {
        return report.outcome == GameOutcome::Cancelled;
    });
    m_statusLabel->setText(cancelled                   ? QStringLiteral("Η ενημέρωση διακόπηκε.")
                               : AllSucceeded(reports) ? QStringLiteral("Η ενημέρωση ολοκληρώθηκε.")
                                                       : QStringLiteral("Η ενημέρωση ολοκληρώθηκε με σφάλματα."));
    m_button->setText(QStringLiteral("Κλείσιμο"));
    m_button->setEnabled(true);
    m_table->resizeRowsToContents();
    exec();
}

void UpdateAllDialog::reject()
{
    if (m_running) {
        pressCancel();
    } else {
        QDialog::reject();
    }
}

void UpdateAllDialog::closeEvent(QCloseEvent* event)
{
    // While the run goes on, the dialog stays: closing it would free the window before the end.
    if (m_running) {
        event->ignore();
        pressCancel();
        return;
    }
    QDialog::closeEvent(event);
}

void UpdateAllDialog::pressCancel()
{
    if (m_cancelPressed) {
        return;
    }
    m_cancelPressed = true;
    m_button->setEnabled(false);
    m_model.setStopping();
    m_statusLabel->setText(QStringLiteral("Διακοπή: οι λήψεις σταματούν, ό,τι αποθηκεύτηκε μένει..."));
}

void UpdateAllDialog::showCount()
{
    if (m_running && !m_cancelPressed) {
        m_statusLabel->setText(
            QStringLiteral("Ενημέρωση: %1 από %2 παιχνίδια").arg(m_model.finishedCount()).arg(m_model.rowCount()));
    }
}

} // namespace karvo
