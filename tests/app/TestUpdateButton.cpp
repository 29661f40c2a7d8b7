// The update button in the real window: the year list, a LOTTO workbook fetched from a loopback
// server, the view shown again; a failed download leaves its notice and the file untouched.
#include "AppTestSupport.h"
#include "app/GridView.h"
#include "app/ListDialog.h"
#include "support/LoopbackServer.h"
#include "support/WorkbookWriter.h"

#include <cstdlib>

using namespace karvo;
using namespace karvo::test;

namespace {

// Newest draw on top under four header rows, every cell a shared string, as published.
std::string lottoWorkbook(int draws)
{
    SheetRows rows = { { "ΚΛΗΡΩΣΕΙΣ LOTTO" }, { "" }, { "Κλήρωση", "Ημ/νία", "Αριθμοί" }, { "", "", "1ος" } };
    for (int d = draws; d >= 1; --d) {
        rows.push_back(
            { std::to_string(2700 + d), std::to_string(d) + "/1/2026", "40", "3", "22", "17", "9", std::to_string(d) });
    }
    return OperatorWorkbookBytes(OperatorWorkbook { { rows } });
}

// Presses the update button and picks the line for year from the list it shows, which it returns.
QStringList updateYear(OpenWindow& window, int year)
{
    auto offered = std::make_shared<QStringList>();
    AnswerNextDialog<ListDialog>([year, offered](ListDialog* dialog) {
        QListView* list = dialog->list();
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            *offered << list->model()->index(i, 0).data().toString();
        }
        list->setCurrentIndex(list->model()->index(year - 2017, 0));
        QTest::keyClick(list, Qt::Key_Return);
    });
    window.press("UPDATE");
    return *offered;
}

} // namespace

class TestUpdateButton : public QObject {
    Q_OBJECT

private slots:
    void lottoYearIsFetchedMergedAndShownAndAFailedOneKeepsIt()
    {
        LoopbackServer server;
        setenv("KARVO_OPAP_MEDIA_URL", server.baseUrl().c_str(), 1);
        setenv("KARVO_OPAP_WEB_URL", server.baseUrl().c_str(), 1);
        OpenWindow w;
        w.press("SLOTTO");
        server.set("/Excel_xlsx/5103/lotto_2026.xlsx", LoopbackResponse::Body(lottoWorkbook(5)));
        const QStringList offered = updateYear(w, 2026);
        QCOMPARE(offered.size(), 10);
        QCOMPARE(offered.first() + "|" + offered.last(), QStringLiteral("    ΕΤΟΣ 2017    |    ΕΤΟΣ 2026    "));
        QCOMPARE(server.requestCount("/Excel_xlsx/5103/lotto_2026.xlsx"), 1);
        const CellGrid& grid = w.child<GridView>("SG")->grid();
        QCOMPARE(grid.rowCount(), 6); // the header and five draws, oldest first, numbers ascending
        QCOMPARE(grid.cell(0, 5) + "|" + grid.cell(1, 5), std::string("   5 05-01-2026|    03 05 09 17 22 40"));
        QCOMPARE(w.child<GridView>("SG")->currentGridRow(), 5);
        QCOMPARE(w.child<QLabel>("Panel1")->text(), QStringLiteral("  "));
        const std::string before = ReadBytes(w.folder.file("LOTTO.krv"));
        QCOMPARE(before.size(), std::size_t(37 * 370 * 9));

        updateYear(w, 2025); // the server has no 2025 workbook: an empty 404 body
        QCOMPARE(w.child<QLabel>("Panel1")->text(), QStringLiteral("  Error Downloading"));
        QCOMPARE(ReadBytes(w.folder.file("LOTTO.krv")), before);
        QCOMPARE(w.child<GridView>("SG")->grid().rowCount(), 6);
    }
};

QTEST_MAIN(TestUpdateButton)
#include "TestUpdateButton.moc"
