// The player's kept tickets of one game: a row a ticket with its hits in the latest draw, in the
// last draws and its best ever, what it won where the draws' prizes are known, the counts of its hits over the whole
// history, and a small form to add, change, copy and delete tickets. A ticket file that cannot be read makes it
// read-only.
#pragma once

#include "app/stats/StatsTable.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketFile.h"
#include "tickets/TicketWinnings.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace karvo {

class KeptTicketsWindow : public QWidget
{
    Q_OBJECT
public:
    KeptTicketsWindow(GameCode game, const SaveTarget& target, QWidget* parent = nullptr);

    bool readOnly() const { return m_list.readOnly(); }
    // The hit counts of the selected ticket, most hits first, as the window shows them.
    QStringList summaryLines() const;

private:
    void refresh();
    void showSelected();
    int selectedRow() const;
    bool formTicket(KeptTicket& kept);
    // The list on disk again; false, after showing it, when it is no longer the one shown.
    bool listUnchanged();
    void store(TicketList list, int selectRow);
    void addTicket();
    void changeTicket();
    void copyTicket();
    void deleteTicket();
    QVariant cell(int row, int column, int role) const;

    GameCode m_game;
    SaveTarget m_target;
    TicketList m_list;
    DrawHistory m_history;
    PrizeBook m_book;                       // the game's prize tables; empty where hits alone do not tell a prize
    std::vector<TicketWinnings> m_winnings; // a row's, when the book is not empty
    std::vector<std::size_t> m_rows;        // index in m_list.tickets of each row
    std::vector<TicketReport> m_reports;
    StatsTableModel* m_model;
    QTableView* m_table;
    QLabel* m_problem;
    QLabel* m_summary;
    QLineEdit* m_nameEdit;
    QLineEdit* m_choiceEdit;
    QSpinBox* m_playedSpin;
    QList<QPushButton*> m_editButtons;
};

// Opens the kept tickets of game, its stored history read once.
KeptTicketsWindow* RunKeptTickets(GameCode game, const SaveTarget& target, QWidget* parent);

} // namespace karvo
