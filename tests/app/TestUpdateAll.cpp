// "Ενημέρωση όλων" in the window: Ctrl+U and the command menu's last item open the progress
// dialog, a row per game fills as the fetches go, the summary shows and the view is rebuilt;
// Cancel mid-run stops the rest. What the new draws won for the kept tickets is told after the
// update of every game and after the update button's. The program's own export of a list writes
// the window's bytes.
#include "AppTestSupport.h"
#include "app/dialogs/ListDialog.h"
#include "app/dialogs/UpdateAllDialog.h"
#include "app/main/GridView.h"
#include "app/tickets/TicketWinsNotice.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "support/MarketTestData.h"
#include "support/WorkbookWriter.h"
#include "tickets/TicketFile.h"
#include "util/FolderLock.h"

#include <cstdlib>

using namespace karvo;
using namespace karvo::test;

namespace {

// The dialog's table as text, a line per row with the cells joined by "|".
QStringList Rows(UpdateAllDialog* dialog)
{
    QStringList rows;
    const QAbstractItemModel* model = dialog->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c) {
            cells << model->index(r, c).data().toString();
        }
        rows << cells.join(u'|');
    }
    return rows;
}

// Watches the dialog while the run goes: the rows seen at the first step done, Cancel pressed
// then when asked, and at the end the summary taken and the dialog closed.
struct DialogWatch
{
    QWidget* window;
    bool cancelAtFirstStep = false;
    QStringList firstStepRows;
    QStringList summary;
    QString status;
    QString buttonAtEnd;
    QTimer poll;

    DialogWatch(QWidget* w, bool cancel)
        : window(w)
        , cancelAtFirstStep(cancel)
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this] { look(); });
        poll.start();
    }
    void look()
    {
        auto* dialog = window->findChild<UpdateAllDialog*>(QStringLiteral("UpdateAllDialog"));
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        auto* button = Child<QPushButton>(dialog, "updateAllButton");
        if (dialog->running()) {
            const QStringList rows = Rows(dialog);
            const bool stepDone = std::any_of(rows.begin(), rows.end(),
                                              [](const QString& row) { return row.split(u'|')[2].startsWith(u'1'); });
            if (firstStepRows.isEmpty() && stepDone) {
                firstStepRows = rows;
                if (cancelAtFirstStep) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
            return;
        }
        summary = Rows(dialog);
        status = Child<QLabel>(dialog, "updateAllStatus")->text();
        buttonAtEnd = button->text();
        poll.stop();
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

class TestUpdateAll : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;
    std::unique_ptr<LoopbackServer> m_server;

    // LOTTO with two draws of 2026 stored; the server has the year's workbook with four.
    void storeAndServeLotto()
    {
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"),
                        Slot(1, 1, 2026, {3, 9, 17, 22, 40, 1}) + Slot(2, 1, 2026, {3, 9, 17, 22, 40, 2}));
        SheetRows rows = {{"ΚΛΗΡΩΣΕΙΣ LOTTO"}, {""}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", "", "1ος"}};
        for (int d = 4; d >= 1; --d) {
            rows.push_back({std::to_string(2700 + d), std::to_string(d) + "/1/2026", "40", "3", "22", "17", "9",
                            std::to_string(d)});
        }
        m_server->set("/Excel_xlsx/5103/lotto_2026.xlsx", LoopbackResponse::Body(OperatorWorkbookBytes({rows})));
    }

    // Two LOTTO tickets: "Σπίτι" wins in the new draws of 3 and 4 January (5 and 6 numbers) as it
    // did in the stored ones; "Παλιό" had 3 numbers in each stored draw and 2 in the new ones.
    void keepTickets()
    {
        TicketList list;
        std::string message;
        list.tickets.resize(2);
        QVERIFY(MakeKeptTicket(GameCode::Lotto, W("Σπίτι"), "3 4 9 17 22 40", 0, list.tickets[0], message));
        QVERIFY(MakeKeptTicket(GameCode::Lotto, W("Παλιό"), "1 2 3 9 30 31", 0, list.tickets[1], message));
        SaveTickets(m_w->folder.path(), list);
    }

    const QStringList m_lottoWins = {QStringLiteral("Τα δελτία μου|ticketWinsNotice|"
                                                    "LOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 03-01-2026\n"
                                                    "LOTTO «Σπίτι»: 6 επιτυχίες στην κλήρωση της 04-01-2026")};

private slots:
    void init()
    {
        m_server = std::make_unique<LoopbackServer>();
        for (const char* variable :
             {"KARVO_OPAP_WEB_URL", "KARVO_OPAP_MEDIA_URL", "KARVO_STOCK_URL", "KARVO_FUNDS_URL"}) {
            setenv(variable, m_server->baseUrl().c_str(), 1);
        }
        m_w = std::make_unique<OpenWindow>();
    }

    void cleanup()
    {
        m_w.reset();
        m_server.reset();
    }

    void ctrlUFillsARowPerGameRebuildsTheViewAndTellsOnlyNewWins()
    {
        storeAndServeLotto();
        keepTickets();
        m_w->press("lottoButton");
        auto* grid = m_w->child<GridView>("mainGrid");
        QCOMPARE(grid->grid().rowCount(), 3);
        BoxWatch boxes;
        {
            DialogWatch watch(&m_w->form, false);
            m_w->form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&m_w->form));
            QTest::keyClick(grid, Qt::Key_U, Qt::ControlModifier);
            QCOMPARE(watch.summary.size(), 12); // every game but BET
            const QStringList lotto = watch.summary.filter(QStringLiteral("LOTTO|"));
            QVERIFY2(lotto.size() == 1 && lotto[0].startsWith(QStringLiteral("LOTTO|2026|1 / 1|")),
                     qPrintable(watch.summary.join(u'\n')));
            QCOMPARE(watch.buttonAtEnd, QStringLiteral("Κλείσιμο"));
        }
        QCOMPARE(m_server->requestCount("/Excel_xlsx/5103/lotto_2026.xlsx"), 1);
        // The LOTTO view shows the new draws, the last one current.
        QCOMPARE(grid->currentGridRow(), grid->grid().rowCount() - 1);
        QVERIFY(grid->grid().cell(0, grid->currentGridRow()).ends_with("04-01-2026"));
        QVERIFY(m_w->form.findChild<UpdateAllDialog*>() == nullptr);
        QCOMPARE(boxes.boxes, m_lottoWins); // after the summary
        // The same run again, from the menu, brings nothing new: nothing is told.
        DialogWatch again(&m_w->form, false);
        m_w->runMenuItem(QStringLiteral("Ενημέρωση όλων"));
        QVERIFY(!again.summary.isEmpty());
        QCOMPARE(boxes.boxes, m_lottoWins);
    }

    void menuItemOpensItAndCancelStopsTheRest()
    {
        storeAndServeLotto();
        m_server->setDelay(std::chrono::milliseconds(300));
        const std::string lotto = ReadBytes(m_w->folder.file("LOTTO.krv"));
        m_w->press("stocksButton");
        DialogWatch watch(&m_w->form, true);
        m_w->runMenuItem(QStringLiteral("Ενημέρωση όλων"));
        QVERIFY(!watch.firstStepRows.isEmpty());
        QCOMPARE(watch.status, QStringLiteral("Η ενημέρωση διακόπηκε."));
        QVERIFY2(!watch.summary.filter(QStringLiteral("διακόπηκε")).isEmpty(), qPrintable(watch.summary.join(u'\n')));
        // A whole run asks for well over two hundred workbooks and days; a cancelled one for the
        // few under way when Ακύρωση was pressed.
        QVERIFY2(m_server->requests().size() < 40, qPrintable(QString::number(m_server->requests().size())));
        // What the run did not get to is left as it was.
        if (m_server->requestCount("/Excel_xlsx/5103/lotto_2026.xlsx") == 0) {
            QCOMPARE(ReadBytes(m_w->folder.file("LOTTO.krv")), lotto);
        }
    }

    void anotherUpdateOfTheFolderKeepsTheWindowsUpdatesFromStarting()
    {
        storeAndServeLotto();
        m_w->press("lottoButton");
        FolderLock other(m_w->folder.path()); // "karvo update" from a timer, say
        QVERIFY(other.tryLock());
        BoxWatch boxes;
        m_w->runMenuItem(QStringLiteral("Ενημέρωση όλων"));
        m_w->press("updateButton");
        const QString busy = m_w->form.windowTitle() + QStringLiteral("||") + QString::fromStdString(FolderBusyText());
        QVERIFY(QTest::qWaitFor([&boxes] { return boxes.boxes.size() >= 2; }));
        QCOMPARE(boxes.boxes, QStringList({busy, busy}));
        QVERIFY(m_server->requests().empty());
        QVERIFY(m_w->form.findChild<UpdateAllDialog*>() == nullptr);
    }

    void theUpdateButtonTellsTheTicketsWinsToo()
    {
        storeAndServeLotto();
        keepTickets();
        m_w->press("lottoButton");
        BoxWatch boxes;
        AnswerNextDialog<ListDialog>([](ListDialog* dialog) {
            QListView* list = dialog->list();
            list->setCurrentIndex(list->model()->index(2026 - 2017, 0));
            QTest::keyClick(list, Qt::Key_Return);
        });
        m_w->press("updateButton");
        QCOMPARE(m_server->requestCount("/Excel_xlsx/5103/lotto_2026.xlsx"), 1);
        QCOMPARE(boxes.boxes, m_lottoWins);
    }

    void aLongListOfWinsKeepsTheBoxShort()
    {
        std::vector<std::string> lines;
        for (int d = 1; d <= 25; ++d) {
            lines.push_back(W("KINO «Κ»: 2 επιτυχίες στην κλήρωση της ") + std::to_string(d) + "-11-2026");
        }
        QString text;
        QString details;
        AnswerNextDialog<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            details = box->detailedText();
            box->accept();
        });
        ShowTicketWins(&m_w->form, lines);
        QCOMPARE(text.count(u'\n'), 20);
        QVERIFY(text.endsWith(QStringLiteral("20-11-2026\nκαι άλλες 5 (στις λεπτομέρειες)")));
        QVERIFY(details.endsWith(QStringLiteral("KINO «Κ»: 2 επιτυχίες στην κλήρωση της 25-11-2026")));
    }

    void theProgramsExportWritesTheWindowsBytes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("game");
        QTest::newRow("LOTTO") << QStringLiteral("lottoButton") << QStringLiteral("lotto");
        QTest::newRow("STOCK") << QStringLiteral("stocksButton") << QStringLiteral("STOCK");
    }

    void theProgramsExportWritesTheWindowsBytes()
    {
        QFETCH(QString, button);
        QFETCH(QString, game);
        OpenedUrls opened("file");
        std::string draws;
        for (int d = 1; d <= 40; ++d) {
            draws += Slot(1 + d % 28, 1 + d % 12, 2012 + d / 3, {3, 7, 12, 25, 33, d});
        }
        WriteMaskedFile(m_w->folder.file("LOTTO.krv"), draws);
        StoreStockDay(m_w->folder, "20241204", {Record("ALPHA", "2.00"), Record("BETA", "10.00")});
        StoreStockDay(m_w->folder, "20241205", {Record("ALPHA", "2.10"), Record("BETA", "9.50")});
        m_w->press(button.toLatin1().constData());
        m_w->form.runCommand(3);
        QCOMPARE(opened.urls.size(), 1);
        const std::string written = ReadBytes(opened.urls[0].toLocalFile().toStdString());
        QVERIFY(written.size() > 100);

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(variable));
        }
        program.setProcessEnvironment(environment);
        const QString out = QString::fromStdString(m_w->folder.file("out.xls"));
        program.start(QStringLiteral(KARVO_PROGRAM),
                      {QStringLiteral("export"), game, out, QStringLiteral("--data-folder"),
                       QString::fromStdString(m_w->folder.path())});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(ReadBytes(out.toStdString()) == written);
    }
};

QTEST_MAIN(TestUpdateAll)
#include "TestUpdateAll.moc"
#include "moc_AppTestSupport.cpp"
