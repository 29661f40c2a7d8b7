// The dialogs behind the user-interface seam: the list chooser, the input line, the text-box form,
// the file chooser, the message boxes and the desktop services; their results and keys.
#include "AppTestSupport.h"
#include "app/dialogs/InputDialog.h"
#include "app/dialogs/ListDialog.h"
#include "app/dialogs/MemoDialog.h"
#include "app/dialogs/QtUserInterface.h"
#include "app/main/Appearance.h"

using namespace karvo;
using namespace karvo::test;

namespace {

const std::vector<std::string> kYears{"2024", "2023", "2022"};

// clang-format off
struct KeyCase { const char* name; const char* keys; std::vector<Qt::Key> strokes; int result; };
const KeyCase kKeyCases[] = {
    { "Enter on the first line", "", { Qt::Key_Return }, 1 },
    { "Esc cancels", "", { Qt::Key_Down, Qt::Key_Escape }, 0 },
    { "Delete when allowed", "46", { Qt::Key_Delete }, 46 },
    { "Delete when not allowed", "", { Qt::Key_Delete, Qt::Key_Down, Qt::Key_Enter }, 2 },
    { "period is not Delete", "46", { Qt::Key_Period, Qt::Key_Escape }, 0 },
    { "one of several keys", "45,113", { Qt::Key_F2 }, 113 },
};
// clang-format on

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void listKeysGiveTheirResults_data() { AddRows(kKeyCases); }

    void listKeysGiveTheirResults()
    {
        QFETCH(int, row);
        const KeyCase& key = kKeyCases[row];
        AnswerNextDialog<ListDialog>([&key](ListDialog* dialog) {
            for (Qt::Key stroke : key.strokes) {
                QTest::keyClick(dialog->list(), stroke);
            }
        });
        QtUserInterface ui;
        QCOMPARE(ui.ChooseFromList(W("Έτος"), kYears, key.keys, true), key.result);
    }

    void listDoubleClickChoosesAndClosingCancels()
    {
        AnswerNextDialog<ListDialog>([](ListDialog* dialog) {
            QListView* list = dialog->list();
            const QPoint third = list->visualRect(list->model()->index(2, 0)).center();
            // The view takes a double-click only on the line the first click pressed.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
        });
        QtUserInterface ui;
        QCOMPARE(ui.ChooseFromList("Years", kYears, "", false), 3);
        AnswerNextDialog<ListDialog>([](ListDialog* dialog) { dialog->close(); });
        QCOMPARE(ui.ChooseFromList("Years", kYears, "", false), 0);
    }

    void listTableSplitsItsCaptionAndFitsEveryLine()
    {
        ListDialog dialog(W("Ενημέρωση Νικητριών\x01  Έτος"), kYears, "", true, nullptr);
        QCOMPARE(dialog.windowTitle() + "|" + Child<QLabel>(&dialog, "header")->text(),
                 QStringLiteral("Ενημέρωση Νικητριών|  Έτος"));
        // A short list shows whole.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.list()->verticalScrollBar()->maximum() + dialog.list()->horizontalScrollBar()->maximum(), 0);
        // A long table takes two thirds of the work area.
        ListDialog table("Periods", std::vector<std::string>(200, "KINO 2024_01"), "", true, nullptr);
        const int workArea = QGuiApplication::primaryScreen()->availableGeometry().height();
        QCOMPARE(table.height(), workArea * 2 / 3);
    }

    void inputHistoryKeepsEachConfirmedTextOnce()
    {
        QtUserInterface ui;
        std::string result = "kept";
        // Esc leaves the result and the history alone; Return takes the typed text.
        const std::tuple<const char*, Qt::Key, const char*> inputs[] = {{"typed", Qt::Key_Escape, "kept"},
                                                                        {"Ολυμπιακός", Qt::Key_Return, "Ολυμπιακός"},
                                                                        {"ΑΕΚ", Qt::Key_Return, "ΑΕΚ"},
                                                                        {"Ολυμπιακός", Qt::Key_Return, "Ολυμπιακός"}};
        for (const auto& [text, key, expected] : inputs) {
            AnswerNextDialog<InputDialog>([text, key](InputDialog* dialog) {
                dialog->inputBox()->lineEdit()->insert(QString::fromUtf8(text)); // as an input method would
                QTest::keyClick(dialog->inputBox()->lineEdit(), key);
            });
            QCOMPARE(ui.InputChoice(W("Ψάξε στη λίστα"), "", result), key == Qt::Key_Return);
            QCOMPARE(result, W(expected));
        }
        QCOMPARE(ui.inputHistory().entries(), (std::vector<std::string>{W("Ολυμπιακός"), W("ΑΕΚ")}));
        // Every later input lists the history and starts from its own proposal.
        AnswerNextDialog<InputDialog>([](InputDialog* dialog) {
            QCOMPARE(dialog->inputBox()->count(), 2);
            QCOMPARE(dialog->inputBox()->currentText(), QStringLiteral("προταση"));
            dialog->inputBox()->setCurrentIndex(1);
            Child<QPushButton>(dialog, "okButton")->click();
        });
        QVERIFY(ui.InputChoice("x", W("προταση"), result) && result == W("ΑΕΚ"));
    }

    void memoBoxesOfModeOneAndPastingPlainText()
    {
        // Mode 1 makes every box one line high, whatever the caller asked.
        std::vector<std::string> fields{"01/02/2024", "05/02/2024"};
        std::vector<int> lines{3, 3};
        AnswerNextDialog<MemoDialog>([](MemoDialog* dialog) { dialog->reject(); });
        QtUserInterface ui;
        QVERIFY(!ui.MemoBox("Dates", fields, {"From", "To"}, lines, 1));
        QVERIFY(lines == std::vector<int>({1, 1}) && fields.front() == "01/02/2024");

        // Ctrl+V pastes plain text only, converted to the code page.
        auto* mime = new QMimeData;
        mime->setText(QStringLiteral("Ολυμπιακός – ΠΑΟ ✓\n1,85"));
        mime->setHtml(QStringLiteral("<b>rich</b>"));
        QGuiApplication::clipboard()->setMimeData(mime);
        fields = {"old"};
        lines = {10};
        AnswerNextDialog<MemoDialog>([](MemoDialog* dialog) {
            auto* box = Child<QPlainTextEdit>(dialog, "fieldBox1");
            box->selectAll();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            Child<QPushButton>(dialog, "okButton")->click();
        });
        QVERIFY(ui.MemoBox("Paste", fields, {"Copy coupon and paste here"}, lines, 0));
        // The en dash exists in the code page, the check mark does not; lines end in CR LF.
        QCOMPARE(fields.front(), W("Ολυμπιακός – ΠΑΟ ?\r\n1,85"));
    }

    void fileNameGetsItsExtension()
    {
        TempFolder folder;
        const QString start = QString::fromStdString(folder.path());
        const QString before = QDir::currentPath();
        QtUserInterface ui;
        // Typed names and what the chooser returns; nothing typed cancels and keeps the proposal.
        const std::pair<const char*, QString> cases[] = {{"x", start + "x.bet"},
                                                         {"x.Txt", start + "x.Txt"},
                                                         {"x.betx", start + "x.betx.bet"},
                                                         {nullptr, "proposal"}};
        for (const auto& [typed, chosen] : cases) {
            AnswerNextDialog<QFileDialog>([start, typed](QFileDialog* dialog) {
                QDir::setCurrent(QDir::tempPath()); // as a desktop dialog may do
                dialog->selectFile(start + typed);
                typed ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
            });
            std::string fileName = "proposal";
            QCOMPARE(ui.ChooseFileName(W("Αποθήκευση\x01") + "BET", "bet,txt", folder.path(), FileChooserMode::Save,
                                       fileName),
                     !!typed);
            QCOMPARE(QString::fromStdString(fileName), chosen);
            QCOMPARE(QDir::currentPath(), before);
        }
    }

    void messageChoiceGivesTheStandardCodes()
    {
        QtUserInterface ui;
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->icon(), QMessageBox::Information);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(ui.MessageChoice("Info", "?", MessageType::Information, MessageAnswer::Yes, MessageButtons::YesNo),
                 MessageAnswer::Yes);
        AnswerNextDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
        QCOMPARE(ui.MessageChoice("Info", "?", MessageType::Warning, MessageAnswer::Ok, MessageButtons::OkCancel),
                 MessageAnswer::Cancel);
    }

    void shellOpenFindsTheFileAndHandsItToTheDesktop() // web addresses: the main window's link label
    {
        OpenedUrls files("file");
        TempFolder folder;
        WriteBytes(folder.file("Export.XLS"), "x");
        QtUserInterface ui;
        ui.ShellOpen(folder.file("export.xls")); // found whatever the letter case
        QCOMPARE(files.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(folder.file("Export.XLS")))});
    }
};

QTEST_MAIN(TestDialogs)
#include "TestDialogs.moc"
#include "moc_AppTestSupport.cpp"
