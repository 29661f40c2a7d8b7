// What the download and update tests share: a loopback server, a working folder, a temporary
// folder of the test's own (TMPDIR) where scratch files can be counted, download limits short
// enough that a dead server is given up within a second, and a LOTTO sheet in the operator's layout.
#pragma once

#include "download/Download.h"
#include "support/LoopbackServer.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"

#include <QDir>
#include <gtest/gtest.h>

namespace karvo::test {

// LOTTO in the operator's layout: four header rows, newest on top, text dates, d % 40 + 1 and 41 to 45.
inline SheetRows LottoSheet(int draws)
{
    SheetRows rows{{"ΚΛΗΡΩΣΕΙΣ LOTTO 2024"}, {}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", ""}};
    for (int d = draws; d >= 1; --d) {
        rows.push_back({std::to_string(d), std::to_string(d % 28 + 1) + "/" + std::to_string(d % 12 + 1) + "/2024",
                        "45", std::to_string(d % 40 + 1), "44", "43", "42", "41", "7", "", ""});
    }
    return rows;
}

class FetchFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(m_temp.path()));
    }
    void TearDown() override { qputenv("TMPDIR", m_oldTemp); }

    void serve(const std::string& path, const std::string& body) { m_server.set(path, LoopbackResponse::Body(body)); }
    std::string file(const std::string& name) const { return ReadBytes(m_folder.file(name)); }
    // Files left in the test's temporary folder.
    int scratchCount() const
    {
        return static_cast<int>(
            QDir(QString::fromStdString(m_temp.path())).entryList(QDir::Files | QDir::Hidden).size());
    }

    LoopbackServer m_server;
    ScriptedUserInterface m_ui;
    TempFolder m_folder;
    TempFolder m_temp;
    QByteArray m_oldTemp;
    DownloadLimits m_limits{2000, 1}; // what every fetch of the test is given
};

} // namespace karvo::test
