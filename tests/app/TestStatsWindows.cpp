// The statistics, column-check and price-history windows opened from the real main window's menu:
// row counts, sorting, the period choice, the chart's bars, the column check's refusals and hits.
#include "AppTestSupport.h"
#include "app/dialogs/InputDialog.h"
#include "app/dialogs/MemoDialog.h"
#include "app/main/GridView.h"
#include "app/market/PriceHistoryWindow.h"
#include "app/stats/ColumnCheckWindow.h"
#include "app/stats/StatsWindow.h"
#include "results/ResultsFiles.h"
#include "support/MarketTestData.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <QtCharts>

using namespace karvo;
using namespace karvo::test;

namespace {

std::string KinoMonthBytes(int first, int draws)
{
    std::string bytes = KinoHeader(first);
    for (int k = 0; k < draws; ++k) {
        for (int i = 0; i < 20; ++i) {
            bytes += static_cast<char>(1 + (k + i * 4) % 80);
        }
        bytes += std::string{static_cast<char>(1 + k % 28), 10, 5};
    }
    return bytes;
}

QBarSet* Bars(QChartView* view)
{
    const auto* series = qobject_cast<QAbstractBarSeries*>(view->chart()->series().front());
    return series == nullptr ? nullptr : series->barSets().front();
}

} // namespace

class TestStatsWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;

    StatsWindow* openStats(const char* game)
    {
        m_w->press(game);
        m_w->runMenuItem(QStringLiteral("Στατιστικά αριθμών"));
        auto* window = Child<StatsWindow>(&m_w->form, "StatsWindow");
        new QAbstractItemModelTester(Child<QTableView>(window, "statsTable")->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, window);
        return window;
    }

private slots:
    void init() { m_w = std::make_unique<OpenWindow>(); }
    void cleanup() { m_w.reset(); }

    void lottoWindowHasARowAndABarANumber()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(400));
        StatsWindow* window = openStats("lottoButton");
        auto* table = Child<QTableView>(window, "statsTable");
        QCOMPARE(table->model()->rowCount(), 49);
        QCOMPARE(Bars(Child<QChartView>(window, "statsChart"))->count(), 49);
        QCOMPARE(Child<QLabel>(window, "summary")->text(),
                 QStringLiteral("Κληρώσεις: 400  (01-01-2020 έως 08-03-2021)"));
        QCOMPARE(table->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    }

    void sortingByTheGapOrdersTheRows()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(60));
        StatsWindow* window = openStats("lottoButton");
        auto* table = Child<QTableView>(window, "statsTable");
        QHeaderView* header = table->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(4) + 5, 5));
        QCOMPARE(header->sortIndicatorSection(), 4);
        const bool descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
        QAbstractItemModel* model = table->model();
        qlonglong previous = model->index(0, 4).data(Qt::UserRole).toLongLong();
        bool varied = false;
        for (int r = 1; r < model->rowCount(); ++r) {
            const qlonglong gap = model->index(r, 4).data(Qt::UserRole).toLongLong();
            QVERIFY(descending ? gap <= previous : gap >= previous);
            varied = varied || gap != previous;
            previous = gap;
        }
        QVERIFY(varied);
    }

    void periodChoiceChangesTheFigures()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(400));
        StatsWindow* window = openStats("lottoButton");
        const std::int64_t allHits = window->stats().numbers.front().hits;
        auto* kind = Child<QComboBox>(window, "periodKind");
        auto* value = Child<QSpinBox>(window, "periodValue");
        kind->setCurrentIndex(2); // the last draws, 100 at first
        value->setValue(10);
        QCOMPARE(window->stats().draws, 10);
        kind->setCurrentIndex(1); // from a year
        value->setValue(2021);
        QCOMPARE(window->stats().draws, 400 - 336);
        QVERIFY(window->stats().numbers.front().hits < allHits);
        QCOMPARE(Child<QTableView>(window, "statsTable")->model()->index(0, 1).data().toString(),
                 QString::number(window->stats().numbers.front().hits));
        kind->setCurrentIndex(0);
        QCOMPARE(window->stats().numbers.front().hits, allHits);
        QVERIFY(!value->isEnabled());
    }

    void chartsSaveAsPicturesAndTablesExportInTheirOrder()
    {
        OpenedUrls opened("file");
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(60));
        StatsWindow* window = openStats("lottoButton");
        window->show();
        const auto saveChart = [window](const QString& picture) {
            QString proposed;
            AnswerNextDialog<QFileDialog>([picture, &proposed](QFileDialog* dialog) {
                proposed = dialog->selectedFiles().value(0);
                dialog->selectFile(picture);
                static_cast<QDialog*>(dialog)->accept();
            });
            Child<QPushButton>(window, "saveChartButton")->click();
            return proposed;
        };
        const QString picture = QString::fromStdString(m_w->folder.file("chart.png"));
        saveChart(picture);
        QVERIFY(QImage(picture).width() > 100);

        Child<QTableView>(window, "statsTable")->sortByColumn(1, Qt::DescendingOrder);
        Child<QPushButton>(window, "exportButton")->click();
        std::string path = m_w->folder.file("LOTTO_STATS.xls");
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(path))});
        const std::vector<std::string> lines = LoadLines(path);
        QCOMPARE(int(lines.size()), 50);
        QCOMPARE(QString::fromStdString(U(lines[0])),
                 QStringLiteral("Αριθμός\tΦορές\tΠοσοστό %\tΑναμενόμενο %\tΑπουσία\tΜέγ. απουσία\tΤελευταία φορά\t"));
        const auto hitsOf = [&lines](std::size_t line) { return TextToInt(SplitFields(lines[line], "\t")[1]); };
        QVERIFY(hitsOf(1) >= hitsOf(49));

        // A pattern tab: both pair lists' charts side by side in one picture, then its own table.
        auto* tabs = Child<QTabWidget>(window, "statsTabs");
        tabs->setCurrentWidget(Child<QWidget>(window, "pairsTab"));
        const QString pairs = QString::fromStdString(m_w->folder.file("pairs.png"));
        QVERIFY(saveChart(pairs).endsWith(QStringLiteral("LOTTO_STATS_PAIRS.png")));
        QVERIFY(QImage(pairs).width() > 2 * Child<QChartView>(window, "absentPairsChart")->width() - 10);
        tabs->setCurrentIndex(1);
        Child<QPushButton>(window, "exportButton")->click();
        path = m_w->folder.file("LOTTO_STATS_ODDEVEN.xls");
        QCOMPARE(opened.urls.back(), QUrl::fromLocalFile(QString::fromStdString(path)));
        QCOMPARE(int(LoadLines(path).size()), 8);
    }

    void numberGamesHavePatternTabsTakenWhenShown()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(60));
        StatsWindow* window = openStats("lottoButton");
        QCOMPARE(window->patterns().draws, 0);
        Child<QTabWidget>(window, "statsTabs")->setCurrentIndex(1);
        QCOMPARE(window->patterns().draws, 60);
        for (const char* table : {"oddEvenTable", "sumTable", "pairsTable", "repeatTable"}) {
            new QAbstractItemModelTester(Child<QTableView>(window, table)->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest, window);
        }
        // Draws 1, 8, .., 57 are all even (8 16 24 32 40 48): 9 of 60.
        QAbstractItemModel* oddEven = Child<QTableView>(window, "oddEvenTable")->model();
        QCOMPARE(oddEven->index(0, 0).data().toString() + "|" + oddEven->index(0, 1).data().toString() + "|"
                     + oddEven->index(0, 2).data().toString() + "|" + oddEven->index(0, 3).data().toString(),
                 QStringLiteral("0/6|9|15,00|0,96"));
        QCOMPARE(Bars(Child<QChartView>(window, "frequentPairsChart"))->count(), 20);
        QVERIFY(Child<QChartView>(window, "sumChart")->chart()->title().contains(QStringLiteral("μέσος όρος")));

        // A new period shows at once on the tab shown.
        Child<QComboBox>(window, "periodKind")->setCurrentIndex(2);
        Child<QSpinBox>(window, "periodValue")->setValue(10);
        QCOMPARE(window->patterns().draws, 10);
        QCOMPARE(Child<QTableView>(window, "repeatTable")->model()->index(0, 1).data().toString(),
                 QString::number(window->patterns().repeats[0].draws));
    }

    void kinoWindowCoversEveryMonthWithPatternTabsAndProtoHasNone()
    {
        CreateFolder(m_w->folder.file("Data"));
        WriteKinoFile(m_w->folder.file("Data/kino_2024_01.qav"), KinoMonthBytes(1000, 30));
        WriteKinoFile(m_w->folder.file("Data/kino_2024_02.qav"), KinoMonthBytes(1030, 20));
        StatsWindow* window = openStats("kinoButton");
        QCOMPARE(Child<QTableView>(window, "statsTable")->model()->rowCount(), 80);
        QCOMPARE(window->stats().draws, 50);
        Child<QTabWidget>(window, "statsTabs")->setCurrentIndex(3);
        QCOMPARE(window->patterns().draws, 50);
        QCOMPARE(Child<QTableView>(window, "oddEvenTable")->model()->rowCount(), 21);
        delete window;

        window = openStats("protoButton");
        QVERIFY(window->findChild<QTabWidget*>() == nullptr);
    }

    void columnCheckRefusesAWrongEntryThenListsTheHits()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(60));
        m_w->press("lottoButton");
        QString refusal;
        AnswerNextDialog<MemoDialog>([&refusal](MemoDialog* dialog) {
            QCOMPARE(Child<QLabel>(dialog, "fieldLabel1")->text(), QStringLiteral("Δώστε 6 αριθμούς (1 έως 49)"));
            AnswerNextDialog<QMessageBox>([&refusal](QMessageBox* box) {
                refusal = box->text();
                AnswerNextDialog<MemoDialog>([](MemoDialog* again) {
                    Child<QPlainTextEdit>(again, "fieldBox1")->setPlainText(QStringLiteral("1 9 17 25 33 41"));
                    again->accept();
                });
                box->accept();
            });
            Child<QPlainTextEdit>(dialog, "fieldBox1")->setPlainText(QStringLiteral("1 9 17 25 33 33"));
            dialog->accept();
        });
        m_w->runMenuItem(QStringLiteral("Έλεγχος στήλης"));
        QCOMPARE(refusal, QStringLiteral("Ο αριθμός 33 δόθηκε δύο φορές."));
        auto* window = Child<ColumnCheckWindow>(&m_w->form, "ColumnCheckWindow");
        // Draw 0 is 1 9 17 25 33 41 itself; every seventh draw repeats it.
        const TicketReport& report = window->report();
        QVERIFY(Child<QLabel>(window, "summary")->text().contains(QStringLiteral("6 επιτυχίες: 9 κληρώσεις")));
        QCOMPARE(Child<QTableView>(window, "hitsTable")->model()->rowCount(), int(report.hits.size()));
        QCOMPARE(Child<QTableView>(window, "hitsTable")->model()->index(0, 2).data().toString(),
                 QStringLiteral("01 09 17 25 33 41"));
    }

    void priceHistoryOfTheStockShowsEveryStoredDay()
    {
        StoreStockDay(m_w->folder, "20241203", {Record("ALPHA", "1.2", "1000")});
        StoreStockDay(m_w->folder, "20241205", {Record("ALPHA", "1.25", "1000")});
        m_w->press("stocksButton");
        // Without a current row in the stock list the symbol is asked for.
        AnswerNextDialog<InputDialog>([](InputDialog* dialog) {
            dialog->inputBox()->setEditText(QStringLiteral("alpha"));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        m_w->runMenuItem(QStringLiteral("Ιστορικό μετοχής"));
        auto* window = Child<PriceHistoryWindow>(&m_w->form, "PriceHistoryWindow");
        QCOMPARE(window->windowTitle(), QStringLiteral("Ιστορικό μετοχής - ALPHA"));
        QAbstractItemModel* table = Child<QTableView>(window, "priceTable")->model();
        QCOMPARE(table->index(1, 0).data().toString() + "|" + table->index(1, 1).data().toString(),
                 QStringLiteral("05-12-2024|1,25"));
        const auto* line =
            qobject_cast<QLineSeries*>(Child<QChartView>(window, "priceChart")->chart()->series().front());
        QCOMPARE(line->count(), 2);
        delete window;
        // With a row of the stock list chosen, its symbol is taken without a question.
        auto* list = m_w->child<GridView>("sideGrid");
        QCOMPARE(ToQString(list->grid().cell(0, 1)).trimmed(), QStringLiteral("ALPHA"));
        list->selectGridRow(1, 0);
        m_w->runMenuItem(QStringLiteral("Ιστορικό μετοχής"));
        window = Child<PriceHistoryWindow>(&m_w->form, "PriceHistoryWindow");
        QCOMPARE(window->windowTitle(), QStringLiteral("Ιστορικό μετοχής - ALPHA"));
    }
};

QTEST_MAIN(TestStatsWindows)
#include "TestStatsWindows.moc"
#include "moc_AppTestSupport.cpp"
