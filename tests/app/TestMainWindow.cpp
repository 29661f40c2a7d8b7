// The main window driven as a user would: start-up, the thirteen game buttons, F3, the MENU
// button's return from the coupon, the status notice and the link label.
#include "ModalDriver.h"
#include "app/Appearance.h"
#include "app/TForm1.h"
#include "support/TestSupport.h"

#include <QDesktopServices>
#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QtTest>
#include <memory>

using namespace karvo;
using karvo::test::W;

class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<karvo::test::TempFolder> m_folder;
    std::unique_ptr<TForm1> m_form;

    template <class T = QWidget>
    T* child(const char* name)
    {
        auto* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no child %s", name);
        }
        return found;
    }

    QString title() { return child<QLabel>("P_TOP")->text(); }

    // The pointer passing over a widget with no button down.
    static void moveOver(QWidget* widget)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    void press(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

private slots:
    void init()
    {
        m_folder = std::make_unique<karvo::test::TempFolder>();
        m_form = std::make_unique<TForm1>(m_folder->path(), [] { return QDate(2030, 5, 1); });
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup()
    {
        m_form.reset();
        m_folder.reset();
    }

    void startUpOpensOnPropoSunday()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("KARVO-Νικήτριες 5.0"));
        QVERIFY(QDir(QString::fromStdString(m_folder->file("Data"))).exists());
        QVERIFY(QDir(QString::fromStdString(m_folder->file("Data-STOCK"))).exists());
        QCOMPARE(m_form->state().FirstYear, 2019);
        QCOMPARE(m_form->state().GameCode, 1);
        QCOMPARE(m_form->state().ExportBaseName, std::string("Propok"));
        QCOMPARE(title(), QStringLiteral("ΠΡΟΠΟ ΚΥΡΙΑΚΗ"));
        QCOMPARE(m_form->size(), QSize(305 + 300, 580));
        QCOMPARE(child<QLabel>("Panel0")->text(), QStringLiteral("ΚAΛΗ ΤΥΧΗ !"));
        QCOMPARE(child<QStatusBar>("SBar")->font().pointSize(), 10);
        // The grid shows the view's headers above its one empty row.
        auto* grid = child<GridView>("SG");
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("  No ΕΤΟΣ"));
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(grid->currentGridRow(), 1);
        QVERIFY(child<QLineEdit>("Edit1")->isReadOnly());
    }

    void firstYearNeverPrecedes2013()
    {
        TForm1 early(m_folder->path(), [] { return QDate(2020, 1, 1); });
        early.show();
        QCOMPARE(early.state().FirstYear, 2013);
    }

    void eachButtonSelectsItsGame_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("update");
        QTest::addColumn<int>("width");
        const QString results = QStringLiteral("Ενημέρωση\nΝικητριών");
        const QString period = QStringLiteral("Επιλογή\nΠεριόδου");
        QTest::newRow("1") << "SPROPOK" << 1 << "ΠΡΟΠΟ ΚΥΡΙΑΚΗ" << results << 605;
        QTest::newRow("2") << "SPROPOS" << 2 << "ΠΡΟΠΟ ΣΑΒΒΑΤΟ" << results << 605;
        QTest::newRow("3") << "SPROPOT" << 3 << "ΠΡΟΠΟ ΤΕΤΑΡΤΗ" << results << 605;
        QTest::newRow("4") << "SLOTTO" << 4 << "LOTTO" << results << 670;
        QTest::newRow("5") << "SGOAL" << 5 << "GOAL" << results << 675;
        QTest::newRow("6") << "SJOKER" << 6 << "JOKER" << results << 670;
        QTest::newRow("7") << "SPROTO" << 7 << "PROTO" << results << 605;
        QTest::newRow("8") << "SEXTRA" << 8 << "EXTRA" << results << 615;
        QTest::newRow("9") << "SSUPER3" << 9 << "SUPER3" << period << 605;
        QTest::newRow("10") << "SKINO" << 10 << "K I N O" << period << 959;
        QTest::newRow("11") << "SSTOCK" << 11 << "S T O C K" << QStringLiteral("Ενημέρωση\nΤιμών XAA") << 871;
        QTest::newRow("12") << "SBET" << 12 << "Σ Τ Ο Ι Χ Η Μ Α" << QString() << 852;
        QTest::newRow("13") << "Samb" << 13 << "Α Μ Ο Ι Β Α Ι Α" << QStringLiteral("Ενημέρωση\nΑμοιβαίων") << 959;
    }

    void eachButtonSelectsItsGame()
    {
        QFETCH(QString, button);
        QFETCH(int, code);
        QFETCH(QString, title);
        QFETCH(QString, update);
        QFETCH(int, width);
        press("SLOTTO"); // start from another game, so every row changes something
        press(button.toLatin1().constData());
        QCOMPARE(m_form->state().GameCode, code);
        QCOMPARE(this->title(), title);
        QCOMPARE(m_form->width(), width);
        QCOMPARE(child<QPushButton>("UPDATE")->isVisible(), code != 12);
        if (code != 12) {
            QCOMPARE(child<QPushButton>("UPDATE")->text(), update);
        }
        QCOMPARE(child<QPushButton>("MENU")->isVisible(), code > 10);
        QCOMPARE(child<QPushButton>("MENU")->x(), 730);
        QCOMPARE(child("SG1")->isVisible(), code >= 11);
        QCOMPARE(child("P_LEFT")->isVisible(), code <= 10);
    }

    void onlyBetKeepsTheWindowHeight()
    {
        m_form->resize(m_form->width(), 700);
        press("SBET");
        QCOMPARE(m_form->height(), 700);
        press("MENU");
        QCOMPARE(m_form->height(), 580);
        m_form->resize(m_form->width(), 700);
        press("SJOKER");
        QCOMPARE(m_form->height(), 580);
    }

    void f3RunsTheSecondCommandFromAnywhere()
    {
        QSignalSpy commands(m_form.get(), &TForm1::commandRun);
        QTest::keyClick(child("SG"), Qt::Key_F3);
        QTest::keyClick(child("Edit1"), Qt::Key_F3, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(child("SG"), Qt::Key_F4);
        QCOMPARE(commands.count(), 2);
        QCOMPARE(commands.at(0).at(0).toInt(), 2);
        QCOMPARE(commands.at(1).at(0).toInt(), 2);
        QCOMPARE(m_form->tag(), 2);

        // In the coupon the second position is the coupon's own command.
        press("SBET");
        QTest::keyClick(child("SG1"), Qt::Key_F3);
        QCOMPARE(commands.last().at(0).toInt(), 22);

        // Keys of another window are not ours.
        QLineEdit elsewhere;
        elsewhere.show();
        QTest::keyClick(&elsewhere, Qt::Key_F3);
        QCOMPARE(commands.count(), 3);
    }

    void couponPositionsMapToTheirCommands()
    {
        QSignalSpy commands(m_form.get(), &TForm1::commandRun);
        press("SBET");
        for (int position = 1; position <= 6; ++position) {
            m_form->RunCommand(position);
        }
        QList<int> numbers;
        for (const auto& call : commands) {
            numbers.append(call.at(0).toInt());
        }
        QCOMPARE(numbers, (QList<int>{21, 22, 23, 24, 25, 27}));
    }

    void menuStoresTheCouponAndReturnsToTheGames()
    {
        press("SBET");
        auto* coupon = child<GridView>("SG1");
        QVERIFY(coupon->model()->setData(coupon->model()->index(0, 10), QStringLiteral("1X")));
        QVERIFY(!coupon->model()->setData(coupon->model()->index(0, 3), QStringLiteral("1,85")));
        coupon->gridModel()->change([](CellGrid& grid) { grid.setCell(1, 39, W("Ολυμπιακός")); });
        press("MENU");

        const std::vector<std::string>& store = m_form->state().BetStore;
        QCOMPARE(store.size(), std::size_t(11000));
        QCOMPARE(store[0], std::string("40"));
        QCOMPARE(store[10 * 1000 + 1], std::string("1X"));
        QCOMPARE(store[1 * 1000 + 39], W("Ολυμπιακός"));
        QCOMPARE(m_form->state().GameCode, 1);
        QCOMPARE(title(), QStringLiteral("ΠΡΟΠΟ ΚΥΡΙΑΚΗ"));
        QVERIFY(child("P_LEFT")->isVisible());
        QVERIFY(!coupon->isVisible());
        // The side grid has its list settings back.
        QVERIFY(!coupon->gridModel()->isEditable());
        QCOMPARE(coupon->gridModel()->fixedColumns(), 1);
        QCOMPARE(coupon->gridModel()->fixedColour(), colours::paleYellow);
    }

    void longCouponIsStoredWithinTheStore()
    {
        press("SBET");
        child<GridView>("SG1")->gridModel()->change([](CellGrid& grid) {
            grid.setRowCount(1500);
            grid.setColumnCount(12);
            grid.setCell(0, 999, "last kept");
            grid.setCell(11, 5, "beyond");
        });
        press("MENU");
        const std::vector<std::string>& store = m_form->state().BetStore;
        QCOMPARE(store.size(), std::size_t(11000));
        QCOMPARE(store[0], std::string("1000"));
        QCOMPARE(store[999], std::string("last kept"));
    }

    void failureBelowOurCodeIsShownAndEndsTheClick()
    {
        // A results file larger than the program holds: sparse, so it costs no disk.
        QFile huge(QString::fromStdString(m_folder->file("LOTTO.krv")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(20'000'001));
        huge.close();
        QString shown;
        karvo::test::AnswerNextDialog<QMessageBox>([&shown](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Critical);
            shown = box->text();
            box->accept();
        });
        press("SLOTTO");
        QVERIFY2(shown.contains(QStringLiteral("LOTTO.krv")), qPrintable(shown));
        QCOMPARE(m_form->state().GameCode, 4);
        // The window goes on working.
        press("SGOAL");
        QCOMPARE(title(), QStringLiteral("GOAL"));
    }

    void statusNoticeColoursTheBar()
    {
        auto* bar = child<QStatusBar>("SBar");
        m_form->userInterface().StatusNotice(W("Παρακαλώ περιμένετε"));
        QCOMPARE(child<QLabel>("Panel1")->text(), QStringLiteral("  Παρακαλώ περιμένετε"));
        QVERIFY(bar->autoFillBackground());
        QCOMPARE(bar->palette().color(QPalette::Window), colours::yellow);
        m_form->userInterface().StatusNotice("");
        QCOMPARE(child<QLabel>("Panel1")->text(), QStringLiteral("  "));
        QVERIFY(bar->palette().color(QPalette::Window) != colours::yellow);
    }

    void linkLabelLightsUpAndOpensOurPage()
    {
        auto* web = child<QLabel>("WEB");
        moveOver(web);
        QCOMPARE(web->palette().color(QPalette::WindowText), QColor(Qt::blue));
        moveOver(child("P_LEFT"));
        QCOMPARE(web->palette().color(QPalette::WindowText), colours::silver);

        OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
        QTest::mouseClick(web, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(opened.urls, QList<QUrl>{QUrl(QStringLiteral("https://github.com/karvo-app/karvo"))});
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
