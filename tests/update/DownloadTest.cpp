// Fetching from a loopback server: bodies saved byte for byte, failures shown in the status
// notice with the target untouched, no scratch file left behind, and what the reader then makes
// of the saved file; the servers and paths fetched from.
#include "UpdateTests.h"
#include "support/LoopbackServer.h"
#include "update/Download.h"
#include "update/Endpoints.h"
#include "update/WorkbookReader.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

const std::string SmallWorkbook = OperatorWorkbookBytes({{{"Κλήρωση", "Ημ/νία"}, {"2911", "02/1/2025"}}});

class Download : public ::testing::Test
{
protected:
    // A temporary folder of the test's own, so that every scratch file can be counted; a dead
    // server is given up after one second without a byte.
    void SetUp() override
    {
        m_oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(m_temp.path()));
        SetDownloadLimits({2000, 1});
    }
    void TearDown() override
    {
        SetDownloadLimits(DownloadLimits());
        qputenv("TMPDIR", m_oldTemp);
    }

    // Serves answer at path, fetches it into target and checks the result and that no scratch
    // file is left; gives the target's bytes.
    std::string fetch(const std::string& path, const LoopbackResponse& answer, const std::string& target, bool ok)
    {
        m_server.set(path, answer);
        EXPECT_EQ(FetchResultFile(m_server.baseUrl() + path, target, m_ui), ok) << path;
        EXPECT_EQ(scratchFiles(), 0) << path;
        return ReadBytes(target);
    }
    int scratchFiles() const { return static_cast<int>(QDir(QString::fromStdString(m_temp.path())).count()) - 2; }

    LoopbackServer m_server;
    ScriptedUserInterface m_ui;
    TempFolder m_folder;
    TempFolder m_temp;
    QByteArray m_oldTemp;
};

} // namespace

TEST_F(Download, BodiesArriveByteForByteThroughRedirectsAndOverWriteProtection)
{
    const std::string target = m_folder.file("lotto_2025.xlsx");
    WriteBytes(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(fetch("/Excel_xlsx/5103/lotto_2025.xlsx", LoopbackResponse::Body(SmallWorkbook), target, true),
              SmallWorkbook);
    // The window is painted once before the fetch; nothing is left in the status bar.
    EXPECT_EQ(m_ui.pendingEventRuns, 1);
    EXPECT_TRUE(m_ui.statusHistory.empty());
    CellTable table;
    ASSERT_EQ(ReadWorkbook(target, 2, 2, table), 2);
    EXPECT_EQ(Text(table, 2, 1, 1, 2), "2911|02/1/2025\n");
    m_server.set("/moved/propo.xlsx", LoopbackResponse::Body("moved body"));
    EXPECT_EQ(fetch("/propo.xlsx", LoopbackResponse::Redirect("/moved/propo.xlsx"), target, true), "moved body");
    // A target under a regular file cannot be created.
    fetch("/j", LoopbackResponse::Body("new"), target + "/lotto_2024.xlsx", false);
    // A text fetch takes the body whatever the status.
    m_server.set("/page", LoopbackResponse::Body("<html>missing</html>", 404));
    EXPECT_EQ(DownloadText(m_server.baseUrl() + "/page", m_ui) + DownloadText(m_server.baseUrl() + "/x", m_ui),
              "<html>missing</html>");
    EXPECT_EQ(scratchFiles(), 0);
}

TEST_F(Download, FailedTransfersLeaveTheTargetAndTheNextFetchWorks)
{
    // An empty body, headers promising a body that never comes, a body cut short, a dead server.
    const std::vector<std::pair<std::string, LoopbackResponse>> cases{
        {"/empty", LoopbackResponse::Body("")},
        {"/no-body", LoopbackResponse::Body(SmallWorkbook).cutAfter(0)},
        {"/cut", LoopbackResponse::Body(SmallWorkbook).cutAfter(100)},
        {"/dead", LoopbackResponse::Hang()},
    };
    const std::string target = m_folder.file("lotto_2024.xlsx");
    WriteBytes(target, "old");
    for (const auto& [path, answer] : cases) {
        m_ui.StatusNotice("");
        EXPECT_EQ(fetch(path, answer, target, false), "old");
        EXPECT_EQ(m_ui.status, "Error Downloading") << path;
        EXPECT_EQ(fetch(path, answer, m_folder.file("absent.xlsx"), false), "") << path;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.file("absent.xlsx")))) << path;
    }
    std::string refused;
    {
        LoopbackServer closed;
        refused = closed.baseUrl() + "/gone";
    }
    EXPECT_FALSE(FetchResultFile(refused, target, m_ui));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(fetch("/alive", LoopbackResponse::Body("next"), target, true), "next");
}

TEST_F(Download, SavedFilesTheReaderRefuses)
{
    const std::string shared = SharedStringsXml({});
    const std::vector<std::tuple<const char*, std::string, std::string>> cases{
        {"error page", "<html><head><title>404</title></head><body>" + std::string(120, '.') + "</body></html>",
         "not a ZIP archive"},
        {"truncated archive", SmallWorkbook.substr(0, SmallWorkbook.size() - 30), "not a ZIP archive"},
        {"sheet1 and sheet3 without sheet2",
         ZipBytes({{"xl/sharedStrings.xml", shared}, {"xl/worksheets/sheet1.xml", SheetXml("")},
                   {"xl/worksheets/sheet3.xml", SheetXml("")}}),
         "xl/worksheets/sheet2.xml"},
        {"zip bomb", ZipBytes({{"xl/sharedStrings.xml", shared}, {"xl/worksheets/sheet1.xml", "<x/>", true, 1ll << 30}}),
         "more than 256 MB"},
    };
    const std::string target = m_folder.file("lotto_2024.xlsx");
    for (const auto& [name, body, problem] : cases) {
        EXPECT_EQ(fetch("/lotto_2024.xlsx", LoopbackResponse::Body(body), target, true), body) << name;
        CellTable table;
        const std::string error = ErrorOf([&] { ReadWorkbook(target, 12, 2, table); });
        EXPECT_NE(error.find(problem), std::string::npos) << name << ": " << error;
    }
}

TEST(Endpoints, HostsPathsAndFileNames)
{
    // The paths themselves are the ones the end-to-end tests serve; PROPO comes from the web server.
    const OperatorServers servers{"https://web.test", "https://media.test"};
    for (int game = 1; game <= 10; ++game) {
        const std::string url = ResultEndpointFor(game, 2025, 1, servers).url;
        EXPECT_EQ(url.rfind(game <= 3 ? "https://web.test/Excel/" : "https://media.test/Excel_xlsx/", 0), 0u) << url;
    }
    EXPECT_EQ(ResultEndpointFor(3, 2019, 0, servers).url, "https://web.test/Excel/3101/propo_2019_Wed.xlsx");
    EXPECT_EQ(ResultEndpointFor(6, 2023, 0, servers).fileName + ResultEndpointFor(11, 2025, 1, servers).url,
              "Joker_2023.xlsx");
    EXPECT_EQ(LocalResultFile("/home/u/", "Joker_2023.xlsx"), "/home/u/DATA/Joker_2023.xlsx");
    unsetenv("KARVO_OPAP_WEB_URL");
    setenv("KARVO_OPAP_MEDIA_URL", "http://127.0.0.1:8080/", 1);
    EXPECT_EQ(ServersInUse().web + " " + ServersInUse().media, "https://www.opap.gr http://127.0.0.1:8080");
    unsetenv("KARVO_OPAP_MEDIA_URL");
    EXPECT_EQ(ServersInUse().media, "https://media.opap.gr");
}
