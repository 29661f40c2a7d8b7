// The list chooser: results of Enter, Esc, double-click and extra keys, and its sizing rules.
#include "ModalDriver.h"
#include "app/Appearance.h"
#include "app/ListDialog.h"
#include "app/QtUserInterface.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

using namespace karvo;
using karvo::test::AnswerNextDialog;
using karvo::test::W;

namespace {

const std::vector<std::string> kYears{"2024", "2023", "2022"};

// Opens the chooser through the seam and plays keys on it once it is shown.
int chooseWithKeys(const std::vector<std::string>& items, const std::string& keys, std::vector<int> strokes)
{
    AnswerNextDialog<ListDialog>([strokes](ListDialog* dialog) {
        for (int key : strokes) {
            QTest::keyClick(dialog->list(), static_cast<Qt::Key>(key));
        }
    });
    QtUserInterface ui;
    return ui.ChooseFromList(W("Έτος"), items, keys, true);
}

} // namespace

class TestListDialog : public QObject
{
    Q_OBJECT

private slots:
    void keysGiveTheirResults_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<int>>("strokes");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter on the first line") << QString() << QList<int>{Qt::Key_Return} << 1;
        QTest::newRow("Enter on the second line") << QString() << QList<int>{Qt::Key_Down, Qt::Key_Enter} << 2;
        QTest::newRow("Esc cancels") << QString() << QList<int>{Qt::Key_Down, Qt::Key_Escape} << 0;
        QTest::newRow("Delete when allowed") << QStringLiteral("46") << QList<int>{Qt::Key_Delete} << 46;
        QTest::newRow("Delete when not allowed") << QString() << QList<int>{Qt::Key_Delete, Qt::Key_Return} << 1;
        QTest::newRow("period is not Delete") << QStringLiteral("46") << QList<int>{Qt::Key_Period, Qt::Key_Escape}
                                              << 0;
        QTest::newRow("one of several keys") << QStringLiteral("45,113") << QList<int>{Qt::Key_F2} << 113;
    }

    void keysGiveTheirResults()
    {
        QFETCH(QString, keys);
        QFETCH(QList<int>, strokes);
        QFETCH(int, result);
        QCOMPARE(chooseWithKeys(kYears, keys.toStdString(), std::vector<int>(strokes.begin(), strokes.end())),
                 result);
    }

    void doubleClickChoosesTheLine()
    {
        AnswerNextDialog<ListDialog>([](ListDialog* dialog) {
            QListView* list = dialog->list();
            const QRect third = list->visualRect(list->model()->index(2, 0));
            // The view takes a double-click only on the line the first click pressed.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
        });
        QtUserInterface ui;
        QCOMPARE(ui.ChooseFromList("Years", kYears, "", false), 3);
    }

    void closingTheWindowCancels()
    {
        AnswerNextDialog<ListDialog>([](ListDialog* dialog) { dialog->close(); });
        QtUserInterface ui;
        QCOMPARE(ui.ChooseFromList("Years", kYears, "", false), 0);
    }

    void captionSplitsIntoTitleAndHeader()
    {
        ListDialog dialog(W("Ενημέρωση Νικητριών\x01  Έτος"), kYears, "", true, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Ενημέρωση Νικητριών"));
        auto* header = dialog.findChild<QLabel*>(QStringLiteral("Header"));
        QVERIFY(header != nullptr);
        QCOMPARE(header->text(), QStringLiteral("  Έτος"));
        QCOMPARE(header->height(), 30);
        QCOMPARE(dialog.list()->currentIndex().row(), 0);
        // Table mode pads every line with two blanks on each side.
        QCOMPARE(dialog.list()->model()->index(1, 0).data().toString(), QStringLiteral("  2023  "));
        QVERIFY(ListDialog("Plain", kYears, "", false, nullptr).findChild<QLabel*>() == nullptr);
    }

    void tableModeFitsEveryLine()
    {
        ListDialog dialog(std::string("Years\x01header"), kYears, "", true, nullptr);
        const QFontMetrics metrics(FixedPointFont(12));
        const int width = metrics.horizontalAdvance(QStringLiteral("  2024  ")) + metrics.horizontalAdvance('A');
        QCOMPARE(dialog.size(), QSize(width, 3 * metrics.height() + 4 + 30));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize()); // a fixed border
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.list()->verticalScrollBar()->maximum(), 0);
        QCOMPARE(dialog.list()->horizontalScrollBar()->maximum(), 0);
    }

    void longTableIsLimitedToTwoThirdsOfTheWorkArea()
    {
        std::vector<std::string> many(200, "KINO 2024_01");
        ListDialog dialog("Periods", many, "", true, nullptr);
        const QFontMetrics metrics(FixedPointFont(12));
        const int width = metrics.horizontalAdvance(QStringLiteral("  KINO 2024_01  ")) + metrics.horizontalAdvance('A');
        const int limit = QGuiApplication::primaryScreen()->availableGeometry().height() * 2 / 3;
        QCOMPARE(dialog.size(), QSize(width + 20, limit));
        QVERIFY(dialog.minimumSize() != dialog.maximumSize()); // sizeable
    }

    void plainListTakesTwoThirdsOfTheScreen()
    {
        ListDialog dialog("Years", kYears, "", false, nullptr);
        const QFontMetrics metrics(SansPointFont(12));
        QCOMPARE(dialog.height(), QGuiApplication::primaryScreen()->virtualGeometry().height() * 2 / 3);
        QCOMPARE(dialog.width(), metrics.horizontalAdvance(QStringLiteral("2024")) + metrics.horizontalAdvance('A'));
    }
};

QTEST_MAIN(TestListDialog)
#include "TestListDialog.moc"
