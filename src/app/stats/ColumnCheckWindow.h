// The column check's answer: a line per hit count over the whole history, and every past draw with
// a useful number of hits, with its date, numbers and hits.
#pragma once

#include "app/stats/StatsTable.h"
#include "tickets/TicketCheck.h"

#include <QWidget>

namespace karvo {

class ColumnCheckWindow : public QWidget
{
    Q_OBJECT
public:
    ColumnCheckWindow(GameCode game, DrawHistory history, Ticket ticket, const SaveTarget& target,
                      QWidget* parent = nullptr);

    const TicketReport& report() const { return m_report; }
    // The summary lines shown above the table, best hit count first.
    QStringList summaryLines() const;

private:
    QString drawText(std::int64_t draw) const;

    GameCode m_game;
    DrawHistory m_history;
    Ticket m_ticket;
    TicketReport m_report;
    StatsTableModel* m_model;
};

// Asks for the player's column until it is right or the question is cancelled, then checks it
// against the game's whole stored history and opens the answer. Returns the window, or nullptr.
ColumnCheckWindow* RunTicketCheck(GameCode game, const SaveTarget& target, QWidget* parent);

} // namespace karvo
