// The CLICK menu, the search commands and F3 in the real main window, and the export it hands to
// the desktop's "open".
#include "ModalDriver.h"
#include "app/GridView.h"
#include "app/InputDialog.h"
#include "app/TForm1.h"
#include "results/ResultsFiles.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace karvo;
using karvo::test::W;

class OpenedFiles : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestCommandMenu : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<karvo::test::TempFolder> m_folder;
    std::unique_ptr<TForm1> m_form;
    OpenedFiles m_opened;

    template <class T = QWidget>
    T* child(const char* name)
    {
        auto* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no child %s", name);
        }
        return found;
    }

    GridView* SG() { return child<GridView>("SG"); }
    void press(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    // The captions of the menu that a press of CLICK pops up now.
    QStringList menuCaptions()
    {
        press("CLICK");
        QMenu* menu = nullptr;
        for (QMenu* m : m_form->findChildren<QMenu*>(QStringLiteral("CommandMenu"))) {
            if (m->isVisible()) {
                menu = m;
            }
        }
        if (menu == nullptr) {
            return {};
        }
        QStringList captions;
        for (QAction* a : menu->actions()) {
            captions << a->text();
        }
        menu->close();
        return captions;
    }

    // Answers the search question with text, then runs menu position 1.
    void searchFor(const QString& text)
    {
        karvo::test::AnswerNextDialog<InputDialog>([text](InputDialog* dialog) {
            dialog->combo()->setEditText(text);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        m_form->RunCommand(1);
    }

    // A LOTTO history of `draws` weekly draws from January 2015, and the LOTTO view of it.
    void showLotto(int draws)
    {
        std::string bytes;
        for (int i = 0; i < draws; ++i) {
            const int day = i % 28 + 1;
            const int month = i / 28 % 12 + 1;
            const int year = 2015 + i / 336;
            bytes += std::string{char(day), char(month), char(year - 1950), 3, 7, 12, 25, 33, char(i % 45 + 1)};
        }
        WriteMaskedFile(m_folder->file("LOTTO.krv"), bytes);
        press("SLOTTO");
    }

private slots:
    void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_opened, "open"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void init()
    {
        m_folder = std::make_unique<karvo::test::TempFolder>();
        m_form = std::make_unique<TForm1>(m_folder->path(), [] { return QDate(2026, 12, 6); });
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_opened.urls.clear();
    }

    void cleanup()
    {
        m_form.reset();
        m_folder.reset();
    }

    void everyGameHasItsMenuInOrder()
    {
        const QStringList draw = {QStringLiteral("Ψάξε στη λίστα"), QStringLiteral("Επόμενο Ψάξιμο (F3)"),
                                  QStringLiteral("Μεταφορά λίστας στο EXCEL")};
        const char* drawButtons[] = {"SPROPOK", "SPROPOS", "SPROPOT", "SLOTTO", "SGOAL",
                                     "SJOKER",  "SPROTO",  "SEXTRA",  "SSUPER3", "SKINO"};
        for (const char* button : drawButtons) {
            press(button);
            QCOMPARE(menuCaptions(), draw);
        }
        press("SSTOCK");
        const QStringList market = draw + QStringList{QStringLiteral("Ψάξε στη λίστα - Εύρεση όλων"),
                                                      QStringLiteral("Ψάξε στα αρχεία - Εύρεση όλων")};
        QCOMPARE(menuCaptions(), market);
        press("MENU");
        press("SBET");
        const QStringList bet = menuCaptions();
        QCOMPARE(bet.size(), 6);
        QCOMPARE(bet.first(), QStringLiteral("Κατέβασμα κουπονιού"));
        QCOMPARE(bet.last(), QStringLiteral("Μετατροπή Συστήματος σε Στήλες"));
    }

    void f3BeforeAnySearchChangesNothing()
    {
        showLotto(40);
        const int row = SG()->currentGridRow();
        QTest::keyClick(m_form.get(), Qt::Key_F3);
        QCOMPARE(SG()->currentGridRow(), row);
    }

    void searchThenF3MoveThroughTheDrawList()
    {
        showLotto(400);
        QCOMPARE(SG()->currentGridRow(), 400);  // the last draw is current after the view
        searchFor(QStringLiteral("-2015"));      // the date in the fixed column
        QCOMPARE(SG()->currentGridRow(), 1);
        QTest::keyClick(SG(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(SG()->currentGridRow(), 2);
        SG()->selectGridRow(400, 1);             // on the last row, F3 finds nothing more
        QTest::keyClick(m_form.get(), Qt::Key_F3);
        QCOMPARE(SG()->currentGridRow(), 400);
    }

    void greekSearchIgnoresCaseButNotAccents()
    {
        CellGrid grid(2, 4);
        grid.setCell(0, 1, "   1");
        grid.setCell(1, 1, W("ΆΡΗΣ - ΟΦΗ"));
        grid.setCell(0, 2, "   2");
        grid.setCell(1, 2, W("ΟΛΥΜΠΙΑΚΟΣ - ΠΑΟΚ"));
        grid.setCell(0, 3, "   3");
        grid.setCell(1, 3, W("ΛΑΡΙΣΑ - ΑΡΗΣ"));
        SG()->showGrid(grid);
        searchFor(QStringLiteral("  ολυμπιακος "));
        QCOMPARE(SG()->currentGridRow(), 2);
        searchFor(QStringLiteral("άρης"));
        QCOMPARE(SG()->currentGridRow(), 1);
        searchFor(QStringLiteral("αρης"));  // the accentless word is not the accented capital
        QCOMPARE(SG()->currentGridRow(), 3);
        searchFor(QStringLiteral("ολυμπιακός"));  // accented small letter: no match, nothing moves
        QCOMPARE(SG()->currentGridRow(), 3);
    }

    void exportWritesTheListAndOpensIt()
    {
        showLotto(400);  // 2015 to 2016 while the first year is 2015: every row exported
        QCOMPARE(m_form->state().FirstYearRow, 2);
        m_form->RunCommand(3);
        QCOMPARE(m_opened.urls.size(), 1);
        const std::string path = m_folder->file("LOTTO.xls");
        QCOMPARE(m_opened.urls.first().toLocalFile(), QString::fromStdString(path));
        const std::string bytes = karvo::test::ReadBytes(path);
        const CellGrid& grid = SG()->grid();
        const std::string start = grid.cell(0, 0) + "\t" + grid.cell(1, 0) + "\r\n" + grid.cell(0, 1) + "\t";
        QVERIFY(bytes.rfind(start, 0) == 0);
    }
};

QTEST_MAIN(TestCommandMenu)
#include "TestCommandMenu.moc"
