// The update button in the real window: the year list, a LOTTO workbook fetched from a loopback
// server, the view shown again; a failed download leaves its notice and the file untouched.
#include "ModalDriver.h"
#include "app/GridView.h"
#include "app/ListDialog.h"
#include "app/TForm1.h"
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QtTest>
#include <cstdlib>
#include <memory>

using namespace karvo;
using namespace karvo::test;

class TestUpdateButton : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LoopbackServer> m_server;
    std::unique_ptr<TempFolder> m_folder;
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

    // Presses the update button and picks the line for year from the list it shows.
    void updateYear(int year, QStringList* offered = nullptr)
    {
        AnswerNextDialog<ListDialog>([year, offered](ListDialog* dialog) {
            QListView* list = dialog->list();
            if (offered != nullptr) {
                for (int i = 0; i < list->model()->rowCount(); ++i) {
                    *offered << list->model()->index(i, 0).data().toString();
                }
            }
            list->setCurrentIndex(list->model()->index(year - 2017, 0));
            QTest::keyClick(list, Qt::Key_Return);
        });
        QTest::mouseClick(child<QPushButton>("UPDATE"), Qt::LeftButton);
    }

    // Newest draw on top under four header rows, every cell a shared string, as published.
    static std::string lottoWorkbook(int draws)
    {
        SheetRows rows = {{"ΚΛΗΡΩΣΕΙΣ LOTTO"}, {""}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", "", "1ος"}};
        for (int d = draws; d >= 1; --d) {
            rows.push_back({std::to_string(2700 + d), std::to_string(d) + "/1/2026", "40", "3", "22", "17", "9",
                            std::to_string(d)});
        }
        return OperatorWorkbookBytes(OperatorWorkbook{{rows}});
    }

private slots:
    void init()
    {
        m_server = std::make_unique<LoopbackServer>();
        setenv("KARVO_OPAP_MEDIA_URL", m_server->baseUrl().c_str(), 1);
        setenv("KARVO_OPAP_WEB_URL", m_server->baseUrl().c_str(), 1);
        m_folder = std::make_unique<TempFolder>();
        m_form = std::make_unique<TForm1>(m_folder->path(), [] { return QDate(2026, 12, 6); });
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QTest::mouseClick(child<QPushButton>("SLOTTO"), Qt::LeftButton);
    }

    void cleanup()
    {
        m_form.reset();
        m_folder.reset();
        m_server.reset();
    }

    void lottoYearIsFetchedMergedAndShown()
    {
        m_server->set("/Excel_xlsx/5103/lotto_2026.xlsx", LoopbackResponse::Body(lottoWorkbook(5)));
        QStringList offered;
        updateYear(2026, &offered);
        QCOMPARE(offered.size(), 10);
        QCOMPARE(offered.first(), QStringLiteral("    ΕΤΟΣ 2017    "));

        QCOMPARE(m_server->requestCount("/Excel_xlsx/5103/lotto_2026.xlsx"), 1);
        const CellGrid& grid = child<GridView>("SG")->grid();
        QCOMPARE(grid.rowCount(), 6);  // the header and five draws, oldest first, numbers ascending
        QCOMPARE(QString::fromStdString(grid.cell(0, 5)), QStringLiteral("   5 05-01-2026"));
        QCOMPARE(QString::fromStdString(grid.cell(1, 5)), QStringLiteral("    03 05 09 17 22 40"));
        QCOMPARE(child<GridView>("SG")->currentGridRow(), 5);
        QCOMPARE(child<QLabel>("Panel1")->text(), QStringLiteral("  "));
        QCOMPARE(ReadBytes(m_folder->file("LOTTO.krv")).size(), std::size_t(37 * 370 * 9));
    }

    void failedDownloadKeepsItsNoticeAndTheFile()
    {
        m_server->set("/Excel_xlsx/5103/lotto_2026.xlsx", LoopbackResponse::Body(lottoWorkbook(2)));
        updateYear(2026);
        const std::string before = ReadBytes(m_folder->file("LOTTO.krv"));
        QVERIFY(!before.empty());

        updateYear(2025);  // the server has no 2025 workbook: an empty 404 body
        QCOMPARE(child<QLabel>("Panel1")->text(), QStringLiteral("  Error Downloading"));
        QCOMPARE(ReadBytes(m_folder->file("LOTTO.krv")), before);
        QCOMPARE(child<GridView>("SG")->grid().rowCount(), 3);
    }
};

QTEST_MAIN(TestUpdateButton)
#include "TestUpdateButton.moc"
