// The form's buttons of the kept tickets' window: each change is written at once, over the file
// only as it was read.
#include "app/tickets/KeptTicketsWindow.h"

#include "domain/UserInterface.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>

namespace karvo {

bool KeptTicketsWindow::formTicket(KeptTicket& kept)
{
    std::string message;
    if (MakeKeptTicket(m_game, FromQString(m_nameEdit->text()), FromQString(m_choiceEdit->text()),
                       m_playedSpin->value(), kept, message)) {
        return true;
    }
    m_target.ui.ShowNotice(NoticeKind::Warning, message);
    return false;
}

bool KeptTicketsWindow::listUnchanged()
{
    const TicketList onDisk = LoadTickets(m_target.folder);
    if (!onDisk.readOnly() && TicketFileBytes(onDisk.tickets) == TicketFileBytes(m_list.tickets)) {
        return true;
    }
    // Another window changed the file, or it was damaged since: show it as it is now.
    m_list = onDisk;
    refresh();
    m_target.ui.ShowNotice(NoticeKind::Warning,
                           onDisk.readOnly() ? onDisk.problem
                                             : Utf8ToCp1253("Τα δελτία άλλαξαν σε άλλο παράθυρο. Δείτε τα ξανά."));
    return false;
}

void KeptTicketsWindow::store(TicketList list, int selectRow)
{
    try {
        SaveTickets(m_target.folder, list);
    } catch (const std::exception& error) {
        ShowError(*this, error);
        return;
    }
    m_list = std::move(list);
    refresh();
    if (selectRow >= 0 && selectRow < m_model->rowCount()) {
        m_table->selectRow(selectRow);
    }
}

void KeptTicketsWindow::addTicket()
{
    KeptTicket kept;
    if (readOnly() || !formTicket(kept) || !listUnchanged()) {
        return;
    }
    TicketList list = m_list;
    list.tickets.push_back(kept);
    store(list, static_cast<int>(m_rows.size()));
}

void KeptTicketsWindow::changeTicket()
{
    const int row = selectedRow();
    KeptTicket kept;
    if (readOnly() || row < 0 || !formTicket(kept) || !listUnchanged()) {
        return;
    }
    TicketList list = m_list;
    list.tickets[m_rows[static_cast<std::size_t>(row)]] = kept;
    store(list, row);
}

void KeptTicketsWindow::copyTicket()
{
    const int row = selectedRow();
    if (readOnly() || row < 0 || !listUnchanged()) {
        return;
    }
    const std::size_t index = m_rows[static_cast<std::size_t>(row)];
    TicketList list = m_list;
    KeptTicket copy = list.tickets[index];
    copy.name = LeftPart(copy.name + Utf8ToCp1253(" (2)"), kTicketNameMost);
    list.tickets.insert(list.tickets.begin() + static_cast<std::ptrdiff_t>(index) + 1, copy);
    store(list, row + 1);
}

void KeptTicketsWindow::deleteTicket()
{
    const int row = selectedRow();
    if (readOnly() || row < 0) {
        return;
    }
    const std::size_t index = m_rows[static_cast<std::size_t>(row)];
    const std::string question = Utf8ToCp1253("Να διαγραφεί το δελτίο «") + m_list.tickets[index].name + "»;";
    if (m_target.ui.MessageChoice(FromQString(windowTitle()), question, MessageType::Question, MessageAnswer::No,
                                  MessageButtons::YesNo)
            != MessageAnswer::Yes
        || !listUnchanged()) {
        return;
    }
    TicketList list = m_list;
    list.tickets.erase(list.tickets.begin() + static_cast<std::ptrdiff_t>(index));
    store(list, std::min(row, static_cast<int>(m_rows.size()) - 2));
}

KeptTicketsWindow* RunKeptTickets(GameCode game, const SaveTarget& target, QWidget* parent)
{
    auto* window = new KeptTicketsWindow(game, target, parent);
    window->show();
    return window;
}

} // namespace karvo
