// The kept tickets' window opened from the real main window's menu: a ticket added through the
// form is written and shown with its figures, copied and deleted; a damaged file makes it read-only.
#include "AppTestSupport.h"
#include "app/tickets/KeptTicketsWindow.h"
#include "results/ResultsFiles.h"
#include "tickets/TicketFile.h"
#include "util/Cp1253.h"

using namespace karvo;
using namespace karvo::test;

class TestKeptTickets : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;

    KeptTicketsWindow* openTickets(const char* game)
    {
        m_w->press(game);
        m_w->runMenuItem(QStringLiteral("Τα δελτία μου"));
        auto* window = Child<KeptTicketsWindow>(&m_w->form, "KeptTicketsWindow");
        new QAbstractItemModelTester(Child<QTableView>(window, "ticketsTable")->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, window);
        return window;
    }

    static void fill(KeptTicketsWindow* window, const QString& name, const QString& choice)
    {
        Child<QLineEdit>(window, "nameEdit")->setText(name);
        Child<QLineEdit>(window, "choiceEdit")->setText(choice);
    }

    static void click(KeptTicketsWindow* window, const char* button)
    {
        QTest::mouseClick(Child<QPushButton>(window, button), Qt::LeftButton);
    }

private slots:
    void init() { m_w = std::make_unique<OpenWindow>(); }
    void cleanup() { m_w.reset(); }

    void ticketAddedThroughTheFormIsSavedAndShownWithItsFigures()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), LottoDraws(60));
        KeptTicketsWindow* window = openTickets("lottoButton");
        QVERIFY(!window->readOnly());
        QAbstractItemModel* model = Child<QTableView>(window, "ticketsTable")->model();

        fill(window, QStringLiteral("Σπίτι"), QStringLiteral("1 9 17 25 33 41"));
        click(window, "addButton");
        const TicketList saved = LoadTickets(m_w->folder.path());
        QCOMPARE(saved.tickets.size(), std::size_t{1});
        QCOMPARE(saved.tickets[0].ticket.values, (std::vector<int>{1, 9, 17, 25, 33, 41}));
        QCOMPARE(model->rowCount(), 1);
        // Draw 0 is the ticket itself and comes back every seventh draw: 56 is the last, 59 the latest.
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Τελευταία (04-03-2020)"));
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("0"));
        QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("0 0 0 6 0 0 0 0 0 0"));
        QCOMPARE(model->index(0, 4).data().toString(), QStringLiteral("6 (01-01-2020)"));
        QVERIFY(window->summaryLines().contains(QStringLiteral("6 επιτυχίες: 9")));
        QVERIFY(Child<QLabel>(window, "ticketSummary")->text().contains(QStringLiteral("Κληρώσεις: 60")));

        // A wrong entry is refused with its message and the file stays as it was.
        const std::string before = ReadBytes(m_w->folder.file("tickets.json"));
        QString refusal;
        AnswerNextDialog<QMessageBox>([&refusal](QMessageBox* box) {
            refusal = box->text();
            box->accept();
        });
        fill(window, QStringLiteral("Άλλο"), QStringLiteral("1 2 3 4 5 50"));
        click(window, "addButton");
        QCOMPARE(refusal, QStringLiteral("Ο αριθμός 50 είναι εκτός ορίων (1 έως 49)."));
        QCOMPARE(ReadBytes(m_w->folder.file("tickets.json")), before);

        // Copied beside itself, then the copy deleted.
        Child<QTableView>(window, "ticketsTable")->clearSelection();
        Child<QTableView>(window, "ticketsTable")->selectRow(0);
        QCOMPARE(Child<QLineEdit>(window, "nameEdit")->text(), QStringLiteral("Σπίτι"));
        click(window, "copyButton");
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(ToQString(LoadTickets(m_w->folder.path()).tickets.at(1).name), QStringLiteral("Σπίτι (2)"));
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        click(window, "deleteButton");
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(ReadBytes(m_w->folder.file("tickets.json")), before);
    }

    void kinoFormAsksForTheNumbersAColumn()
    {
        KeptTicketsWindow* window = openTickets("kinoButton");
        fill(window, QStringLiteral("Κ"), QStringLiteral("1 2 3 4 5 6"));
        Child<QSpinBox>(window, "playedSpin")->setValue(4);
        click(window, "addButton");
        QCOMPARE(Child<QTableView>(window, "ticketsTable")->model()->index(0, 1).data().toString(),
                 QStringLiteral("1 2 3 4 5 6, ανά 4"));
        QCOMPARE(LoadTickets(m_w->folder.path()).tickets.at(0).ticket.played, 4);
    }

    void damagedFileOpensReadOnlyAndIsNotTouched()
    {
        const std::string damaged = "{\"version\": 1, \"tickets\": [{\"name\": \"Σπί";
        WriteBytes(m_w->folder.file("tickets.json"), damaged);
        KeptTicketsWindow* window = openTickets("lottoButton");
        QVERIFY(window->readOnly());
        QVERIFY(Child<QLabel>(window, "problemText")->isVisible());
        QVERIFY(Child<QLabel>(window, "problemText")->text().contains(QStringLiteral("είναι κομμένο")));
        for (const char* button : {"addButton", "changeButton", "copyButton", "deleteButton"}) {
            QVERIFY(!Child<QPushButton>(window, button)->isEnabled());
        }
        QCOMPARE(ReadBytes(m_w->folder.file("tickets.json")), damaged);
    }
};

QTEST_MAIN(TestKeptTickets)
#include "TestKeptTickets.moc"
