// Each game's update through the update button's driver and the real download path, against a
// loopback server: the exact bytes written from a missing and from an older file, repeats that
// change nothing, the view showing the new last draw, and hostile answers that change nothing.
#include "results/DrawViews.h"
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "update/Download.h"
#include "update/UpdateDriver.h"
#include "update/UpdateFetch.h"
#include "util/KarvoError.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

// A LOTTO sheet in the operator's layout: four header rows, newest draw on top, text dates.
SheetRows LottoSheet(int draws, int year)
{
    SheetRows rows{{"ΚΛΗΡΩΣΕΙΣ LOTTO " + std::to_string(year)}, {}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", ""}};
    for (int d = draws; d >= 1; --d) {
        rows.push_back({std::to_string(d), std::to_string(d % 28 + 1) + "/" + std::to_string(d % 12 + 1) + "/"
                                               + std::to_string(year),
                        "45", std::to_string(d % 40 + 1), "44", "43", "42", "41", "7", "", ""});
    }
    return rows;
}

// The unmasked record LottoSheet's draw d becomes.
std::string LottoRecord(int d, int year)
{
    std::vector<int> n{45, d % 40 + 1, 44, 43, 42, 41};
    std::sort(n.begin(), n.end());
    std::string r{static_cast<char>(d % 28 + 1), static_cast<char>(d % 12 + 1), static_cast<char>(year - 1950)};
    for (int v : n) {
        r += static_cast<char>(v);
    }
    return r;
}

std::string Masked(std::string plain)
{
    PositionMask(plain);
    return plain;
}

class UpdateEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDownloadLimits({2000, 1});
        QDir().mkpath(QString::fromStdString(m_folder.file("Data")));
    }
    void TearDown() override { SetDownloadLimits(DownloadLimits()); }

    // Presses the update button for game, choosing list item choice, as the window does.
    UpdateOutcome click(int game, int choice)
    {
        m_state.GameCode = game;
        m_ui.listAnswers = {choice};
        UpdateContext context{m_state, m_ui, m_folder.path(), QDate(2026, 3, 15),
                              {m_server.baseUrl(), m_server.baseUrl()}, &FetchResultFile};
        const UpdateOutcome outcome = RunUpdate(context);
        if (outcome.clearNotice) {
            m_ui.StatusNotice("");
        }
        return outcome;
    }

    // Every file of the working folder and DATA with its bytes.
    std::map<std::string, std::string> snapshot(bool withData = false) const
    {
        std::map<std::string, std::string> files;
        QDir dir(QString::fromStdString(m_folder.path()));
        for (const QString& name : dir.entryList(QDir::Files)) {
            files[name.toStdString()] = ReadBytes(m_folder.file(name.toStdString()));
        }
        if (withData) {
            QDir data(QString::fromStdString(m_folder.file("Data")));
            for (const QString& name : data.entryList(QDir::Files)) {
                files["Data/" + name.toStdString()] = ReadBytes(m_folder.file("Data/" + name.toStdString()));
            }
        }
        return files;
    }

    void serve(const std::string& path, const std::string& body) { m_server.set(path, LoopbackResponse::Body(body)); }

    TempFolder m_folder;
    LoopbackServer m_server;
    ScriptedUserInterface m_ui;
    ProgramState m_state;
};

} // namespace

TEST_F(UpdateEndToEnd, LottoFromMissingAndFromOlderFile)
{
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", OperatorWorkbookBytes({{LottoSheet(104, 2024)}, true}));
    // The year list of 2026: item 8 is 2024.
    const UpdateOutcome outcome = click(4, 8);
    EXPECT_EQ(outcome.viewGame, 4);
    EXPECT_EQ(m_state.SelectedYear, 2024);
    ASSERT_EQ(m_ui.listCalls.size(), 1u);
    EXPECT_EQ(m_ui.listCalls[0].items.size(), 10u);
    EXPECT_EQ(m_ui.statusHistory.front(), WaitNoticeText());
    EXPECT_EQ(m_ui.status, "");

    std::string expected((2026 - 1989) * 370 * 9, '\0');
    const std::size_t base = (2024 - 1990) * 370 * 9;
    for (int d = 1; d <= 104; ++d) {
        expected.replace(base + (d - 1) * 9, 9, LottoRecord(d, 2024));
    }
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), Masked(expected));
    const DrawView view = BuildLottoView(m_folder.path(), 1, 2015);
    const std::string last = view.grid.cell(0, view.grid.currentRow());
    EXPECT_NE(last.find("21-09-2024"), std::string::npos) << U(last);

    // Repeating gives the same bytes; an older file keeps its other years and higher slots.
    click(4, 8);
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), Masked(expected));
    std::string older = expected.substr(0, (2024 - 1990) * 370 * 9 + 200 * 9);
    older.replace(9 * 5, 9, LottoRecord(3, 1990));
    older.replace(base + 150 * 9, 9, LottoRecord(2, 2024));
    WriteBytes(m_folder.file("LOTTO.krv"), Masked(older));
    serve("/Excel_xlsx/5103/lotto_2024.xlsx", OperatorWorkbookBytes({{LottoSheet(100, 2024)}}));
    click(4, 8);
    std::string merged = older;
    merged.resize(expected.size(), '\0');
    for (int d = 1; d <= 100; ++d) {
        merged.replace(base + (d - 1) * 9, 9, LottoRecord(d, 2024));
    }
    EXPECT_EQ(ReadBytes(m_folder.file("LOTTO.krv")), Masked(merged));
}

TEST_F(UpdateEndToEnd, GoalJokerProtoExtraOneRowEach)
{
    struct Case { int game; const char* path; SheetRows rows; const char* file; std::size_t offset; std::string record; };
    const std::vector<Case> cases{
        {5, "/Excel_xlsx/5105/propogoal_2025.xlsx", {{"", "Ημ/νία"}, {"77", "04/1/2025", "x", "9", "8", "7", "6", "5", "4", "3", "2"}},
         "GOAL.krv", (2025 - 1996) * 370 * 11, std::string("\x04\x01\x4B\x02\x03\x04\x05\x06\x07\x08\x09", 11)},
        {6, "/Excel_xlsx/5104/Joker_2025.xlsx", {{"", "Ημ/νία"}, {"2800", "02/1/2025", "40", "3", "22", "17", "9", "14"}},
         "JOKER.krv", (2025 - 1997) * 370 * 9, std::string("\x02\x01\x4B\x03\x09\x11\x16\x28\x0E", 9)},
        {7, "/Excel_xlsx/2101/proto_2025.xlsx", {{"", "Ημ/νία"}, {"12", "07/3/2025", "0", "4", "4", "1", "9", "0", "7"}},
         "Proto.krv", (2025 - 1992) * 2000, std::string("\x07\x03\x4B\x00\x04\x04\x01\x09\x00\x07", 10)},
        {8, "/Excel_xlsx/5106/extra5_2025.xlsx", {{"", "Ημ/νία"}, {"3", "03/2/2025", "x", "30", "10", "20", "5", "1"}},
         "Extra.krv", 16, std::string("\x03\x02\x4B\x01\x05\x0A\x14\x1E", 8)},
    };
    const std::size_t lengths[] = {(2026 - 1995) * 370 * 11, (2026 - 1996) * 370 * 9, (2026 - 1991) * 2000, 24};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        serve(c.path, OperatorWorkbookBytes({{c.rows}}));
        click(c.game, 9);
        std::string expected(lengths[i], '\0');
        expected.replace(c.offset, c.record.size(), c.record);
        EXPECT_EQ(ReadBytes(m_folder.file(c.file)), Masked(expected)) << c.file;
        click(c.game, 9);
        EXPECT_EQ(ReadBytes(m_folder.file(c.file)), Masked(expected)) << c.file << " repeated";
    }
}
