// A draw's prizes in the real main window: "Κέρδη κλήρωσης" on the current row from the kept
// workbook, or from the draw service for the latest draw, and the left panel's line of the next
// draw, which comes after the view without holding it up and never as an error box.
#include "AppTestSupport.h"
#include "app/main/GridView.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "support/WorkbookWriter.h"
#include "util/FileNames.h"

#include <QDateTime>

using namespace karvo;
using namespace karvo::test;

namespace {

const QString kLottoService = QStringLiteral("/draws/v3.0/5103/last-result-and-active");
// The draw after the workbook's last, 2 April 2024, and the next one open for play.
const std::string kLottoAnswer = R"({"last":{"gameId":5103,"drawId":2506,"drawTime":1712084400000,
 "winningNumbers":{"list":[4,11,19,25,33,42]},"prizeCategories":[{"id":1,"divident":0,"winners":0,
 "jackpot":900000.0},{"id":2,"divident":12000.0,"winners":5},{"id":5,"divident":1.0,"winners":44000}]},
 "active":{"gameId":5103,"drawId":2507,"drawTime":1712257200000,"prizeCategories":[{"id":1,
 "jackpot":900000.0,"minimumDistributed":1200000.0}]}})";

QStringList Row(const QAbstractItemModel* model, int row)
{
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) {
        cells << model->index(row, column).data().toString();
    }
    return cells;
}

} // namespace

class TestDrawPrizes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LoopbackServer> m_server;
    std::unique_ptr<OpenWindow> m_w;

    void selectDraw(int gridRow)
    {
        auto* grid = m_w->child<GridView>("mainGrid");
        grid->selectGridRow(gridRow, 0);
    }
    QString nextDrawLine() { return m_w->child<QLabel>("nextDrawLabel")->text(); }

private slots:
    void init()
    {
        m_server = std::make_unique<LoopbackServer>();
        m_server->setDelay(std::chrono::milliseconds(300));
        m_server->set(kLottoService.toStdString(), LoopbackResponse::Body(kLottoAnswer));
        qputenv("KARVO_DRAWS_URL", QByteArray::fromStdString(m_server->baseUrl()));
        m_w = std::make_unique<OpenWindow>();
        // 27 and 30 March from the workbook, then 2 April, which only the service knows yet.
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"),
                        Slot(27, 3, 2024, {5, 15, 25, 37, 39, 41}) + Slot(30, 3, 2024, {2, 7, 20, 30, 31, 34})
                            + Slot(2, 4, 2024, {4, 11, 19, 25, 33, 42}));
        CreateFolder(m_w->folder.file("Data"));
        WriteBytes(m_w->folder.file("Data/lotto_2024.xlsx"), ReadBytes(TestDataFolder() + "lotto_2024.xlsx"));
    }
    void cleanup()
    {
        m_w.reset();
        m_server.reset();
        qunsetenv("KARVO_DRAWS_URL");
    }

    void theNextDrawComesAfterTheViewAndOnceAMinute()
    {
        m_w->press("lottoButton");
        // The view is there at once; the service takes 300 ms to answer.
        QVERIFY(m_w->child<GridView>("mainGrid")->model()->rowCount() >= 3);
        QVERIFY(!m_w->child<QLabel>("nextDrawLabel")->isVisible());
        QVERIFY(QTest::qWaitFor([&] { return m_w->child<QLabel>("nextDrawLabel")->isVisible(); }, 10000));
        const QDateTime next = QDateTime::fromMSecsSinceEpoch(1712257200000).toLocalTime();
        QVERIFY2(nextDrawLine().startsWith(QStringLiteral("Επόμενη κλήρωση: ")), qPrintable(nextDrawLine()));
        QVERIFY2(nextDrawLine().endsWith(next.toString(QStringLiteral(" dd/MM HH:mm · Τζακπότ 1.200.000 €"))),
                 qPrintable(nextDrawLine()));
        // Shown again within the minute: from what is known, without asking again.
        m_w->press("jokerButton");
        QVERIFY(!m_w->child<QLabel>("nextDrawLabel")->isVisible());
        m_w->press("lottoButton");
        QVERIFY(m_w->child<QLabel>("nextDrawLabel")->isVisible());
        QCOMPARE(m_server->requestCount(kLottoService.toStdString()), 1);
        // JOKER's service fails (404): nothing shown, and no box.
        QVERIFY(QTest::qWaitFor([&] { return m_server->requestCount("/draws/v3.0/5104/last-result-and-active") == 1; },
                                10000));
        m_w->press("jokerButton");
        QTest::qWait(400);
        QVERIFY(!m_w->child<QLabel>("nextDrawLabel")->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void drawPrizesShowTheCurrentRowsTable()
    {
        m_w->press("lottoButton");
        selectDraw(2); // 30 March, from the workbook
        m_w->runMenuItem(QStringLiteral("Κέρδη κλήρωσης"));
        auto* window = Child<QWidget>(&m_w->form, "drawPrizesWindow");
        QCOMPARE(Child<QLabel>(window, "drawPrizesTitle")->text(),
                 QStringLiteral("LOTTO: κλήρωση 2505 της 30-03-2024, 334.330 στήλες"));
        const QAbstractItemModel* table = Child<QTableView>(window, "drawPrizesTable")->model();
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(Row(table, 0), (QStringList{"6αρια", "-", "ΤΖΑΚ-ΠΟΤ"}));
        QCOMPARE(Row(table, 1), (QStringList{"5αρια", "6", "12.000,00"}));
        QCOMPARE(Row(table, 4), (QStringList{"2αρια", "45.651", "1,00"}));
        window->close();

        // 2 April: no workbook has it yet, the service's last draw does, once it has answered.
        QVERIFY(QTest::qWaitFor([&] { return m_w->child<QLabel>("nextDrawLabel")->isVisible(); }, 10000));
        selectDraw(3);
        m_w->runMenuItem(QStringLiteral("Κέρδη κλήρωσης"));
        window = Child<QWidget>(&m_w->form, "drawPrizesWindow");
        QCOMPARE(Child<QLabel>(window, "drawPrizesTitle")->text(),
                 QStringLiteral("LOTTO: κλήρωση 2506 της 02-04-2024"));
        table = Child<QTableView>(window, "drawPrizesTable")->model();
        QCOMPARE(Row(table, 0), (QStringList{"6αρια", "-", "ΤΖΑΚ-ΠΟΤ"}));
        QCOMPARE(Row(table, 2), (QStringList{"2αρια", "44.000", "1,00"}));
        window->close();
    }

    void aDrawWithoutATableIsToldSo()
    {
        QFile::remove(QString::fromStdString(m_w->folder.file("Data/lotto_2024.xlsx")));
        const std::string results = ReadBytes(m_w->folder.file("LOTTO.krv"));
        m_w->press("lottoButton");
        selectDraw(1);
        QString told;
        AnswerNextDialog<QMessageBox>([&told](QMessageBox* box) {
            told = box->text();
            box->accept();
        });
        m_w->runMenuItem(QStringLiteral("Κέρδη κλήρωσης"));
        QCOMPARE(told,
                 QStringLiteral("Τα κέρδη της κλήρωσης της 27-03-2024 δεν είναι γνωστά: δεν υπάρχει στον "
                                "φάκελο Data βιβλίο εργασίας με τον πίνακά τους."));
        // The results file is as it was.
        QCOMPARE(ReadBytes(m_w->folder.file("LOTTO.krv")), results);
    }
};

QTEST_MAIN(TestDrawPrizes)
#include "TestDrawPrizes.moc"
