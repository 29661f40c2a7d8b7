#include "app/stats/ColumnCheckWindow.h"

#include "domain/UserInterface.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>

namespace karvo {

namespace {

// Columns of the hits table, one row a past draw; the Joker column only for a JOKER column.
enum HitsTableColumn {
    DrawNumberColumn = StatsTableModel::kLabelColumn,
    DrawDateColumn,
    DrawnColumn,
    HitCountColumn,
    JokerHitColumn,
};

// The player's column as typed back: numbers apart, digits and signs together.
QString TicketText(GameCode game, const Ticket& ticket)
{
    return ToQString(TicketDisplayText(game, ticket));
}

} // namespace

ColumnCheckWindow::ColumnCheckWindow(GameCode game, DrawHistory history, Ticket ticket, const SaveTarget& target,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_game(game)
    , m_history(std::move(history))
    , m_ticket(std::move(ticket))
    , m_report(CheckTicket(m_history, game, m_ticket))
    , m_model(new StatsTableModel(this))
{
    setObjectName(QStringLiteral("ColumnCheckWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Έλεγχος στήλης - ") + GameName(game));
    const bool joker = m_ticket.bonus >= 0;
    QStringList headers{QStringLiteral("Α/Α"), QStringLiteral("Ημερομηνία"), QStringLiteral("Νικήτριες"),
                        QStringLiteral("Επιτυχίες")};
    if (joker) {
        headers << QStringLiteral("Τζόκερ");
    }
    m_model->setTable(headers, static_cast<int>(m_report.hits.size()), [this](int r, int c, int role) {
        const TicketHit& hit = m_report.hits[static_cast<std::size_t>(r)];
        const bool key = role == Qt::UserRole;
        switch (c) {
        case DrawNumberColumn:
            return key ? QVariant(static_cast<qlonglong>(hit.draw)) : QVariant(QString::number(hit.draw + 1));
        case DrawDateColumn: return QVariant(DateCell(m_history.dates[static_cast<std::size_t>(hit.draw)]));
        case DrawnColumn: return QVariant(drawText(hit.draw));
        case HitCountColumn: return key ? QVariant(hit.hits) : QVariant(QString::number(hit.hits));
        case JokerHitColumn:
        default: return QVariant(hit.bonusHit ? QStringLiteral("ΝΑΙ") : QString());
        }
    });

    auto* layout = new QVBoxLayout(this);
    auto* ticketText = new QLabel(QStringLiteral("Στήλη: ") + TicketText(game, m_ticket), this);
    ticketText->setObjectName(QStringLiteral("ticketText"));
    auto* summary = new QLabel(summaryLines().join(QLatin1Char('\n')), this);
    summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(ticketText);
    layout->addWidget(summary);
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_model);
    sorted->setSortRole(Qt::UserRole);
    auto* hitsTable = new QTableView(this);
    hitsTable->setObjectName(QStringLiteral("hitsTable"));
    hitsTable->setModel(sorted);
    hitsTable->setSortingEnabled(true);
    hitsTable->sortByColumn(DrawNumberColumn, Qt::AscendingOrder);
    hitsTable->verticalHeader()->hide();
    hitsTable->verticalHeader()->setDefaultSectionSize(hitsTable->fontMetrics().height() + 6);
    hitsTable->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(hitsTable, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    AddSaveButtons(*buttons, *this, nullptr, *sorted, target);
    layout->addLayout(buttons);
    hitsTable->resizeColumnsToContents();
    resize(760, 600);
}

QStringList ColumnCheckWindow::summaryLines() const
{
    const auto draws = [](std::int64_t n) { return CountCell(n) + (n == 1 ? " κλήρωση" : " κληρώσεις"); };
    QStringList lines{QStringLiteral("Κληρώσεις: %1").arg(CountCell(m_report.draws))};
    for (std::size_t k = m_report.hitCounts.size(); k-- > 0;) {
        lines << QStringLiteral("%1 %2: %3")
                     .arg(k)
                     .arg(k == 1 ? QStringLiteral("επιτυχία") : QStringLiteral("επιτυχίες"))
                     .arg(draws(m_report.hitCounts[k]));
    }
    if (m_ticket.bonus >= 0) {
        lines << QStringLiteral("Τζόκερ: %1").arg(draws(m_report.bonusHits));
    }
    return lines;
}

QString ColumnCheckWindow::drawText(std::int64_t draw) const
{
    const GameLayout& layout = LayoutOf(m_game);
    const std::uint8_t* values = m_history.draw(draw);
    QStringList parts;
    for (int k = 0; k < layout.width; ++k) {
        const int v = values[k];
        if (layout.propo) {
            parts << (v == 0 ? QStringLiteral("X") : v == 3 ? QStringLiteral(" ") : QString::number(v));
        } else {
            parts << (layout.digits ? QString::number(v) : QStringLiteral("%1").arg(v, 2, 10, QChar('0')));
        }
    }
    const QString separator = layout.propo || layout.digits ? QString() : QStringLiteral(" ");
    if (m_game == GameCode::Joker && parts.size() == layout.width) {
        const QString joker = parts.takeLast();
        return parts.join(separator) + QStringLiteral(" + ") + joker;
    }
    return parts.join(separator);
}

ColumnCheckWindow* RunTicketCheck(GameCode game, const SaveTarget& target, QWidget* parent)
{
    const std::string caption = Utf8ToCp1253("Έλεγχος στήλης - ") + FromQString(GameName(game));
    // A wide box under the question, which names the count and the range.
    std::vector<std::string> fields{std::string()};
    std::vector<int> lines{2};
    Ticket ticket;
    for (;;) {
        if (!target.ui.MemoBox(caption, fields, {TicketPrompt(game)}, lines, 0)) {
            return nullptr;
        }
        std::string message;
        if (ParseTicket(game, fields.front(), ticket, message)) {
            break;
        }
        target.ui.ShowNotice(NoticeKind::Warning, message);
    }
    auto* window = new ColumnCheckWindow(game, LoadHistory(target.folder, game), ticket, target, parent);
    window->show();
    return window;
}

} // namespace karvo
