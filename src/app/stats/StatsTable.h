// Pieces shared by the statistics, column-check and price-history windows: a read-only table model
// whose cells come from a function, the row of buttons that saves a picture and exports the table.
#pragma once

#include "domain/Games.h"
#include "util/CellGrid.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <string>

class QAbstractItemModel;
class QBoxLayout;
class QWidget;

namespace karvo {

class UserInterface;

// A table of rows x headers.size() cells. cell(row, column, role) answers the display text, and
// for sorting (Qt::UserRole) a number or text key; figures are right-aligned, the label column centred.
class StatsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The first column names the row (a number, a match, a day); the others hold its figures.
    static constexpr int kLabelColumn = 0;

    using CellFunction = std::function<QVariant(int row, int column, int role)>;

    explicit StatsTableModel(QObject* parent = nullptr);
    // Replaces the whole table.
    void setTable(QStringList headers, int rows, CellFunction cell);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    int m_rows = 0;
    CellFunction m_cell;
};

// The table as the view shows it (its order), header texts in row 0, as Windows-1253 cells.
CellGrid GridFromModel(const QAbstractItemModel& model);

// Where a window's pictures and exports go, and the dialogs it asks through.
struct SaveTarget
{
    UserInterface& ui;
    std::string folder;   // working folder, ending in "/"
    std::string baseName; // the export's base name and the picture's proposed name
};

// Asks for a file name and saves widget's picture there as PNG; false when cancelled or not written.
bool SaveWidgetPicture(QWidget& widget, const SaveTarget& target);

// Adds the buttons "Εικόνα παραθύρου", "Εικόνα γραφήματος" (when chart is given) and "Μεταφορά στο
// EXCEL" to layout. The export writes model's table through the spreadsheet export.
void AddSaveButtons(QBoxLayout& layout, QWidget& window, QWidget* chart, const QAbstractItemModel& model,
                    SaveTarget target);

// What the save buttons of a window with tabs act on: the current tab's chart and table, and the
// base name of their files.
struct SaveSubject
{
    QWidget* chart = nullptr;
    const QAbstractItemModel* model = nullptr;
    std::string baseName;
};

// The same buttons, the chart's always there, for a window whose chart and table change with its
// tab: current is asked at each click. target's base name is not used.
void AddSaveButtons(QBoxLayout& layout, QWidget& window, const std::function<SaveSubject()>& current,
                    const SaveTarget& target);

// The game's name as its button shows it, on one line.
QString GameName(GameCode game);
// A plain base name for the game's exports and pictures: "LOTTO", "Propok", "KINO", ...
std::string GameBaseName(GameCode game);

// yyyymmdd as "dd-mm-yyyy"; a day of 0 (a pools draw) as "yyyy-w".
QString DateCell(std::int32_t date);
// A whole count with its thousands grouped.
QString CountCell(std::int64_t n);

// Tells the user, in a box over window, what went wrong.
void ShowError(QWidget& window, const std::exception& error);

} // namespace karvo
