// The input line, the text-box form, the file chooser, the message boxes and the desktop services
// behind the user-interface seam: results, keys and sizes.
#include "ModalDriver.h"
#include "app/Appearance.h"
#include "app/InputDialog.h"
#include "app/MemoDialog.h"
#include "app/QtUserInterface.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace karvo;
using karvo::test::AnswerNextDialog;
using karvo::test::TempFolder;
using karvo::test::W;

// Catches the desktop's "open" so that nothing is launched.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

namespace {

void typeAndConfirm(const QString& text)
{
    AnswerNextDialog<InputDialog>([text](InputDialog* dialog) {
        // Greek cannot be typed key by key in a test; the text goes in as an input method would.
        dialog->combo()->lineEdit()->clear();
        dialog->combo()->lineEdit()->insert(text);
        QTest::keyClick(dialog->combo()->lineEdit(), Qt::Key_Return);
    });
}

QRect geometryOf(QWidget& parent, const char* name)
{
    auto* child = parent.findChild<QWidget*>(QString::fromLatin1(name));
    return child ? child->geometry() : QRect();
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void inputIsSizedByItsProposal()
    {
        InputDialog shortOne(std::string(), std::string(), InputHistory(), nullptr);
        QCOMPARE(shortOne.size(), QSize(177 + 60, 97));
        QCOMPARE(geometryOf(shortOne, "Input"), QRect(30, 15, 177, 24));
        QCOMPARE(geometryOf(shortOne, "OK"), QRect(177 / 2 - 57, 55, 81, 26));
        QCOMPARE(geometryOf(shortOne, "Cancel"), QRect(177 / 2 + 37, 55, 81, 26));

        const std::string proposal = "ΠΡΟΠΟ ΚΥΡΙΑΚΗ 2024 και λίγο ακόμη";
        InputDialog middle("x", W(proposal.c_str()), InputHistory(), nullptr);
        const int width = QFontMetrics(SansPointFont(10)).horizontalAdvance(QString::fromStdString(proposal)) + 30;
        QCOMPARE(middle.width(), width + 60);

        InputDialog huge("x", std::string(2000, 'W'), InputHistory(), nullptr);
        QCOMPARE(huge.width(), QGuiApplication::primaryScreen()->virtualGeometry().width() * 2 / 3 + 60);
    }

    void confirmedTextsJoinTheHistoryOnce()
    {
        QtUserInterface ui;
        std::string result;
        typeAndConfirm(QStringLiteral("Ολυμπιακός"));
        QVERIFY(ui.InputChoice(W("Ψάξε στη λίστα"), "", result));
        QCOMPARE(result, W("Ολυμπιακός"));
        typeAndConfirm(QStringLiteral("ΑΕΚ"));
        QVERIFY(ui.InputChoice("x", "", result));
        typeAndConfirm(QStringLiteral("Ολυμπιακός"));
        QVERIFY(ui.InputChoice("x", "", result));
        QCOMPARE(ui.inputHistory().entries(), (std::vector<std::string>{W("Ολυμπιακός"), W("ΑΕΚ")}));

        // Every later input lists the history and starts from its own proposal.
        AnswerNextDialog<InputDialog>([](InputDialog* dialog) {
            QCOMPARE(dialog->combo()->count(), 2);
            QCOMPARE(dialog->combo()->itemText(1), QStringLiteral("ΑΕΚ"));
            QCOMPARE(dialog->combo()->currentText(), QStringLiteral("προταση"));
            dialog->combo()->setCurrentIndex(1);
            dialog->findChild<QPushButton*>(QStringLiteral("OK"))->click();
        });
        QVERIFY(ui.InputChoice("x", W("προταση"), result));
        QCOMPARE(result, W("ΑΕΚ"));
    }

    void cancelLeavesTheResult()
    {
        QtUserInterface ui;
        std::string result = "kept";
        AnswerNextDialog<InputDialog>([](InputDialog* dialog) {
            QTest::keyClicks(dialog->combo()->lineEdit(), QStringLiteral("typed"));
            QTest::keyClick(dialog->combo()->lineEdit(), Qt::Key_Escape);
        });
        QVERIFY(!ui.InputChoice("x", "", result));
        QCOMPARE(result, std::string("kept"));
        QVERIFY(ui.inputHistory().entries().empty());
    }

    void historyKeepsTheNewestWhenFull()
    {
        InputHistory history;
        for (std::size_t i = 0; i <= InputHistory::kCapacity; ++i) {
            history.add(std::to_string(i));
        }
        QCOMPARE(history.entries().size(), InputHistory::kCapacity);
        QCOMPARE(history.entries().front(), std::string("1"));
        QCOMPARE(history.entries().back(), std::to_string(InputHistory::kCapacity));
    }

    void memoLaysOutOneLineBoxes()
    {
        // Mode 1 makes every box one line high, whatever the caller asked.
        std::vector<std::string> fields{"01/02/2024", "05/02/2024"};
        std::vector<int> lines{3, 3};
        AnswerNextDialog<MemoDialog>([](MemoDialog* dialog) {
            QCOMPARE(dialog->size(), QSize(242, 126 + 40));
            QCOMPARE(geometryOf(*dialog, "Label1").topLeft(), QPoint(24, 13));
            QCOMPARE(geometryOf(*dialog, "Box1"), QRect(24, 28, 185, 25));
            QCOMPARE(geometryOf(*dialog, "Label2").topLeft(), QPoint(24, 66));
            QCOMPARE(geometryOf(*dialog, "Box2"), QRect(24, 81, 185, 25));
            QCOMPARE(geometryOf(*dialog, "OK"), QRect(24, 126, 81, 26));
            QCOMPARE(geometryOf(*dialog, "Cancel"), QRect(128, 126, 81, 26));
            dialog->reject();
        });
        QtUserInterface ui;
        QVERIFY(!ui.MemoBox("Dates", fields, {"From", "To"}, lines, 1));
        QCOMPARE(lines, (std::vector<int>{1, 1}));
        QCOMPARE(fields.front(), std::string("01/02/2024"));
    }

    void memoWidensForTallBoxes()
    {
        MemoDialog dialog("Coupon", {"", ""}, {"a", "b"}, {1, 10}, nullptr);
        QCOMPARE(dialog.width(), 2 * 185 + 57);
        QCOMPARE(geometryOf(dialog, "Box2"), QRect(24, 81, 370, 250));
        QCOMPARE(geometryOf(dialog, "OK").topLeft(), QPoint(24 + 90, 81 + 250 + 20));
        QCOMPARE(geometryOf(dialog, "Cancel").topLeft(), QPoint(128 + 90, 81 + 250 + 20));
    }

    void pasteKeepsTheCodePageOnly()
    {
        auto* mime = new QMimeData;
        mime->setText(QStringLiteral("Ολυμπιακός – ΠΑΟ ✓\n1,85"));
        mime->setHtml(QStringLiteral("<b>rich</b>"));
        QGuiApplication::clipboard()->setMimeData(mime);
        std::vector<std::string> fields{"old"};
        std::vector<int> lines{10};
        AnswerNextDialog<MemoDialog>([](MemoDialog* dialog) {
            auto* box = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Box1"));
            box->selectAll();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            dialog->findChild<QPushButton*>(QStringLiteral("OK"))->click();
        });
        QtUserInterface ui;
        QVERIFY(ui.MemoBox("Paste", fields, {"Copy coupon and paste here"}, lines, 0));
        // The en dash exists in the code page, the check mark does not; lines end in CR LF.
        QCOMPARE(fields.front(), W("Ολυμπιακός – ΠΑΟ ?\r\n1,85"));
    }

    void fileNameGetsItsExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("none") << QStringLiteral("x") << QStringLiteral("x.bet");
        QTest::newRow("other case") << QStringLiteral("x.BET") << QStringLiteral("x.BET");
        QTest::newRow("second extension") << QStringLiteral("x.Txt") << QStringLiteral("x.Txt");
        QTest::newRow("dot only") << QStringLiteral("x.betx") << QStringLiteral("x.betx.bet");
    }

    void fileNameGetsItsExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        TempFolder folder;
        const QString start = QString::fromStdString(folder.path());
        const QString before = QDir::currentPath();
        AnswerNextDialog<QFileDialog>([start, typed](QFileDialog* dialog) {
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("BET (*.bet *.txt)")});
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Αποθήκευση"));
            QDir::setCurrent(QDir::tempPath()); // as a desktop dialog may do
            dialog->selectFile(start + typed);
            static_cast<QDialog*>(dialog)->accept();
        });
        QtUserInterface ui;
        std::string fileName = "proposal";
        QVERIFY(ui.ChooseFileName(W("Αποθήκευση\x01") + "BET", "bet,txt", folder.path(), 1, fileName));
        QCOMPARE(QString::fromStdString(fileName), start + chosen);
        QCOMPARE(QDir::currentPath(), before);
    }

    void cancelledFileChoiceChangesNothing()
    {
        AnswerNextDialog<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QtUserInterface ui;
        std::string fileName = "kept";
        QVERIFY(!ui.ChooseFileName("BET", "bet", "", 2, fileName));
        QCOMPARE(fileName, std::string("kept"));
    }

    void messageChoiceGivesTheStandardCodes()
    {
        QtUserInterface ui;
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Information);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(ui.MessageChoice("Info", "?", 0x40, 6, 4), 6);
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        QCOMPARE(ui.MessageChoice("Info", "?", 1, 6, 4), 7);
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
        QCOMPARE(ui.MessageChoice("Info", "?", 0x30, 1, 1), 2);
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->text(), QStringLiteral("Λάθος ημερομηνία"));
            box->button(QMessageBox::Ok)->click();
        });
        ui.ShowNotice(NoticeKind::Warning, W("Λάθος ημερομηνία"));
    }

    void shellOpenHandsAddressesAndFilesToTheDesktop()
    {
        OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        TempFolder folder;
        karvo::test::WriteBytes(folder.file("Export.XLS"), "x");
        QtUserInterface ui;
        ui.ShellOpen("https://github.com/karvo-app/karvo");
        ui.ShellOpen(folder.file("export.xls"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(opened.urls.size(), 2);
        QCOMPARE(opened.urls[0], QUrl(QStringLiteral("https://github.com/karvo-app/karvo")));
        QCOMPARE(opened.urls[1], QUrl::fromLocalFile(QString::fromStdString(folder.file("Export.XLS"))));
    }

    void measuresAndForwards()
    {
        QtUserInterface ui;
        int width = 0;
        int height = 0;
        ui.TextExtent(W("Ιανουάριος"), "COURIER", 12, width, height);
        const QFontMetrics fixed(FixedPointFont(12));
        QCOMPARE(QSize(width, height), fixed.size(Qt::TextSingleLine, QStringLiteral("Ιανουάριος")));
        ui.TextExtent("A", "MS Sans Serif", 10, width, height);
        QCOMPARE(width, QFontMetrics(SansPointFont(10)).horizontalAdvance('A'));
        QCOMPARE(ui.WorkAreaHeight(), QGuiApplication::primaryScreen()->availableGeometry().height());

        QString shown = QStringLiteral("none");
        ui.StatusNotice("dropped without a sink");
        ui.setStatusSink([&shown](const QString& text) { shown = text; });
        ui.StatusNotice(W("Παρακαλώ περιμένετε"));
        QCOMPARE(shown, QStringLiteral("Παρακαλώ περιμένετε"));
    }
};

QTEST_MAIN(TestDialogs)
#include "TestDialogs.moc"
