// The windows as a Greek desktop runs them: the C library's locale is el_GR, whose decimal point
// is a comma, and every figure shown must still read as a Greek user expects.
#include "AppTestSupport.h"
#include "app/betting/SystemGridView.h"
#include "app/betting/SystemWindow.h"
#include "app/dialogs/MemoDialog.h"
#include "app/main/GridView.h"
#include "app/stats/ColumnCheckWindow.h"
#include "app/stats/StatsWindow.h"
#include "results/ResultsFiles.h"
#include "support/MarketTestData.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <clocale>

using namespace karvo;
using namespace karvo::test;

class TestGreekLocale : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;
    // The calculator, made by the coupon's system command.
    SystemWindow* calc() { return m_w->form.calculator(); }

    GridView* couponGrid() { return m_w->child<GridView>("sideGrid"); }
    QString couponCell(int column, int row) { return couponGrid()->model()->index(row - 1, column).data().toString(); }
    QAbstractItemModel* columnsGrid() { return Child<SystemGridView>(calc(), "columnsGrid")->model(); }
    QString columnCell(int column, int row) { return columnsGrid()->index(row, column).data().toString(); }

    bool typeSystem(int row, const char* signs)
    {
        return couponGrid()->model()->setData(couponGrid()->model()->index(row - 1, 10), QString::fromLatin1(signs));
    }

private slots:
    void initTestCase()
    {
        // What QApplication does on a Greek desktop, and what the program undoes for LC_NUMERIC:
        // here it stays Greek, so that any number that went through the C library would show it.
        QVERIFY2(std::setlocale(LC_ALL, "el_GR.UTF-8") != nullptr,
                 "el_GR.UTF-8 is not generated on this machine (scripts/install-deps.sh --test generates it)");
        SetUserNumberFormat(NumberFormat::fromLocale(QLocale(QLocale::Greek, QLocale::Greece)));
    }

    void init() { m_w = std::make_unique<OpenWindow>(); }

    void cleanup() { m_w.reset(); }

    void couponAndCalculatorFigures()
    {
        m_w->press("betButton");
        OpenedUrls page("https");
        AnswerWhenShown<MemoDialog>([](MemoDialog* dialog) {
            QGuiApplication::clipboard()->setText(
                QStringLiteral("Σαβ 17:00 101 1,85 Άρης 3,40 ΠΑΟΚ 4,20 1,30 1,25 2,60 1,90 1,80 1,70\n"
                               "Σαβ 19:00 102 2,50 Βόλος 3,10 Ξάνθη 2,80 1,30 1,25 2,60 1,90 1,80 1,70"));
            QTest::keyClick(dialog->findChild<QPlainTextEdit*>("fieldBox1"), Qt::Key_V, Qt::ControlModifier);
            dialog->accept();
        });
        m_w->form.runCommand(1);
        QVERIFY(typeSystem(1, "1X"));
        QVERIFY(typeSystem(2, "2"));
        // 1/1,85 + 1/3,40 + 1/4,20 = 1,072754: the odds return 93,22% of the stakes, and the
        // chances are 50,39%, 27,42% and 22,19%.
        QCOMPARE(couponCell(6, 1) + "|" + couponCell(7, 1) + "|" + couponCell(8, 1) + "|" + couponCell(9, 1),
                 QStringLiteral(" 93,22| 50| 27| 22"));
        m_w->form.runCommand(6);
        QVERIFY(calc() != nullptr && calc()->isVisible());
        // Two columns: 1,85 x 2,80 = 5,18 and 3,40 x 2,80 = 9,52; 1 / (1/5,18 + 1/9,52) = 3,35.
        const int n = calc()->matchCount();
        QCOMPARE(columnCell(0, n + 2) + "|" + columnCell(1, n + 2), QStringLiteral("5,18|9,52"));
        QCOMPARE(Child<QLabel>(calc(), "systemReturnLabel")->text(), QStringLiteral("Απόδοση Συστήματος 3,4"));
        // A total of 100 spread for equal winnings: 100 x 3,3546 / 5,18 = 64,76 and 35,24.
        AnswerInput(QStringLiteral("100"));
        QTest::mouseClick(Child<QPushButton>(calc(), "spreadTotalButton"), Qt::LeftButton);
        QCOMPARE(columnCell(0, n + 4) + "|" + columnCell(1, n + 4), QStringLiteral("64,76|35,24"));
        // F11 rounds each stake up to a multiple of 0,30: 64,80 and 35,40.
        QTest::keyClick(calc(), Qt::Key_F11);
        QCOMPARE(columnCell(0, n + 4) + "|" + columnCell(1, n + 4), QStringLiteral("64,8|35,4"));
    }

    void stockChangeKeepsItsPoint()
    {
        StoreStockDay(m_w->folder, "20241202", {Record("ALPHA", "10.00")});
        StoreStockDay(m_w->folder, "20241205", {Record("ALPHA", "13.208")});
        m_w->press("stocksButton");
        QCOMPARE(ToQString(m_w->child<GridView>("sideGrid")->grid().cell(1, 1)).trimmed(), QStringLiteral("32.08"));
    }

    void statisticsAndColumnCheckFigures()
    {
        // 3.510 draws; draw 0's kind comes 502 times (k = 0, 7, ..., 3507).
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(3510));
        m_w->press("lottoButton");
        m_w->runMenuItem(QStringLiteral("Στατιστικά αριθμών"));
        auto* stats = m_w->form.findChild<StatsWindow*>(QStringLiteral("StatsWindow"));
        QVERIFY(stats != nullptr);
        QVERIFY(Child<QLabel>(stats, "summary")->text().startsWith(QStringLiteral("Κληρώσεις: 3.510  (")));
        QCOMPARE(Child<QTableView>(stats, "statsTable")->model()->index(0, 1).data().toString(), QStringLiteral("502"));

        AnswerNextDialog<MemoDialog>([](MemoDialog* dialog) {
            Child<QPlainTextEdit>(dialog, "fieldBox1")->setPlainText(QStringLiteral("1 9 17 25 33 41"));
            dialog->accept();
        });
        m_w->runMenuItem(QStringLiteral("Έλεγχος στήλης"));
        auto* check = m_w->form.findChild<ColumnCheckWindow*>(QStringLiteral("ColumnCheckWindow"));
        QVERIFY(check != nullptr);
        QVERIFY(Child<QLabel>(check, "summary")->text().contains(QStringLiteral("6 επιτυχίες: 502 κληρώσεις")));
    }
};

QTEST_MAIN(TestGreekLocale)
#include "TestGreekLocale.moc"
