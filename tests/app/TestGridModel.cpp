// The grid model over the core's cell grid: decoding, header row, colours, resets and editing.
#include "app/GridModel.h"
#include "app/GridView.h"
#include "support/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace karvo;
using karvo::test::W;

class TestGridModel : public QObject
{
    Q_OBJECT

private:
    static CellGrid sample()
    {
        CellGrid grid(2, 4);
        grid.setCell(0, 0, W("  No ΕΤΟΣ"));
        grid.setCell(1, 0, W("      Νικήτριες"));
        grid.setCell(0, 1, W("   1 2024-1"));
        grid.setCell(1, 1, W(" 1X2 X111"));
        grid.setCell(0, 3, W("   3 2024-3"));
        grid.columnWidths() = {105, 999};
        grid.setCurrentRow(3);
        return grid;
    }

private slots:
    void headerRowBecomesTheHorizontalHeader()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setGrid(sample());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("  No ΕΤΟΣ"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("      Νικήτριες"));
        // Model row r shows grid row r + 1.
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral(" 1X2 X111"));
        QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral("   3 2024-3"));
        QCOMPARE(model.index(1, 1).data().toString(), QString());
    }

    void resetsAndChangesReportToTheView()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        model.setGrid(sample());
        model.change([](CellGrid& grid) { grid.setRowCount(2); });
        QCOMPARE(resets.count(), 2);
        QCOMPARE(model.rowCount(), 1);
        model.setGrid(CellGrid());
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 0);
    }

    void fixedColumnsHaveTheFixedColourAndNeverTakeTyping()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setGrid(sample());
        model.setColours(Qt::yellow, Qt::white);
        QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(model.index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("x")));

        model.setEditable(true);
        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("x")));
        // Typed text is kept in the code page; a character outside it becomes "?".
        QVERIFY(model.setData(model.index(0, 1), QStringLiteral("Χ1€ℵ")));
        QCOMPARE(model.grid().cell(1, 1), W("Χ1€?"));
    }

    void viewTakesWidthsAndSelectsTheCurrentRow()
    {
        GridView view(13, 47);
        view.resize(400, 300);
        view.showGrid(sample());
        QCOMPARE(view.columnWidth(0), 105);
        QCOMPARE(view.columnWidth(1), 999);
        QCOMPARE(view.currentGridRow(), 3);
        QCOMPARE(view.currentIndex().column(), 1);
        // The 999-pixel column does not pull the fixed column out of sight.
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.horizontalScrollBar()->value(), 0);
        CellGrid wide(3, 2);
        wide.columnWidths() = {0};
        view.showGrid(wide);
        QCOMPARE(view.columnWidth(0), 0);
        QCOMPARE(view.columnWidth(2), 47);
    }
};

QTEST_MAIN(TestGridModel)
#include "TestGridModel.moc"
