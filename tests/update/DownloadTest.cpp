// Fetching from a loopback server: bodies saved byte for byte, failures shown in the status
// notice with the target untouched, no scratch file left behind, and what the reader then makes
// of the saved file.
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "update/Download.h"
#include "update/WorkbookReader.h"
#include "util/KarvoError.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

class Download : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A temporary folder of the test's own, so that every scratch file can be counted.
        m_oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(m_temp.path()));
        SetDownloadLimits({2000, 1});
    }
    void TearDown() override
    {
        SetDownloadLimits(DownloadLimits());
        qputenv("TMPDIR", m_oldTemp);
    }

    int scratchFiles() const { return static_cast<int>(QDir(QString::fromStdString(m_temp.path())).count()) - 2; }

    std::string fetch(const std::string& path, const std::string& target, bool expected)
    {
        EXPECT_EQ(FetchResultFile(m_server.url(path), target, m_ui), expected) << path;
        EXPECT_EQ(scratchFiles(), 0) << path;
        return ReadBytes(target);
    }

    LoopbackServer m_server;
    ScriptedUserInterface m_ui;
    TempFolder m_folder;
    TempFolder m_temp;
    QByteArray m_oldTemp;
};

std::string SmallWorkbook()
{
    return OperatorWorkbookBytes({{{{"Κλήρωση", "Ημ/νία"}, {"2911", "02/1/2025"}}}});
}

} // namespace

TEST_F(Download, WorkbookArrivesByteForByte)
{
    const std::string book = SmallWorkbook();
    m_server.set("/Excel_xlsx/5103/lotto_2025.xlsx", LoopbackResponse::Body(book));
    const std::string target = m_folder.file("lotto_2025.xlsx");
    EXPECT_EQ(fetch("/Excel_xlsx/5103/lotto_2025.xlsx", target, true), book);
    EXPECT_EQ(m_ui.pendingEventRuns, 1);
    EXPECT_TRUE(m_ui.statusHistory.empty());
    CellTable table;
    ASSERT_EQ(ReadWorkbook(target, 12, 2, table), 2);
    EXPECT_EQ(table[12 + 2], "02/1/2025");
}

TEST_F(Download, EmptyBodyLeavesTheTargetAsItWas)
{
    m_server.set("/empty", LoopbackResponse::Body(""));
    const std::string target = m_folder.file("kept.xlsx");
    WriteBytes(target, "earlier copy");
    EXPECT_EQ(fetch("/empty", target, false), "earlier copy");
    EXPECT_EQ(m_ui.status, "Error Downloading");
    EXPECT_EQ(fetch("/empty", m_folder.file("absent.xlsx"), false), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_folder.file("absent.xlsx"))));
}

TEST_F(Download, BrokenTransfersCountAsEmpty)
{
    // Headers promising a body that never comes, a body cut short, a refused connection.
    m_server.set("/no-body", LoopbackResponse::Body(SmallWorkbook()).withoutBody());
    m_server.set("/cut", LoopbackResponse::Body(SmallWorkbook()).cutAfter(100));
    const std::string target = m_folder.file("lotto_2024.xlsx");
    WriteBytes(target, "old");
    EXPECT_EQ(fetch("/no-body", target, false), "old");
    EXPECT_EQ(fetch("/cut", target, false), "old");
    LoopbackServer* closed = new LoopbackServer;
    const std::string url = closed->url("/gone");
    delete closed;
    EXPECT_FALSE(FetchResultFile(url, target, m_ui));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(m_ui.status, "Error Downloading");
}

TEST_F(Download, HangingServerTimesOutAndTheNextFetchWorks)
{
    m_server.set("/dead", LoopbackResponse::Hang());
    m_server.set("/alive", LoopbackResponse::Body("next"));
    const std::string target = m_folder.file("file.xlsx");
    EXPECT_EQ(fetch("/dead", target, false), "");
    EXPECT_EQ(m_ui.status, "Error Downloading");
    EXPECT_EQ(fetch("/alive", target, true), "next");
    EXPECT_EQ(m_ui.pendingEventRuns, 2);
}

TEST_F(Download, RedirectsAreFollowed)
{
    m_server.set("/Excel/3100/propo_2024_Sun.xlsx", LoopbackResponse::Redirect("/moved/propo.xlsx"));
    m_server.set("/moved/propo.xlsx", LoopbackResponse::Body("moved body"));
    EXPECT_EQ(fetch("/Excel/3100/propo_2024_Sun.xlsx", m_folder.file("p.xlsx"), true), "moved body");
    EXPECT_EQ(m_server.requestCount("/moved/propo.xlsx"), 1);
}

TEST_F(Download, WriteProtectedTargetIsReplaced)
{
    const std::string target = m_folder.file("Joker_2024.xlsx");
    WriteBytes(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    m_server.set("/j", LoopbackResponse::Body("new"));
    EXPECT_EQ(fetch("/j", target, true), "new");
}

TEST_F(Download, UnsavableBodyIsAFailure)
{
    WriteBytes(m_folder.file("plain"), "a file, not a folder");
    m_server.set("/b", LoopbackResponse::Body("body"));
    fetch("/b", m_folder.file("plain/lotto_2024.xlsx"), false);
}

TEST_F(Download, DownloadTextGivesTheBodyOfAnyStatus)
{
    m_server.set("/page", LoopbackResponse::Body("<html>missing</html>", 404));
    EXPECT_EQ(DownloadText(m_server.url("/page"), m_ui), "<html>missing</html>");
    EXPECT_EQ(DownloadText(m_server.url("/nothing-here"), m_ui), "");
    EXPECT_EQ(scratchFiles(), 0);
    EXPECT_TRUE(m_ui.statusHistory.empty());
}

struct SavedButUnreadable
{
    const char* name;
    std::string body;
    std::string problem;
};

TEST_F(Download, SavedFilesTheReaderRefuses)
{
    const std::string shared = SharedStringsXml({});
    const std::string book = SmallWorkbook();
    const std::vector<SavedButUnreadable> cases{
        {"error page", "<html><head><title>404</title></head><body>" + std::string(120, '.') + "</body></html>",
         "not a ZIP archive"},
        {"truncated archive", book.substr(0, book.size() - 30), "not a ZIP archive"},
        {"sheet gap",
         ZipBytes({{"xl/sharedStrings.xml", shared},
                   {"xl/worksheets/sheet1.xml", SheetXml("")},
                   {"xl/worksheets/sheet3.xml", SheetXml("")}}),
         "xl/worksheets/sheet2.xml"},
        {"zip bomb",
         ZipBytes({{"xl/sharedStrings.xml", shared}, {"xl/worksheets/sheet1.xml", "<x/>", true, 1ll << 30}}),
         "more than 256 MB"},
    };
    for (const SavedButUnreadable& c : cases) {
        m_server.set("/Excel_xlsx/5103/lotto_2024.xlsx", LoopbackResponse::Body(c.body));
        const std::string target = m_folder.file("lotto_2024.xlsx");
        EXPECT_EQ(fetch("/Excel_xlsx/5103/lotto_2024.xlsx", target, true), c.body) << c.name;
        CellTable table;
        try {
            ReadWorkbook(target, 12, 2, table);
            ADD_FAILURE() << c.name << " was read";
        } catch (const KarvoError& error) {
            EXPECT_NE(std::string(error.what()).find(c.problem), std::string::npos) << c.name << ": " << error.what();
        }
    }
}
