// The main window driven as a user would: start-up, the thirteen game buttons, F3 and the search,
// MENU's return from the coupon, a FIFO in a results file's place, notices, the link label, the
// update button with a LOTTO workbook from a loopback server; the model under its grids.
#include "AppTestSupport.h"
#include "app/dialogs/ListDialog.h"
#include "app/main/GridView.h"
#include "support/LoopbackServer.h"
#include "support/WorkbookWriter.h"

#include <cstdlib>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// clang-format off
struct Game { const char* name; GameCode code; };
const Game kGames[] = {
    { "propoSundayButton", GameCode::PropoSunday }, { "propoSaturdayButton", GameCode::PropoSaturday },
    { "propoWednesdayButton", GameCode::PropoWednesday }, { "lottoButton", GameCode::Lotto },
    { "goalButton", GameCode::Goal }, { "jokerButton", GameCode::Joker }, { "protoButton", GameCode::Proto },
    { "extraButton", GameCode::Extra }, { "super3Button", GameCode::Super3 }, { "kinoButton", GameCode::Kino },
    { "stocksButton", GameCode::Stock }, { "betButton", GameCode::Bet }, { "fundsButton", GameCode::Funds },
};
// clang-format on

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;

    QString title() { return m_w->child<QLabel>("titleLabel")->text(); }
    GridView* mainGrid() { return m_w->child<GridView>("mainGrid"); }

    // Presses the update button of form and picks the line for year from the ten years it offers.
    void updateYear(int year, MainWindow* form = nullptr)
    {
        AnswerNextDialog<ListDialog>([year](ListDialog* dialog) {
            QListView* list = dialog->list();
            const auto line = [list](int row) { return list->model()->index(row, 0).data().toString(); };
            QCOMPARE(line(0) + "|" + line(9) + "|" + line(10), QStringLiteral("    ΕΤΟΣ 2017    |    ΕΤΟΣ 2026    |"));
            list->setCurrentIndex(list->model()->index(year - 2017, 0));
            QTest::keyClick(list, Qt::Key_Return);
        });
        QTest::mouseClick(Child<QPushButton>(form != nullptr ? form : &m_w->form, "updateButton"), Qt::LeftButton);
    }

private slots:
    void init() { m_w = std::make_unique<OpenWindow>(); }

    void cleanup() { m_w.reset(); }

    void startUpOpensOnPropoSunday()
    {
        QCOMPARE(title(), QStringLiteral("ΠΡΟΠΟ ΚΥΡΙΑΚΗ"));
        QVERIFY(QDir(QString::fromStdString(m_w->folder.file("Data-STOCK"))).exists()
                && QDir(QString::fromStdString(m_w->folder.file("Data"))).exists());
        QCOMPARE(m_w->form.state().FirstYear, 2015);
        // The grid shows the view's one empty row.
        QCOMPARE(QPoint(mainGrid()->model()->rowCount(), mainGrid()->currentGridRow()), QPoint(1, 1));
        MainWindow early(m_w->folder.path(), [] { return QDate(2020, 1, 1); });
        QCOMPARE(early.state().FirstYear, 2013); // never earlier
    }

    void eachButtonSelectsItsGameAndPanels_data() { AddRows(kGames); }

    void eachButtonSelectsItsGameAndPanels()
    {
        QFETCH(int, row);
        const Game& game = kGames[row];
        m_w->press("lottoButton"); // start from another game, so every row changes something
        m_w->form.resize(m_w->form.width(), 700);
        m_w->press(game.name);
        QCOMPARE(m_w->form.state().GameCode, game.code);
        QCOMPARE(m_w->form.height(), game.code == GameCode::Bet ? 700 : 600); // only the coupon keeps the height
        QCOMPARE(QList<bool>({m_w->child("updateButton")->isVisible(), m_w->child("menuButton")->isVisible(),
                              m_w->child("sideGrid")->isVisible(), m_w->child("leftPanel")->isVisible()}),
                 QList<bool>({game.code != GameCode::Bet, game.code > GameCode::Kino, game.code >= GameCode::Stock,
                              game.code <= GameCode::Kino}));
    }

    void f3RunsTheSecondCommandFromAnywhere()
    {
        QList<int> numbers;
        connect(&m_w->form, &MainWindow::commandRun, [&numbers](int number) { numbers << number; });
        QTest::keyClick(mainGrid(), Qt::Key_F3);
        QTest::keyClick(m_w->child("emailField"), Qt::Key_F3, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(mainGrid(), Qt::Key_F4);
        QLineEdit elsewhere; // keys of another window are not ours
        elsewhere.show();
        QTest::keyClick(&elsewhere, Qt::Key_F3);
        m_w->press("betButton"); // in the coupon F3 is the coupon's second command
        QTest::keyClick(m_w->child("sideGrid"), Qt::Key_F3);
        QCOMPARE(numbers, (QList<int>{2, 2, 22}));
    }

    void menuStoresTheCouponAndReturnsToTheGames()
    {
        // What the store keeps of a long coupon is the core tests'; here the typing and the way back.
        m_w->press("betButton");
        auto* coupon = m_w->child<GridView>("sideGrid");
        // Typing is kept in the code page, a character outside it becomes "?"; fixed columns take none.
        const auto type = [coupon](int column, const char* text) {
            return coupon->model()->setData(coupon->model()->index(0, column), QString::fromUtf8(text));
        };
        QCOMPARE(QList<bool>({type(10, "1X€ℵ"), type(3, "1,85"), type(0, "1")}), QList<bool>({true, false, false}));
        coupon->gridModel()->change([](CellGrid& grid) { grid.setCell(1, 39, W("Ολυμπιακός")); });
        m_w->press("menuButton");
        const CellGrid& store = m_w->form.state().BetStore;
        QCOMPARE((std::vector{store.cell(0, 0), store.cell(10, 1), store.cell(1, 39)}),
                 (std::vector<std::string>{"40", W("1X€?"), W("Ολυμπιακός")}));
        QCOMPARE(title(), QStringLiteral("ΠΡΟΠΟ ΚΥΡΙΑΚΗ"));
        // The side grid has its list settings back.
        QVERIFY(!coupon->gridModel()->isEditable() && coupon->gridModel()->fixedColumns() == 1);
    }

    void fifoInPlaceOfAResultsFileHangsNeitherStartUpNorAnUpdate()
    {
        // Start-up opens on PROPO Sunday, whose file is a FIFO no one writes to.
        TempFolder folder;
        QCOMPARE(::mkfifo(folder.file("Propok.krv").c_str(), 0600), 0);
        BoxWatch shown;
        MainWindow form(folder.path(), [] { return QDate(2026, 12, 6); });
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(QTest::qWaitFor([&shown] { return shown.boxes.size() == 1; }));
        const QString fault = form.windowTitle() + "||Δεν ήταν δυνατή η ανάγνωση του αρχείου "
            + QString::fromStdString(folder.file("Propok.krv")) + ": δεν είναι κανονικό αρχείο αλλά FIFO";
        QCOMPARE(shown.boxes, QStringList{fault});
        // The update reads the file first: the same box, nothing fetched, no wait notice left.
        LoopbackServer server;
        setenv("KARVO_OPAP_WEB_URL", server.baseUrl().c_str(), 1);
        updateYear(2024, &form);
        QVERIFY(QTest::qWaitFor([&shown] { return shown.boxes.size() == 2; }));
        QCOMPARE(shown.boxes, QStringList({fault, fault}));
        QCOMPARE(shown.icons, QList({QMessageBox::Critical, QMessageBox::Critical}));
        QCOMPARE(server.requests(), std::vector<std::string>{});
        QCOMPARE(Child<QLabel>(&form, "noticePanel")->text(), QStringLiteral("  "));
        struct stat st{};
        QVERIFY(::stat(folder.file("Propok.krv").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    }

    void statusNoticeAndLinkLabel()
    {
        m_w->form.userInterface().StatusNotice(WaitNoticeText());
        QCOMPARE(m_w->child<QLabel>("noticePanel")->text(), QStringLiteral("  ") + ToQString(WaitNoticeText()));
        m_w->form.userInterface().StatusNotice("");
        QCOMPARE(m_w->child<QLabel>("noticePanel")->text(), QStringLiteral("  "));
        OpenedUrls opened("https");
        QTest::mouseClick(m_w->child<QLabel>("webLink"), Qt::LeftButton);
        QCOMPARE(opened.urls.size(), 1);
    }

    void shownGridKeepsItsFixedColumnAndSearchesInGreek()
    {
        CellGrid grid(2, 4);
        const char* rows[] = {"ΆΡΗΣ - ΟΦΗ", "ΑΡΗΣ - ΠΑΟΚ", "ΛΑΡΙΣΑ - ΑΡΗΣ"};
        for (int row = 1; row <= 3; ++row) {
            grid.setCell(0, row, "   " + std::to_string(row));
            grid.setCell(1, row, W(rows[row - 1]));
        }
        grid.columnWidths() = {105, 999};
        grid.setCurrentRow(3);
        mainGrid()->showGrid(grid);
        QCOMPARE(mainGrid()->model()->index(1, 1).data().toString(), QStringLiteral("ΑΡΗΣ - ΠΑΟΚ")); // grid row 2
        // The widths are the grid's, and the wide column does not pull the fixed one out of sight.
        QCOMPARE(QList<int>({mainGrid()->columnWidth(0), mainGrid()->columnWidth(1), mainGrid()->currentGridRow(),
                             mainGrid()->currentIndex().column(), mainGrid()->horizontalScrollBar()->value()}),
                 QList<int>({105, 999, 3, 1, 0}));
        // Which rows match is the core's; here the keys, and F3 going on from the row the user selected.
        QList<int> found;
        AnswerInput(QStringLiteral("  αρης "));
        m_w->form.runCommand(1);
        found << mainGrid()->currentGridRow();
        QTest::keyClick(mainGrid(), Qt::Key_F3, Qt::ShiftModifier);
        found << mainGrid()->currentGridRow();
        mainGrid()->selectGridRow(1, 1);
        QTest::keyClick(&m_w->form, Qt::Key_F3);
        QCOMPARE(found << mainGrid()->currentGridRow(), (QList<int>{2, 3, 2}));
    }

    void updateButtonFetchesAYearAndAFailedOneKeepsTheFile()
    {
        LoopbackServer server;
        setenv("KARVO_OPAP_MEDIA_URL", server.baseUrl().c_str(), 1);
        setenv("KARVO_OPAP_WEB_URL", server.baseUrl().c_str(), 1);
        // Newest draw on top under four header rows, every cell a shared string, as published.
        SheetRows rows = {{"ΚΛΗΡΩΣΕΙΣ LOTTO"}, {""}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", "", "1ος"}};
        for (int d = 5; d >= 1; --d) {
            rows.push_back({std::to_string(2700 + d), std::to_string(d) + "/1/2026", "40", "3", "22", "17", "9",
                            std::to_string(d)});
        }
        server.set("/Excel_xlsx/5103/lotto_2026.xlsx", LoopbackResponse::Body(OperatorWorkbookBytes({rows})));
        m_w->press("lottoButton");
        updateYear(2026);
        QCOMPARE(server.requestCount("/Excel_xlsx/5103/lotto_2026.xlsx"), 1);
        // The header and five draws, oldest first, numbers ascending; the last one current.
        QCOMPARE(QPoint(mainGrid()->grid().rowCount(), mainGrid()->currentGridRow()), QPoint(6, 5));
        QCOMPARE(mainGrid()->grid().cell(0, 5) + "|" + mainGrid()->grid().cell(1, 5),
                 "   5 05-01-2026|    03 05 09 17 22 40");
        QCOMPARE(m_w->child<QLabel>("noticePanel")->text(), QStringLiteral("  "));
        const std::string before = ReadBytes(m_w->folder.file("LOTTO.krv"));

        updateYear(2025); // the server has no 2025 workbook: an empty 404 body
        QCOMPARE(m_w->child<QLabel>("noticePanel")->text(), QStringLiteral("  Error Downloading"));
        QCOMPARE(ReadBytes(m_w->folder.file("LOTTO.krv")), before);
        QCOMPARE(mainGrid()->grid().rowCount(), 6);
    }

    void slowWorkbookShowsItsProgressAndCancelKeepsTheFiles()
    {
        LoopbackServer server;
        setenv("KARVO_OPAP_MEDIA_URL", server.baseUrl().c_str(), 1);
        LoopbackResponse drip = LoopbackResponse::Body(std::string(100000, 'x'));
        drip.trickleMs = 50;
        server.set("/Excel_xlsx/5103/lotto_2026.xlsx", drip);
        const std::string workbook = m_w->folder.file("Data/lotto_2026.xlsx");
        WriteBytes(workbook, "kept from an earlier update");
        m_w->press("lottoButton");
        const std::string history = ReadBytes(m_w->folder.file("LOTTO.krv"));
        FetchWatch watch(&m_w->form);
        AnswerNextDialog<ListDialog>([&watch](ListDialog* dialog) {
            QListView* list = dialog->list();
            list->setCurrentIndex(list->model()->index(2026 - 2017, 0));
            watch.start();
            QTest::keyClick(list, Qt::Key_Return);
        });
        m_w->press("updateButton");
        watch.verifyShownAnsweringAndCancelled();
        QCOMPARE(m_w->child<QLabel>("noticePanel")->text(), QStringLiteral("  Διακόπηκε από τον χρήστη."));
        QCOMPARE(ReadBytes(workbook), std::string("kept from an earlier update"));
        QCOMPARE(ReadBytes(m_w->folder.file("LOTTO.krv")), history);
        unsetenv("KARVO_OPAP_MEDIA_URL");
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
#include "moc_AppTestSupport.cpp"
