#include "app/stats/StatsTable.h"

#include "domain/Games.h"
#include "domain/UserInterface.h"
#include "export/SpreadsheetExport.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Numbers.h"

#include <QBoxLayout>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <utility>

namespace karvo {

StatsTableModel::StatsTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void StatsTableModel::setTable(QStringList headers, int rows, CellFunction cell)
{
    beginResetModel();
    m_headers = std::move(headers);
    m_rows = rows;
    m_cell = std::move(cell);
    endResetModel();
}

int StatsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int StatsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant StatsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_cell) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue((index.column() == kLabelColumn ? Qt::AlignHCenter : Qt::AlignRight)
                                   | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::UserRole) {
        return {};
    }
    return m_cell(index.row(), index.column(), role);
}

QVariant StatsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // A figure column sorts largest first at its first click; the label column smallest first.
    if (role == Qt::InitialSortOrderRole && orientation == Qt::Horizontal) {
        return section == kLabelColumn ? Qt::AscendingOrder : Qt::DescendingOrder;
    }
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= m_headers.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return m_headers[section];
}

CellGrid GridFromModel(const QAbstractItemModel& model)
{
    CellGrid grid(model.columnCount(), model.rowCount() + 1);
    for (int c = 0; c < model.columnCount(); ++c) {
        grid.setCell(c, 0, FromQString(model.headerData(c, Qt::Horizontal).toString()));
        for (int r = 0; r < model.rowCount(); ++r) {
            grid.setCell(c, r + 1, FromQString(model.index(r, c).data().toString()));
        }
    }
    return grid;
}

bool SaveWidgetPicture(QWidget& widget, const SaveTarget& target)
{
    std::string fileName = target.folder + target.baseName + ".png";
    const std::string filter = Utf8ToCp1253("Αποθήκευση εικόνας\x01"
                                            "Εικόνα PNG");
    if (!target.ui.ChooseFileName(filter, "png", target.folder, FileChooserMode::Save, fileName)) {
        return false;
    }
    if (widget.grab().save(NativePath(fileName), "PNG")) {
        return true;
    }
    target.ui.ShowNotice(NoticeKind::Warning, Utf8ToCp1253("Η εικόνα δεν γράφτηκε: ") + fileName);
    return false;
}

namespace {

void AddButton(QBoxLayout& layout, QWidget& window, const char* name, const char* caption, std::function<void()> action)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), &window);
    button->setObjectName(QString::fromLatin1(name));
    QObject::connect(button, &QPushButton::clicked, &window, [action = std::move(action), &window] {
        try {
            action();
        } catch (const std::exception& error) {
            ShowError(window, error);
        }
    });
    layout.addWidget(button);
}

} // namespace

void AddSaveButtons(QBoxLayout& layout, QWidget& window, QWidget* chart, const QAbstractItemModel& model,
                    SaveTarget target)
{
    AddButton(layout, window, "saveWindowButton", "Εικόνα παραθύρου",
              [&window, target] { SaveWidgetPicture(window, target); });
    if (chart != nullptr) {
        AddButton(layout, window, "saveChartButton", "Εικόνα γραφήματος",
                  [chart, target] { SaveWidgetPicture(*chart, target); });
    }
    AddButton(layout, window, "exportButton", "Μεταφορά στο EXCEL", [&model, target] {
        ExportGridToSpreadsheet(GridFromModel(model), 1, target.baseName, target.folder, target.ui);
    });
}

void AddSaveButtons(QBoxLayout& layout, QWidget& window, const std::function<SaveSubject()>& current,
                    const SaveTarget& target)
{
    UserInterface& ui = target.ui;
    const std::string folder = target.folder;
    AddButton(layout, window, "saveWindowButton", "Εικόνα παραθύρου",
              [&window, &ui, folder, current] { SaveWidgetPicture(window, {ui, folder, current().baseName}); });
    AddButton(layout, window, "saveChartButton", "Εικόνα γραφήματος", [&ui, folder, current] {
        const SaveSubject subject = current();
        SaveWidgetPicture(*subject.chart, {ui, folder, subject.baseName});
    });
    AddButton(layout, window, "exportButton", "Μεταφορά στο EXCEL", [&ui, folder, current] {
        const SaveSubject subject = current();
        ExportGridToSpreadsheet(GridFromModel(*subject.model), 1, subject.baseName, folder, ui);
    });
}

QString GameName(GameCode game)
{
    return QString::fromUtf8(GameInfoFor(game).caption);
}

std::string GameBaseName(GameCode game)
{
    const std::string file = GameInfoFor(game).resultsFile;
    if (!file.empty()) {
        return file.substr(0, file.find('.'));
    }
    // Games kept otherwise go by a short Latin name of their own.
    switch (game) {
    case GameCode::Kino: return "KINO";
    case GameCode::Stock: return "STOCK";
    case GameCode::Bet: return "BET";
    case GameCode::Funds: return "amb";
    default: return std::string();
    }
}

QString CountCell(std::int64_t n)
{
    return ToQString(FormatNumber("#,##0", static_cast<double>(n)));
}

void ShowError(QWidget& window, const std::exception& error)
{
    QMessageBox::critical(&window, window.windowTitle(), QString::fromUtf8(error.what()));
}

QString DateCell(std::int32_t date)
{
    if (date == 0) {
        return QString();
    }
    const int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    if (month == 0) {
        return QStringLiteral("%1-%2").arg(year).arg(day);
    }
    return QStringLiteral("%1-%2-%3").arg(day, 2, 10, QChar('0')).arg(month, 2, 10, QChar('0')).arg(year);
}

} // namespace karvo
