// The progress of the update of every game: a window-modal dialog with a row per game, shown for
// the whole run. Cancel (Escape, the close button) stops what has not started; at the end the
// rows hold the summary and the button closes the dialog.
#pragma once

#include "app/dialogs/UpdateAllModel.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace karvo {

class UpdateAllDialog : public QDialog, public UpdateAllObserver
{
    Q_OBJECT
public:
    explicit UpdateAllDialog(QWidget* parent);

    void planned(const std::vector<GamePlan>& plans) override;
    void stepStarted(GameCode game, const UpdateStep& step) override;
    void stepDone(GameCode game, const UpdateStep& step, int stepsDone) override;
    void gameFinished(const GameReport& report) override;
    // Keeps the dialog and the window painted; the dialog's modality holds the window's input.
    bool cancelled() override;

    // Shows the end of the run and waits for the user to close the dialog.
    void showSummary(const std::vector<GameReport>& reports);

    UpdateAllModel* model() { return &m_model; }
    bool running() const { return m_running; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void pressCancel();
    void showCount();

    UpdateAllModel m_model;
    QLabel* m_statusLabel = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_button = nullptr;
    bool m_running = true;
    bool m_cancelPressed = false;
};

} // namespace karvo
