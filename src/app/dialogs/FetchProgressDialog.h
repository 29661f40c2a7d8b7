// The progress of a fetch that lasts: a window-modal dialog, shown once the fetch has run a
// second, with the steps done (the days of a market range) or a busy bar (one workbook) and a
// Cancel button that aborts the transfers under way.
#pragma once

#include "download/FetchProgress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

namespace karvo {

class FetchProgressDialog : public FetchProgress
{
public:
    // How long a fetch runs before the dialog shows.
    static constexpr int kShowAfterMs = 1000;

    // stepsLabel: the text of the steps done, "%1" the steps done and "%2" all of them; empty for
    // a single fetch, which shows "Λήψη αρχείου..." and a busy bar.
    FetchProgressDialog(QWidget* parent, const QString& title, const QString& stepsLabel);
    ~FetchProgressDialog() override;

    void start(int steps) override;
    void advance(int stepsDone) override;
    // Until the dialog shows, the window is painted and its timers run but the user's input
    // waits, so no second command can start; from then on the window-modal dialog holds the
    // window. True from the press of Cancel (or Escape, or the close button) on.
    bool cancelled() override;
    void finish() override;

private:
    void show();
    QString label() const;

    QWidget* m_parent;
    QString m_title;
    QString m_stepsLabel;
    QElapsedTimer m_clock;
    QPointer<QProgressDialog> m_dialog;
    int m_steps = 0;
    int m_done = 0;
    bool m_running = false;
    bool m_cancelPressed = false;
};

} // namespace karvo
