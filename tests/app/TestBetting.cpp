// The coupon and the calculator driven as a user would: pasting a coupon, bet files, the caption
// sort, the store behind MENU, the system check's warnings and the calculator on the real windows.
#include "AppTestSupport.h"
#include "app/betting/SystemGridView.h"
#include "app/betting/SystemWindow.h"
#include "app/dialogs/MemoDialog.h"
#include "app/main/GridView.h"
#include "betting/Coupon.h"
#include "betting/SystemCalc.h"
#include "util/Numbers.h"

using namespace karvo;
using namespace karvo::test;

namespace {

// Confirms the paste box with text, pasted through the clipboard with Ctrl+V.
void PasteIntoBox(const QString& text)
{
    AnswerWhenShown<MemoDialog>([text](MemoDialog* dialog) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(dialog->findChild<QPlainTextEdit*>("fieldBox1"), Qt::Key_V, Qt::ControlModifier);
        dialog->accept();
    });
}

QString PageLine(const QString& code, const QString& home, const QString& away)
{
    return "Σαβ 17:00 " + code + " 1,85 " + home + " 3,40 " + away + " 4,20 1,30 1,25 2,60 1,90 1,80 1,70";
}

} // namespace

class TestBetting : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OpenWindow> m_w;
    // The calculator, made by the coupon's system command.
    SystemWindow* calc() { return m_w->form.calculator(); }

    GridView* coupon() { return m_w->child<GridView>("sideGrid"); }
    QAbstractItemModel* columnsGrid() { return Child<SystemGridView>(calc(), "columnsGrid")->model(); }
    QString cell(int column, int gridRow) { return coupon()->model()->index(gridRow - 1, column).data().toString(); }
    QString stake(int column) { return columnCell(column, StakeRow(calc()->matchCount())); }
    QString columnCell(int column, int row) { return columnsGrid()->index(row, column).data().toString(); }

    // Matches coded 101, 102, ... with odds 2,50 / 3,10 / 2,80 and the given signs typed in.
    void fillCoupon(int rows, const QString& signs)
    {
        coupon()->gridModel()->change([rows](CellGrid& grid) {
            for (int r = 1; r <= rows; ++r) {
                grid.setCell(0, r, " " + std::to_string(100 + r));
                grid.setCell(3, r, " 2,50");
                grid.setCell(4, r, " 3,10");
                grid.setCell(5, r, " 2,80");
            }
        });
        for (int r = 1; r <= rows; ++r) {
            typeSystem(r, signs);
        }
    }
    bool typeSystem(int gridRow, const QString& signs)
    {
        return coupon()->model()->setData(coupon()->model()->index(gridRow - 1, 10), signs);
    }
    void setStake(int column, const QString& text)
    {
        QVERIFY(columnsGrid()->setData(columnsGrid()->index(StakeRow(calc()->matchCount()), column), text));
    }
    QString press(const char* name)
    {
        QTest::mouseClick(Child<QPushButton>(calc(), name), Qt::LeftButton);
        return Child<QLabel>(calc(), "systemReturnLabel")->text();
    }

private slots:
    void initTestCase() { SetUserNumberFormat(NumberFormat::greek()); }

    void init()
    {
        m_w = std::make_unique<OpenWindow>();
        m_w->press("betButton");
    }

    void cleanup() { m_w.reset(); }

    void importOpensThePageOnceAndAppendsOnYes()
    {
        OpenedUrls page("https");
        typeSystem(1, "1X");
        PasteIntoBox(PageLine("101", "Άρης Θεσσαλονίκης", "ΠΑΟΚ") + "\nΣαβ 1,1 2,2 3,3 4,4 5,5 6,6 7,7 8,8\n"
                     + PageLine("102", "A", "B"));
        m_w->form.runCommand(1);
        QCOMPARE(coupon()->model()->rowCount(), 2);
        QCOMPARE(cell(1, 1) + "|" + cell(10, 1), QStringLiteral(" Άρης Θεσσαλονίκης|1X"));
        QString question;
        PasteIntoBox(PageLine("103", "C", "D"));
        AnswerWhenShown<QMessageBox>([&question](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        m_w->form.runCommand(1);
        QCOMPARE(question, QStringLiteral("Να προστεθούν στους υπάρχοντες αγώνες ?"));
        QCOMPARE(cell(0, 3), QStringLiteral(" 103"));
        QCOMPARE(page.urls.size(), 1); // opened once
    }

    void exportWritesTheCouponFromItsCaptions()
    {
        OpenedUrls files("file");
        fillCoupon(1, "1");
        QTest::keyClick(coupon(), Qt::Key_F3); // the coupon menu's second command
        const std::string bytes = ReadBytes(m_w->folder.file("BET.xls"));
        QCOMPARE(bytes.substr(0, 19), W(" ΚΩΔ \t  ΓΗΠΕΔΟΥΧΟΣ\t"));
        QVERIFY(bytes.find("\r\n 101\t\t\t 2,50\t 3,10\t 2,80\t\t\t\t\t1\t\r\n") != std::string::npos);
        QCOMPARE(files.urls.size(), 1);
    }

    void saveAndOpenRoundTripIsByteExact()
    {
        fillCoupon(3, "1X");
        coupon()->gridModel()->change([](CellGrid& grid) { grid.setCell(1, 2, W("  Ολυμπιακός Πειραιά")); });
        const QString path = QString::fromStdString(m_w->folder.file("coupon.bet"));
        const auto choose = [path]() {
            AnswerWhenShown<QFileDialog>([path](QFileDialog* dialog) {
                dialog->selectFile(path);
                dialog->QDialog::accept(); // no question about replacing the file
            });
        };
        choose();
        m_w->form.runCommand(5);
        const std::string bytes = ReadBytes(m_w->folder.file("coupon.bet"));
        QCOMPARE(QString::fromLatin1(bytes.c_str()).count("\r\n"), 39 * 11);
        m_w->press("menuButton");
        m_w->form.state().BetStore = CellGrid();
        m_w->press("betButton"); // a fresh coupon
        choose();
        m_w->form.runCommand(4);
        QCOMPARE(cell(1, 2) + cell(10, 3), QStringLiteral("  Ολυμπιακός Πειραιά1X"));
        choose();
        m_w->form.runCommand(5);
        QCOMPARE(ReadBytes(m_w->folder.file("coupon.bet")), bytes);
    }

    void menuAndBackKeepsTheCouponAndTheTypedSystem()
    {
        fillCoupon(2, "1X");
        QTest::mouseClick(coupon()->viewport(), Qt::LeftButton, {},
                          coupon()->visualRect(coupon()->model()->index(1, 10)).center());
        QTest::keyClicks(QApplication::focusWidget(), "2");
        m_w->press("menuButton"); // the open editor hands its text over first
        m_w->press("lottoButton");
        m_w->press("betButton");
        QCOMPARE(cell(10, 1) + "/" + cell(10, 2) + "/" + cell(0, 2), QStringLiteral("1X/2/ 102"));
        QVERIFY(coupon()->gridModel()->isEditable());
    }

    void captionPressAndALoneDoubleClickEachSortOnce()
    {
        // The orders are the core's (rows without a payout stay below); here the presses.
        coupon()->gridModel()->change([](CellGrid& grid) {
            const char* homes[] = {"Ξάνθη", "άρης", "Βόλος"};
            for (int r = 1; r <= 3; ++r) {
                grid.setCell(1, r, W(homes[r - 1]));
                grid.setCell(3, r, "2");
            }
            RecalcCoupon(grid);
        });
        const auto homes = [this] { return cell(1, 1) + ";" + cell(1, 2) + ";" + cell(1, 3) + ";" + cell(1, 4); };
        m_w->pressCaption("sideGrid", 1); // first press descending
        QCOMPARE(homes(), QStringLiteral("Ξάνθη;Βόλος;άρης;"));
        // A double-click event that comes without its press sorts once (a double click through the
        // window, two sorts, is the market views' test).
        QHeaderView* header = coupon()->horizontalHeader();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(homes(), QStringLiteral("άρης;Βόλος;Ξάνθη;"));
        QCOMPARE(coupon()->model()->rowCount(), 39);
    }

    void calculatorKeepsItsHeight()
    {
        fillCoupon(2, "1X");
        m_w->form.runCommand(6);
        QVERIFY(calc() != nullptr && calc()->isVisible());
        // The window's height stays; its width may change.
        const int height = calc()->height();
        calc()->resize(700, height + 100);
        QCOMPARE(calc()->size(), QSize(700, height));
        // The thin row between the odds and the stakes takes its full height again on closing.
        auto* stakes = Child<SystemGridView>(calc(), "columnsGrid");
        QCOMPARE(stakes->rowHeight(SeparatorRow(calc()->matchCount())), 5);
        calc()->close();
        QCOMPARE(stakes->rowHeight(SeparatorRow(calc()->matchCount())), 25);
    }

    void f11FromTheGridAndTheWindowAndTheMaskedStake()
    {
        // The figures are the core's; here F11 from the grid and the window, the mask of a stake.
        fillCoupon(2, QString());
        coupon()->gridModel()->change([](CellGrid& grid) {
            grid.setCell(3, 1, "2");
            grid.setCell(5, 1, "4");
            grid.setCell(10, 1, "12");
        });
        m_w->form.runCommand(6);
        // F11 rounds up to multiples of 0,30; the window sees the key before the grid.
        setStake(0, "1");
        setStake(1, "*0,9");
        QTest::keyClick(Child<SystemGridView>(calc(), "columnsGrid"), Qt::Key_F11);
        QCOMPARE(stake(0) + "|" + stake(1), QStringLiteral("1,2|*0,9"));
        setStake(0, "0,3");
        QTest::keyClick(calc(), Qt::Key_F11);
        QCOMPARE(stake(0), QStringLiteral("0,3"));
        setStake(1, "*");
        QCOMPARE(press("calculateButton"), QStringLiteral("Απόδοση Συστήματος 2"));
        QCOMPARE(columnCell(1, 4) + "|" + columnCell(0, 4),
                 QStringLiteral("0|,6")); // the mask shows no zero before the comma
    }

    void restoringTheCalculatorKeepsItsStakesAndItsSystem()
    {
        fillCoupon(2, QString());
        typeSystem(1, "1X");
        typeSystem(2, "2");
        m_w->form.runCommand(6);
        setStake(0, "1");
        setStake(1, "2");
        const QString caption = press("calculateButton");
        const QString odds = Child<SystemGridView>(calc(), "matchesGrid")->model()->index(1, 3).data().toString();
        // The coupon changes behind the open calculator, then the calculator is minimised and
        // restored: the window system sends it a show event, which must not rebuild it.
        coupon()->gridModel()->change([](CellGrid& grid) { grid.setCell(3, 1, " 9,00"); });
        calc()->showMinimized();
        QCoreApplication::processEvents();
        calc()->showNormal();
        QShowEvent restored;
        QCoreApplication::sendEvent(calc(), &restored);
        QCOMPARE(stake(0) + "|" + stake(1), QStringLiteral("1|2"));
        QCOMPARE(Child<QLabel>(calc(), "systemReturnLabel")->text(), caption);
        QCOMPARE(Child<SystemGridView>(calc(), "matchesGrid")->model()->index(1, 3).data().toString(), odds);
    }

    void refusedSystemShowsItsWarningInstead()
    {
        // Which warning comes when is the core's; here the box and the calculator left closed.
        fillCoupon(2, "2");
        coupon()->gridModel()->change([](CellGrid& grid) { grid.setCell(5, 1, "0"); });
        QString shown;
        AnswerNextDialog<QMessageBox>([&shown](QMessageBox* box) {
            shown = box->text();
            box->accept();
        });
        m_w->form.runCommand(6);
        QCOMPARE(shown, QStringLiteral("Λάθος ο αγώνας  101"));
        QVERIFY(calc() == nullptr || !calc()->isVisible());
    }

    void fifteenOneSignRowsGiveOneColumnAndAnOpenCalculatorIgnoresTheCommand()
    {
        fillCoupon(15, "1");
        m_w->form.runCommand(6);
        QVERIFY(calc() != nullptr && calc()->isVisible());
        QCOMPARE(QPoint(calc()->matchCount(), calc()->columnCount()), QPoint(15, 1));
        typeSystem(1, "");
        m_w->form.runCommand(6); // no warning, no new showing
        QCOMPARE(calc()->matchCount(), 15);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestBetting)
#include "TestBetting.moc"
