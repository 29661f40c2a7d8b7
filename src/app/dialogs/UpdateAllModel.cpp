#include "app/dialogs/UpdateAllModel.h"

#include "domain/GameNames.h"
#include "util/Cp1253.h"

namespace karvo {

namespace {

// The summary line without the game's name in front: the row shows the name already.
QString Outcome(const GameReport& report)
{
    const std::string line = ReportLine(report);
    const std::string prefix = GameName(report.game) + ": ";
    return ToQString(line.rfind(prefix, 0) == 0 ? line.substr(prefix.size()) : line);
}

} // namespace

void UpdateAllModel::setPlans(const std::vector<GamePlan>& plans)
{
    beginResetModel();
    m_rows.clear();
    for (const GamePlan& plan : plans) {
        const int steps = static_cast<int>(plan.steps.size());
        m_rows.push_back({plan.game, QString(), steps, 0,
                          steps == 0 ? QStringLiteral("ενημερωμένο") : QStringLiteral("σε αναμονή"), false});
    }
    endResetModel();
}

void UpdateAllModel::setStep(GameCode game, const UpdateStep& step)
{
    if (const int row = rowOf(game); row >= 0) {
        m_rows[static_cast<std::size_t>(row)].step = ToQString(step.label);
        m_rows[static_cast<std::size_t>(row)].outcome = QStringLiteral("λήψη...");
        changed(row);
    }
}

void UpdateAllModel::setStepsDone(GameCode game, int stepsDone)
{
    if (const int row = rowOf(game); row >= 0) {
        m_rows[static_cast<std::size_t>(row)].stepsDone = stepsDone;
        changed(row);
    }
}

void UpdateAllModel::setFinished(const GameReport& report)
{
    if (const int row = rowOf(report.game); row >= 0) {
        Row& shown = m_rows[static_cast<std::size_t>(row)];
        shown.stepsDone = report.stepsDone;
        shown.outcome = Outcome(report);
        shown.finished = true;
        changed(row);
    }
}

void UpdateAllModel::setStopping()
{
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (!m_rows[row].finished) {
            m_rows[row].outcome = QStringLiteral("διακοπή...");
            changed(static_cast<int>(row));
        }
    }
}

int UpdateAllModel::finishedCount() const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.finished; }));
}

int UpdateAllModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int UpdateAllModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant UpdateAllModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole) {
        return index.column() == ProgressColumn ? QVariant(Qt::AlignCenter)
                                                : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole && index.column() == OutcomeColumn) {
        return row.outcome;
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case GameColumn: return ToQString(GameName(row.game));
    case StepColumn: return row.step;
    case ProgressColumn:
        return row.steps == 0 ? QString() : QStringLiteral("%1 / %2").arg(row.stepsDone).arg(row.steps);
    case OutcomeColumn: return row.outcome;
    default: return {};
    }
}

QVariant UpdateAllModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case GameColumn: return QStringLiteral("Παιχνίδι");
    case StepColumn: return QStringLiteral("Λήψη");
    case ProgressColumn: return QStringLiteral("Πρόοδος");
    case OutcomeColumn: return QStringLiteral("Αποτέλεσμα");
    default: return {};
    }
}

int UpdateAllModel::rowOf(GameCode game) const
{
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row].game == game) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void UpdateAllModel::changed(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace karvo
