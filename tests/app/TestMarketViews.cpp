// The stock and fund views on the real window: the day list, the caption presses, find-all, F3 and
// the update with its account. The figures in the grids are the core tests'.
#include "AppTestSupport.h"
#include "app/dialogs/MemoDialog.h"
#include "app/main/GridView.h"
#include "market/MarketText.h"
#include "support/LoopbackServer.h"
#include "support/MarketTestData.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <cstdlib>

using namespace karvo;
using namespace karvo::test;

class TestMarketViews : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;

    GridView* mainGrid() { return m_w->child<GridView>("mainGrid"); }
    GridView* sideGrid() { return m_w->child<GridView>("sideGrid"); }
    QString cell(int column, int row) { return ToQString(sideGrid()->grid().cell(column, row)); }
    QStringList column(int c)
    {
        QStringList cells;
        for (int r = 1; r < sideGrid()->grid().rowCount(); ++r) {
            cells << cell(c, r).trimmed();
        }
        return cells;
    }
    QString notice() { return m_w->child<QLabel>("noticePanel")->text().mid(2); }

    void threeStockDays()
    {
        StoreStockDay(m_w->folder, "20241202", {Record("ALPHA", "10.00"), Record("BETA", "10")});
        StoreStockDay(m_w->folder, "20241205",
                      {Record("ALPHA", "10.5", "300"), Record("BETA", "9.9", "20"), Record("GAMMA", "1", "5000")});
        StoreStockDay(m_w->folder, "20241204", {Record("ALPHA", "10.00")});
    }
    void storeFunds()
    {
        const std::string title = std::string(49, ' ') + "a  " + W("Μετοχικά");
        SaveLines(m_w->folder.file("Data-STOCK/A20241205.amb"),
                  {title, "    1.234.567,89      100.000,00   12,3456   5,12a Alpha",
                   "      999.999,99       10.000,00    1,0000  -1,00a Beta",
                   "          500,00          100,00    2,0000  10,00a Gamma"});
    }
    // Answers the next date box with the range; typed runs just before the box is closed.
    void answerDates(const QString& from, const QString& to, const std::function<void()>& typed = [] { })
    {
        AnswerNextDialog<MemoDialog>([from, to, typed](MemoDialog* dialog) {
            const auto boxes = dialog->findChildren<Cp1253TextEdit*>();
            boxes.at(0)->setPlainText(from);
            boxes.at(1)->setPlainText(to);
            typed();
            dialog->accept();
        });
    }

private slots:
    void init() { m_w = std::make_unique<OpenWindow>(); }
    void cleanup() { m_w.reset(); }

    void stockViewListsTheDaysAndShowsTheLast()
    {
        threeStockDays();
        m_w->form.userInterface().StatusNotice("busy");
        m_w->press("stocksButton");
        QCOMPARE(notice(), QString());
        QCOMPARE(QPoint(mainGrid()->grid().rowCount(), mainGrid()->currentGridRow()), QPoint(4, 3));
        // Against day 2, which only knows ALPHA; numbers shown without their aligning blanks.
        QCOMPARE(column(1), QStringList({"5.00", "", ""}));
        QCOMPARE(sideGrid()->model()->index(0, 2).data().toString(), QStringLiteral("10.5"));
        // Selecting a day shows it against the day before; the first has none.
        mainGrid()->selectGridRow(1, 1);
        QCOMPARE(column(1), QStringList({"", ""}));
    }

    void captionPressesSortAndANewDayResetsThem()
    {
        threeStockDays();
        m_w->press("stocksButton");
        m_w->pressCaption("sideGrid", 3); // ΟΓΚΟΣ: first press descending
        QCOMPARE(column(0), QStringList({"GAMMA", "ALPHA", "BETA"}));
        m_w->pressCaption("sideGrid", 3);
        QCOMPARE(column(0), QStringList({"BETA", "ALPHA", "GAMMA"}));
        // Another day resets the directions; then two presses quick enough to make a double click
        // are two sorts: descending, then ascending.
        mainGrid()->selectGridRow(2, 1);
        mainGrid()->selectGridRow(3, 1);
        QCOMPARE(column(0), QStringList({"ALPHA", "BETA", "GAMMA"}));
        int doubleClicks = 0;
        connect(sideGrid()->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
                [&doubleClicks] { ++doubleClicks; });
        m_w->pressCaption("sideGrid", 3, true);
        QCOMPARE(doubleClicks, 1);
        QCOMPARE(column(0), QStringList({"BETA", "ALPHA", "GAMMA"}));
    }

    void findAllInTheListThenF3()
    {
        StoreStockDay(m_w->folder, "20241205",
                      {Record("ALPHA", "1"), Record("BETA", "1"), Record("GAMMA", "1"), Record("BETAX", "1")});
        m_w->press("stocksButton");
        AnswerInput(QStringLiteral("bet"));
        m_w->form.runCommand(4);
        QCOMPARE(column(0), QStringList({"BETA", "BETAX"}));
        sideGrid()->selectGridRow(1, 0);
        QTest::keyClick(&m_w->form, Qt::Key_F3); // F3 goes on inside the reduced list
        QCOMPARE(sideGrid()->currentGridRow(), 2);
    }

    void findAllInTheFilesForBothViews()
    {
        threeStockDays();
        m_w->press("stocksButton");
        AnswerInput(QStringLiteral("alpha"));
        m_w->form.runCommand(5);
        QCOMPARE(column(1), QStringList({"2024-12-02", "2024-12-04", "2024-12-05"}));
        QCOMPARE(cell(1, 0) + notice(), QStringLiteral("Ημερομηνία"));
        // Back to a day: the change caption returns.
        mainGrid()->selectGridRow(2, 1);
        QCOMPARE(cell(1, 0), QStringLiteral("ΜΕΤΑΒΟΛΗ%"));

        storeFunds();
        m_w->press("menuButton");
        m_w->press("fundsButton");
        AnswerInput(QStringLiteral("beta"));
        m_w->form.runCommand(5);
        QCOMPARE(column(0), QStringList({"2024-12-05 a Beta"}));
    }

    void updateShowsItsProgressAndCancelKeepsTheStoredDays()
    {
        // The first day answers at once, the next two drip for minutes; the third was stored before.
        LoopbackServer server;
        setenv("KARVO_STOCK_URL", server.baseUrl().c_str(), 1);
        const std::string alpha = StockBody({StockLine("ALPHA", "12.5", "3")});
        server.set(StockPath("2024-12-02"), LoopbackResponse::Body(alpha));
        LoopbackResponse drip = LoopbackResponse::Body(std::string(100000, 'x'));
        drip.trickleMs = 50;
        server.set(StockPath("2024-12-03"), drip);
        server.set(StockPath("2024-12-04"), drip);
        StoreStockDay(m_w->folder, "20241204", {Record("OLD", "1")});
        const std::string kept = ReadBytes(m_w->folder.file("Data-STOCK/20241204.txt"));
        m_w->press("stocksButton");
        FetchWatch watch(&m_w->form);
        answerDates(QStringLiteral("2/12/2024"), QStringLiteral("4/12/2024"), [&watch] { watch.start(); });
        m_w->press("updateButton");
        watch.verifyShownAnsweringAndCancelled();
        QCOMPARE(notice(), QStringLiteral("Ημέρες που αποθηκεύτηκαν: 1, χωρίς στοιχεία: 0. Διακόπηκε από τον χρήστη."));
        // The day stored before Cancel is whole, the day stored earlier untouched, the aborted one absent.
        std::string stored;
        for (const std::string& line : StockDayFromBody(alpha, "02/12/2024").lines) {
            stored += line + "\r\n";
        }
        QCOMPARE(ReadBytes(m_w->folder.file("Data-STOCK/20241202.txt")), stored);
        QCOMPARE(ToQString(mainGrid()->grid().cell(1, 1)), QStringLiteral("    1 02-12-2024")); // the list is rebuilt
        QCOMPARE(ReadBytes(m_w->folder.file("Data-STOCK/20241204.txt")), kept);
        QVERIFY(!QFile::exists(QString::fromStdString(m_w->folder.file("Data-STOCK/20241203.txt"))));
        unsetenv("KARVO_STOCK_URL");
    }

    void unreachableServerIsAWarning()
    {
        const std::string host = "http://127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort());
        setenv("KARVO_FUNDS_URL", host.c_str(), 1);
        m_w->press("fundsButton");
        answerDates(QStringLiteral("2/12/2024"), QStringLiteral("2/12/2024"));
        // The warning comes after the date box.
        QString shown;
        AnswerWhenShown<QMessageBox>([&shown](QMessageBox* box) {
            shown = box->text();
            box->accept();
        });
        m_w->press("updateButton");
        QVERIFY2(shown.contains(QString::fromStdString(host)), qPrintable(shown));
        QVERIFY(ListFiles(m_w->folder.file("Data-STOCK/*.amb"), ListKinds::Files).empty());
        unsetenv("KARVO_FUNDS_URL");
    }
};

QTEST_MAIN(TestMarketViews)
#include "TestMarketViews.moc"
