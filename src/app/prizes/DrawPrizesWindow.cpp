#include "app/prizes/DrawPrizesWindow.h"

#include "app/main/GridModel.h"
#include "app/main/GridView.h"
#include "app/main/MainWindow.h"
#include "app/stats/StatsTable.h"
#include "prizes/PrizeBook.h"
#include "util/Cp1253.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace karvo {

DrawPrizesWindow::DrawPrizesWindow(const DrawPrizesView& view, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("drawPrizesWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ToQString(Utf8ToCp1253("Κέρδη κλήρωσης")));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(ToQString(view.title), this);
    title->setObjectName(QStringLiteral("drawPrizesTitle"));
    layout->addWidget(title);
    auto* model = new GridModel(this);
    model->setFixedColumns(1);
    model->setGrid(view.grid);
    auto* table = new QTableView(this);
    table->setObjectName(QStringLiteral("drawPrizesTable"));
    table->setModel(model);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    int width = table->verticalHeader()->width() + 40;
    for (int column = 0; column < model->columnCount(); ++column) {
        width += table->columnWidth(column);
    }
    const int height = table->horizontalHeader()->height() + table->rowHeight(0) * (model->rowCount() + 1);
    resize(std::max(width, title->sizeHint().width() + 30), height + title->sizeHint().height() + 40);
    if (parent != nullptr) {
        move(parent->geometry().center() - rect().center());
    }
}

DrawPrizesWindow* RunDrawPrizes(MainWindow& mainWindow)
{
    const GameCode game = mainWindow.state().GameCode;
    const auto* grid = mainWindow.findChild<GridView*>(QStringLiteral("mainGrid"));
    const int row = grid != nullptr ? grid->currentGridRow() : -1;
    const QDate date = row >= 1 ? DateOfResultsRow(grid->grid().cell(0, row)) : QDate();
    if (!date.isValid()) {
        mainWindow.userInterface().ShowNotice(NoticeKind::Information,
                                              Utf8ToCp1253("Επιλέξτε πρώτα μια κλήρωση του πίνακα."));
        return nullptr;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PrizeBook book;
    try {
        book = LoadPrizeBook(mainWindow.workingFolder(), game);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    const DrawPrizes* draw = book.onDate(date);
    std::optional<DrawPrizes> served;
    if (draw == nullptr) {
        served = mainWindow.servedDrawPrizes(game, date);
        draw = served ? &*served : nullptr;
    }
    if (draw == nullptr) {
        std::string text = "Τα κέρδη της κλήρωσης της " + date.toString(QStringLiteral("dd-MM-yyyy")).toStdString()
            + " δεν είναι γνωστά: δεν υπάρχει στον φάκελο Data βιβλίο εργασίας με τον πίνακά τους.";
        for (const std::string& problem : book.problems) {
            text += "\n" + problem;
        }
        mainWindow.userInterface().ShowNotice(NoticeKind::Information, Utf8ToCp1253(text));
        return nullptr;
    }
    auto* window = new DrawPrizesWindow(BuildDrawPrizesView(game, *draw), &mainWindow);
    window->show();
    return window;
}

} // namespace karvo
