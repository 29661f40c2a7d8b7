#include "app/tickets/KeptTicketsWindow.h"

#include "domain/UserInterface.h"
#include "tickets/TicketResults.h"
#include "tickets/TicketWinnings.h"
#include "util/Cp1253.h"
#include "util/Text.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

namespace karvo {

namespace {

enum KeptTicketsColumn {
    NameColumn = StatsTableModel::kLabelColumn,
    ChoiceColumn,
    LatestColumn,
    RecentColumn,
    BestColumn,
    LatestWonColumn, // the prize columns, for the games whose prizes are known
    TotalWonColumn,
    BestCategoryColumn
};

QString HitsWithDate(const TicketHit& hit, const DrawHistory& history)
{
    if (hit.draw < 0) {
        return QStringLiteral("0");
    }
    return QStringLiteral("%1 (%2)%3")
        .arg(hit.hits)
        .arg(DateCell(history.dates[static_cast<std::size_t>(hit.draw)]))
        .arg(hit.bonusHit ? QStringLiteral(" + Τζόκερ") : QString());
}

} // namespace

KeptTicketsWindow::KeptTicketsWindow(GameCode game, const SaveTarget& target, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_game(game)
    , m_target(target)
    , m_list(LoadTickets(target.folder))
    , m_history(LoadHistory(target.folder, game))
    , m_book(HasWinnings(game) ? LoadPrizeBook(target.folder, game) : PrizeBook{})
    , m_model(new StatsTableModel(this))
    , m_table(new QTableView(this))
    , m_problem(new QLabel(ToQString(m_list.problem), this))
    , m_summary(new QLabel(this))
    , m_nameEdit(new QLineEdit(this))
    , m_choiceEdit(new QLineEdit(this))
    , m_playedSpin(new QSpinBox(this))
{
    setObjectName(QStringLiteral("KeptTicketsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Τα δελτία μου - ") + GameName(game));
    auto* layout = new QVBoxLayout(this);
    m_problem->setObjectName(QStringLiteral("problemText"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    m_problem->setVisible(readOnly());
    layout->addWidget(m_problem);

    m_table->setObjectName(QStringLiteral("ticketsTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    auto* lower = new QHBoxLayout;
    auto* form = new QFormLayout;
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMaxLength(kTicketNameMost);
    m_choiceEdit->setObjectName(QStringLiteral("choiceEdit"));
    m_choiceEdit->setPlaceholderText(ToQString(TicketPrompt(game)));
    m_choiceEdit->setMinimumWidth(m_choiceEdit->fontMetrics().horizontalAdvance(m_choiceEdit->placeholderText()) + 16);
    m_playedSpin->setObjectName(QStringLiteral("playedSpin"));
    m_playedSpin->setRange(0, kKinoMostNumbers);
    m_playedSpin->setSpecialValueText(QStringLiteral("όλοι"));
    form->addRow(QStringLiteral("Όνομα:"), m_nameEdit);
    form->addRow(QStringLiteral("Στήλη:"), m_choiceEdit);
    if (game == GameCode::Kino) {
        form->addRow(QStringLiteral("Αριθμοί ανά στήλη:"), m_playedSpin);
    } else {
        m_playedSpin->hide();
    }
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, QString> captions[] = {
        {"addButton", QStringLiteral("Προσθήκη")},
        {"changeButton", QStringLiteral("Αλλαγή")},
        {"copyButton", QStringLiteral("Αντίγραφο")},
        {"deleteButton", QStringLiteral("Διαγραφή")},
    };
    for (const auto& [name, caption] : captions) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(button);
        m_editButtons << button;
    }
    connect(m_editButtons[0], &QPushButton::clicked, this, &KeptTicketsWindow::addTicket);
    connect(m_editButtons[1], &QPushButton::clicked, this, &KeptTicketsWindow::changeTicket);
    connect(m_editButtons[2], &QPushButton::clicked, this, &KeptTicketsWindow::copyTicket);
    connect(m_editButtons[3], &QPushButton::clicked, this, &KeptTicketsWindow::deleteTicket);
    form->addRow(buttons);
    lower->addLayout(form, 1);
    m_summary->setObjectName(QStringLiteral("ticketSummary"));
    m_summary->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lower->addWidget(m_summary);
    layout->addLayout(lower);
    auto* saveButtons = new QHBoxLayout;
    saveButtons->addStretch(1);
    AddSaveButtons(*saveButtons, *this, nullptr, *m_model, {target.ui, target.folder, target.baseName + "_TICKETS"});
    layout->addLayout(saveButtons);

    for (QWidget* control : {static_cast<QWidget*>(m_nameEdit), static_cast<QWidget*>(m_choiceEdit),
                             static_cast<QWidget*>(m_playedSpin)}) {
        control->setEnabled(!readOnly());
    }
    for (QPushButton* button : m_editButtons) {
        button->setEnabled(!readOnly());
    }
    refresh();
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &KeptTicketsWindow::showSelected);
    if (m_model->rowCount() > 0) {
        m_table->selectRow(0); // its counts beside the form from the start
    }
    // Wide enough for every column, the prize columns too.
    int tableWidth = m_table->verticalHeader()->width() + 2 * m_table->frameWidth() + 40;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        tableWidth += m_table->columnWidth(column);
    }
    resize(std::max(900, tableWidth), 560);
}

void KeptTicketsWindow::refresh()
{
    m_rows.clear();
    std::vector<Ticket> tickets;
    for (std::size_t k = 0; k < m_list.tickets.size(); ++k) {
        if (m_list.tickets[k].game == m_game) {
            m_rows.push_back(k);
            tickets.push_back(m_list.tickets[k].ticket);
        }
    }
    TicketCheckOptions options;
    options.listHits = false;
    options.recentDraws = kTicketRecentDraws;
    m_reports = CheckTickets(m_history, m_game, tickets, options);
    m_winnings.clear();
    if (!m_book.draws.empty()) {
        for (const Ticket& ticket : tickets) {
            m_winnings.push_back(WinningsOf(m_book, m_history, m_game, ticket));
        }
    }
    const QString latest = m_history.dates.empty()
        ? QStringLiteral("Τελευταία")
        : QStringLiteral("Τελευταία (%1)").arg(DateCell(m_history.dates.back()));
    QStringList headers{QStringLiteral("Όνομα"), QStringLiteral("Στήλη"), latest,
                        QStringLiteral("%1 τελευταίες").arg(kTicketRecentDraws), QStringLiteral("Καλύτερη")};
    if (!m_book.draws.empty()) {
        headers << QStringLiteral("Κέρδη τελευταίας") << QStringLiteral("Σύνολο κερδών")
                << QStringLiteral("Κατηγορία καλύτερης");
    }
    m_model->setTable(headers, static_cast<int>(m_rows.size()),
                      [this](int r, int c, int role) { return cell(r, c, role); });
    m_table->resizeColumnsToContents();
    showSelected();
}

QVariant KeptTicketsWindow::cell(int row, int column, int role) const
{
    const KeptTicket& kept = m_list.tickets[m_rows[static_cast<std::size_t>(row)]];
    const TicketReport& report = m_reports[static_cast<std::size_t>(row)];
    const bool key = role == Qt::UserRole;
    switch (column) {
    case NameColumn: return ToQString(kept.name);
    case ChoiceColumn: return ToQString(TicketDisplayText(m_game, kept.ticket));
    case LatestColumn:
        return report.recent.empty() ? QVariant(QString())
            : key                    ? QVariant(report.recent.back())
                                     : QVariant(QString::number(report.recent.back()));
    case RecentColumn: {
        QStringList hits; // newest first, as the latest column
        for (auto h = report.recent.rbegin(); h != report.recent.rend(); ++h) {
            hits << QString::number(*h);
        }
        return hits.join(QLatin1Char(' '));
    }
    case LatestWonColumn:
    case TotalWonColumn: {
        const TicketWinnings& won = m_winnings[static_cast<std::size_t>(row)];
        const std::optional<std::int64_t> cents = column == TotalWonColumn ? won.totalCents : won.latestCents;
        if (!cents) {
            return QString(); // that draw's prizes are not known
        }
        return key ? QVariant(static_cast<qlonglong>(*cents)) : QVariant(ToQString(EuroText(*cents)));
    }
    case BestCategoryColumn: return ToQString(m_winnings[static_cast<std::size_t>(row)].bestCategory);
    case BestColumn:
    default: return key ? QVariant(report.best.hits) : QVariant(HitsWithDate(report.best, m_history));
    }
}

int KeptTicketsWindow::selectedRow() const
{
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() && m_table->selectionModel()->isRowSelected(current.row()) ? current.row() : -1;
}

QStringList KeptTicketsWindow::summaryLines() const
{
    const int row = selectedRow();
    if (row < 0) {
        return {QStringLiteral("Κληρώσεις: %1").arg(CountCell(static_cast<std::int64_t>(m_history.dates.size())))};
    }
    const TicketReport& report = m_reports[static_cast<std::size_t>(row)];
    QStringList lines{QStringLiteral("Κληρώσεις: %1").arg(CountCell(report.draws))};
    for (std::size_t k = report.hitCounts.size(); k-- > 0;) {
        lines << QStringLiteral("%1 %2: %3")
                     .arg(k)
                     .arg(k == 1 ? QStringLiteral("επιτυχία") : QStringLiteral("επιτυχίες"))
                     .arg(CountCell(report.hitCounts[k]));
    }
    if (m_list.tickets[m_rows[static_cast<std::size_t>(row)]].ticket.bonus >= 0) {
        lines << QStringLiteral("Τζόκερ: %1").arg(CountCell(report.bonusHits));
    }
    return lines;
}

void KeptTicketsWindow::showSelected()
{
    m_summary->setText(summaryLines().join(QLatin1Char('\n')));
    const int row = selectedRow();
    if (row < 0) {
        return;
    }
    const KeptTicket& kept = m_list.tickets[m_rows[static_cast<std::size_t>(row)]];
    m_nameEdit->setText(ToQString(kept.name));
    m_choiceEdit->setText(ToQString(TicketEntryText(m_game, kept.ticket)));
    m_playedSpin->setValue(kept.ticket.played);
}

// The form's buttons of the kept tickets' window: each change is written at once, over the file
// only as it was read.
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
