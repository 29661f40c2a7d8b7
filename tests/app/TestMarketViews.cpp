// The stock and fund views on the real window: the day list, the change column, the caption sort,
// find-all in the list and in the files, F3, the export, and the update with its account.
#include "AppTestSupport.h"
#include "app/GridView.h"
#include "app/InputDialog.h"
#include "app/MemoDialog.h"
#include "market/MarketText.h"
#include "market/StockDay.h"
#include "support/LoopbackServer.h"
#include "util/Cp1253.h"
#include "util/Files.h"

#include <cstdlib>

using namespace karvo;
using namespace karvo::test;

namespace {

std::string Record(const std::string& symbol, const std::string& close, const std::string& volume = "100")
{
    return StockRecord(symbol + ",d,x,1,1," + close + ",1," + volume, "05/12/2024");
}

} // namespace

class TestMarketViews : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;

    GridView* SG() { return m_w->child<GridView>("SG"); }
    GridView* SG1() { return m_w->child<GridView>("SG1"); }
    QString cell(int column, int row) { return ToQString(SG1()->grid().cell(column, row)); }
    QStringList column(int c)
    {
        QStringList cells;
        for (int r = 1; r < SG1()->grid().rowCount(); ++r) {
            cells << cell(c, r).trimmed();
        }
        return cells;
    }
    QString notice() { return m_w->child<QLabel>("Panel1")->text().mid(2); }

    void storeStock(const std::string& day, const std::vector<std::string>& records)
    {
        std::vector<std::string> lines{StockHeader()};
        lines.insert(lines.end(), records.begin(), records.end());
        StoreLines(m_w->folder.file("Data-STOCK/" + day + ".txt"), lines);
    }
    void threeStockDays()
    {
        storeStock("20241202", {Record("ALPHA", "10.00"), Record("BETA", "10")});
        storeStock("20241205",
                   {Record("ALPHA", "10.5", "300"), Record("BETA", "9.9", "20"), Record("GAMMA", "1", "5000")});
        storeStock("20241204", {Record("ALPHA", "10.00")});
    }
    void storeFunds()
    {
        const std::string title = std::string(49, ' ') + "a  " + W("Μετοχικά");
        StoreLines(m_w->folder.file("Data-STOCK/A20241205.amb"),
                   {title, "    1.234.567,89      100.000,00   12,3456   5,12a Alpha",
                    "      999.999,99       10.000,00    1,0000  -1,00a Beta",
                    "          500,00          100,00    2,0000  10,00a Gamma"});
    }
    // A press on the caption of column c of the side grid.
    void pressCaption(int c, bool twice = false)
    {
        QHeaderView* header = SG1()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(c) + 5, header->height() / 2);
        if (twice) {
            // Through the window, as the desktop delivers it: press, release, press, double click, release.
            QWindow* window = m_w->form.windowHandle();
            QTest::mouseDClick(window, Qt::LeftButton, {}, header->viewport()->mapTo(&m_w->form, at));
        } else {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        }
    }
    void answerSearch(const QString& text)
    {
        AnswerNextDialog<InputDialog>([text](InputDialog* dialog) {
            dialog->combo()->setEditText(text);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
    }
    void answerDates(const QString& from, const QString& to)
    {
        AnswerNextDialog<MemoDialog>([from, to](MemoDialog* dialog) {
            const auto boxes = dialog->findChildren<Cp1253TextEdit*>();
            boxes.at(0)->setPlainText(from);
            boxes.at(1)->setPlainText(to);
            dialog->accept();
        });
    }

private slots:
    void init()
    {
        m_w = std::make_unique<OpenWindow>();
        for (const char* grid : {"SG", "SG1"}) {
            QAbstractItemModel* model = m_w->child<GridView>(grid)->model();
            new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        }
    }
    void cleanup() { m_w.reset(); }

    void stockViewListsTheDaysAndShowsTheLast()
    {
        threeStockDays();
        m_w->form.userInterface().StatusNotice("busy");
        m_w->press("SSTOCK");
        QCOMPARE(m_w->child<QLabel>("P_TOP")->text(), QStringLiteral("S T O C K"));
        QCOMPARE(m_w->form.width(), 871);
        QVERIFY(!m_w->child("P_LEFT")->isVisible());
        QCOMPARE(m_w->form.state().ExportBaseName, std::string("STOCK"));
        QCOMPARE(m_w->form.state().FirstYearRow, 1);
        QCOMPARE(notice(), QString());
        const CellGrid& days = SG()->grid();
        QCOMPARE(days.rowCount(), 4);
        QCOMPARE(ToQString(days.cell(1, 1)), QStringLiteral("    1 02-12-2024"));
        QCOMPARE(ToQString(days.cell(1, 3)), QStringLiteral("    3 05-12-2024"));
        QCOMPARE(SG()->currentGridRow(), 3);
        QCOMPARE(SG()->width(), 165);
        QCOMPARE(column(0), QStringList({"ALPHA", "BETA", "GAMMA"}));
        // Against day 2, which only knows ALPHA.
        QCOMPARE(cell(1, 1), QStringLiteral("   5.00"));
        QCOMPARE(cell(1, 2), QString());
        QCOMPARE(cell(3, 0), QStringLiteral("  ΟΓΚΟΣ"));
        QCOMPARE(SG1()->columnWidth(6), 99);
        QCOMPARE(SG1()->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        // Numbers flush right without their aligning blanks; the symbol as it is.
        QCOMPARE(SG1()->model()->index(0, 2).data().toString(), QStringLiteral("10.5"));
        QVERIFY(!SG1()->model()->index(0, 0).data(Qt::TextAlignmentRole).isValid());
    }

    void selectingADayComputesItsChanges()
    {
        threeStockDays();
        m_w->press("SSTOCK");
        SG()->selectGridRow(1, 1);
        QCOMPARE(column(1), QStringList({"", ""})); // nothing before the first day
        storeStock("20241204", {Record("ALPHA", "10.00"), Record("BETA", "10")});
        SG()->selectGridRow(3, 1);
        QCOMPARE(cell(1, 1), QStringLiteral("   5.00"));
        QCOMPARE(cell(1, 2), QStringLiteral("  -1.00"));
    }

    void captionPressesSortAndANewDayResetsThem()
    {
        threeStockDays();
        m_w->press("SSTOCK");
        pressCaption(3); // ΟΓΚΟΣ: first press descending
        QCOMPARE(column(0), QStringList({"GAMMA", "ALPHA", "BETA"}));
        pressCaption(3);
        QCOMPARE(column(0), QStringList({"BETA", "ALPHA", "GAMMA"}));
        pressCaption(0);
        QCOMPARE(column(0), QStringList({"GAMMA", "BETA", "ALPHA"}));
        // Another day resets the directions: the next press sorts descending again.
        SG()->selectGridRow(2, 1);
        SG()->selectGridRow(3, 1);
        QCOMPARE(column(0), QStringList({"ALPHA", "BETA", "GAMMA"}));
        pressCaption(3);
        QCOMPARE(column(0), QStringList({"GAMMA", "ALPHA", "BETA"}));
        // Two presses quick enough to make a double click are two sorts: descending, then ascending.
        SG()->selectGridRow(2, 1);
        SG()->selectGridRow(3, 1);
        int doubleClicks = 0;
        connect(SG1()->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
                [&doubleClicks] { ++doubleClicks; });
        pressCaption(3, true);
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(column(0), QStringList({"BETA", "ALPHA", "GAMMA"}));
    }

    void fundViewShowsAndSortsTheFigures()
    {
        storeFunds();
        m_w->press("Samb");
        QCOMPARE(m_w->child<QLabel>("P_TOP")->text(), QStringLiteral("Α Μ Ο Ι Β Α Ι Α"));
        QCOMPARE(m_w->form.width(), 959);
        QCOMPARE(m_w->form.state().ExportBaseName, std::string("AMB"));
        QCOMPARE(cell(0, 0), QString(65, ' ') + QStringLiteral("ΟΣΕΚΑ"));
        QCOMPARE(cell(0, 1), QStringLiteral("a  Μετοχικά"));
        QCOMPARE(cell(4, 2), QStringLiteral("      5,1"));
        QCOMPARE(SG1()->columnWidth(0), 438);
        pressCaption(1); // 1.234.567,89 is the largest, the title counts as 0
        QCOMPARE(column(0), QStringList({"a Alpha", "a Beta", "a Gamma", "a  Μετοχικά"}));
        pressCaption(0);
        QCOMPARE(column(0), QStringList({"a Gamma", "a Beta", "a Alpha", "a  Μετοχικά"}));
        pressCaption(0); // ascending: the title before its funds
        QCOMPARE(column(0).first(), QStringLiteral("a  Μετοχικά"));
    }

    void findAllInTheListThenF3()
    {
        threeStockDays();
        m_w->press("SSTOCK");
        answerSearch(QStringLiteral("a"));
        m_w->form.RunCommand(4); // every symbol with an A: all three rows
        QCOMPARE(SG1()->grid().rowCount(), 4);
        answerSearch(QStringLiteral("ph"));
        m_w->form.RunCommand(4);
        QCOMPARE(column(0), QStringList({"ALPHA"}));
        storeStock("20241205", {Record("ALPHA", "1"), Record("BETA", "1"), Record("GAMMA", "1"), Record("BETAX", "1")});
        SG()->selectGridRow(2, 1);
        SG()->selectGridRow(3, 1);
        answerSearch(QStringLiteral("bet"));
        m_w->form.RunCommand(4);
        QCOMPARE(column(0), QStringList({"BETA", "BETAX"}));
        SG1()->selectGridRow(1, 0);
        QTest::keyClick(&m_w->form, Qt::Key_F3); // F3 goes on inside the reduced list
        QCOMPARE(SG1()->currentGridRow(), 2);
    }

    void findAllInTheFilesForBothViews()
    {
        threeStockDays();
        m_w->press("SSTOCK");
        answerSearch(QStringLiteral("alpha"));
        m_w->form.RunCommand(5);
        QCOMPARE(column(0), QStringList({"ALPHA", "ALPHA", "ALPHA"}));
        QCOMPARE(column(1), QStringList({"2024-12-02", "2024-12-04", "2024-12-05"}));
        QCOMPARE(cell(1, 0), QStringLiteral("Ημερομηνία"));
        QCOMPARE(cell(2, 3), QStringLiteral("    10.5"));
        QCOMPARE(notice(), QString());
        // Back to a day: the change caption returns.
        SG()->selectGridRow(2, 1);
        QCOMPARE(cell(1, 0), QStringLiteral("ΜΕΤΑΒΟΛΗ%"));

        storeFunds();
        m_w->press("MENU");
        m_w->press("Samb");
        answerSearch(QStringLiteral("beta"));
        m_w->form.RunCommand(5);
        QCOMPARE(column(0), QStringList({"2024-12-05 a Beta"}));
        QCOMPARE(cell(1, 1), QStringLiteral("      999.999,99"));
    }

    void exportOfBothViewsStartsWithTheCaptions()
    {
        OpenedUrls opened("file");
        threeStockDays();
        storeFunds();
        m_w->press("SSTOCK");
        m_w->form.RunCommand(3);
        const std::string stock = ReadBytes(m_w->folder.file("STOCK.xls"));
        QVERIFY(stock.rfind(W("ΣΥΜΒΟΛΟ\tΜΕΤΑΒΟΛΗ%\t"), 0) == 0);
        QVERIFY(stock.find("GAMMA") != std::string::npos);
        m_w->press("MENU");
        m_w->press("Samb");
        m_w->form.RunCommand(3);
        const std::string funds = ReadBytes(m_w->folder.file("AMB.xls"));
        QVERIFY(funds.rfind(std::string(65, ' ') + W("ΟΣΕΚΑ\t"), 0) == 0);
        QCOMPARE(opened.urls.size(), 2);
    }

    void updateStoresTheDaysAndGivesAnAccount()
    {
        LoopbackServer server;
        setenv("KARVO_STOCK_URL", server.baseUrl().c_str(), 1);
        std::string body = "head\r\n";
        while (body.size() < 600) {
            body += "ALPHA,d,x,1,1,12.5,1,3\r\n";
        }
        server.set("/finance/Data/GetMetaStock.ashx?date=2024-12-02&type=1&encoding=2", LoopbackResponse::Body(body));
        m_w->press("SSTOCK");
        answerDates(QStringLiteral("2/12/2024"), QStringLiteral("3/12/2024"));
        m_w->press("UPDATE");
        QCOMPARE(server.requests().size(), std::size_t(2));
        QCOMPARE(SG()->grid().rowCount(), 2);
        QCOMPARE(ToQString(SG()->grid().cell(1, 1)), QStringLiteral("    1 02-12-2024"));
        QCOMPARE(cell(0, 1), QStringLiteral("ALPHA"));
        QCOMPARE(notice(), QStringLiteral("Ημέρες που αποθηκεύτηκαν: 1, χωρίς στοιχεία: 1."));
        unsetenv("KARVO_STOCK_URL");
    }

    void unreachableServerIsAWarning()
    {
        const std::string host = "http://127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort());
        setenv("KARVO_FUNDS_URL", host.c_str(), 1);
        m_w->press("Samb");
        answerDates(QStringLiteral("2/12/2024"), QStringLiteral("2/12/2024"));
        // The warning comes after the date box: watched for until it shows.
        QString shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&shown, &watch] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                watch.stop();
                box->accept();
            }
        });
        watch.start(10);
        m_w->press("UPDATE");
        QVERIFY2(shown.contains(QString::fromStdString(host)), qPrintable(shown));
        QVERIFY(ListFiles(m_w->folder.file("Data-STOCK/*.amb"), ListKinds::Files).empty());
        unsetenv("KARVO_FUNDS_URL");
    }
};

QTEST_MAIN(TestMarketViews)
#include "TestMarketViews.moc"
