// Fetches from a loopback server: bodies byte for byte, failures that leave the target as it was,
// and hostile servers given up with a message naming the cause, leaving no scratch file behind.
#include "support/FetchFixture.h"
#include "util/KarvoError.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace karvo;
using namespace karvo::test;

namespace {

const std::string LottoPath = "/Excel_xlsx/5103/lotto_2024.xlsx";
using R = LoopbackResponse;

class Download : public FetchFixture
{
protected:
    // Fetches answer into target, checks the result and that no scratch file is left; the target's bytes.
    std::string fetch(const std::string& path, const R& answer, const std::string& target, bool ok)
    {
        m_server.set(path, answer);
        EXPECT_EQ(FetchResultFile(m_server.baseUrl() + path, target, m_ui, {}, m_limits), ok) << path;
        EXPECT_EQ(scratchCount(), 0) << path;
        return ReadBytes(target);
    }
    // The message of a fetch into target that is given up.
    std::string refusal(const std::string& path, const R& answer, const std::string& target)
    {
        m_server.set(path, answer);
        return ErrorOf([&] { FetchResultFile(m_server.baseUrl() + path, target, m_ui, {}, m_limits); });
    }
    bool exists(const std::string& path) const { return QFile::exists(QString::fromStdString(path)); }
};

} // namespace

TEST_F(Download, BodiesArriveByteForByteOrFailuresLeaveTheTarget)
{
    // Over a write-protected target and through a redirect; then an empty body, headers promising a
    // body that never comes, a body cut short: the target stays, nothing is created.
    const std::string workbook = OperatorWorkbookBytes({LottoSheet(2)});
    const std::string target = m_folder.file("lotto_2025.xlsx");
    WriteBytes(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    serve("/moved/propo.xlsx", "moved body");
    const std::vector<std::tuple<std::string, R, std::string>> cases{
        {LottoPath, R::Body(workbook), workbook},
        {"/propo.xlsx", {"", 302, "/moved/propo.xlsx", false, -1}, "moved body"},
        {"/empty", R::Body(""), ""},
        {"/no-body", R::Body(workbook, 200, 0), ""},
        {"/cut", R::Body(workbook, 200, 100), ""}};
    for (const auto& [path, answer, body] : cases) {
        m_ui.StatusNotice("");
        const std::string before = ReadBytes(target);
        EXPECT_EQ(fetch(path, answer, target, !body.empty()), body.empty() ? before : body);
        EXPECT_EQ(m_ui.status, body.empty() ? "Error Downloading" : "") << path;
        if (body.empty()) {
            EXPECT_EQ(fetch(path, answer, m_folder.file("absent.xlsx"), false), "") << path;
            EXPECT_FALSE(exists(m_folder.file("absent.xlsx"))) << path;
        }
    }
    // The window is painted before each fetch and while it runs.
    EXPECT_GE(m_ui.pendingEventRuns, 8);
    // A refused connection fails; the next works.
    EXPECT_FALSE(FetchResultFile(LoopbackServer().baseUrl() + "/gone", target, m_ui, {}, m_limits));
    EXPECT_EQ(fetch("/alive", R::Body("next"), target, true), "next");
}

TEST_F(Download, OversizedTricklingAndSilentServersAreGivenUpLeavingNothing)
{
    // A 64 KiB limit and a floor of 1 KiB/s over one second stand for 64 MiB and one minute.
    m_limits = {2000, 1, 1024, 1 << 16};
    const std::string target = m_folder.file("lotto_2025.xlsx");
    WriteBytes(target, "old");
    const std::string tooLarge = "ξεπερνά τα 65.536 bytes που δέχεται το πρόγραμμα. Δεν κρατήθηκε τίποτα: ";
    const std::string tooSlow = "έστελνε λιγότερα από 1.024 bytes το δευτερόλεπτο επί 1 δευτερόλεπτα. Δεν κρατήθηκε";
    R endless = R::Body(std::string(4096, 'x')), trickle = endless;
    endless.endless = true;
    trickle.trickleMs = 100; // 160 bytes a second
    const std::vector<std::tuple<std::string, R, std::string>> cases{
        {"/announced", R::Body(std::string((1 << 16) + 1, 'x')), tooLarge},
        {"/endless", endless, tooLarge},
        {"/trickle", trickle, tooSlow},
        {"/silent", {"", 200, "", true, -1}, tooSlow},
    };
    for (const auto& [path, answer, message] : cases) {
        const std::string shown = refusal(path, answer, target);
        EXPECT_NE(shown.find(message), std::string::npos) << path << ": " << shown;
        EXPECT_NE(shown.find(m_server.baseUrl() + path), std::string::npos) << shown;
        EXPECT_EQ(ReadBytes(target), "old") << path;
        EXPECT_EQ(scratchCount(), 0) << path;
    }
    // A body of exactly the limit arrives whole.
    EXPECT_EQ(fetch("/full", R::Body(std::string(1 << 16, 'y')), target, true), std::string(1 << 16, 'y'));
}

TEST_F(Download, BodyThatCannotBeSavedNamesTheFolder)
{
    // A target under a regular file: its folder cannot hold it.
    const std::string blocker = m_folder.file("blocker");
    WriteBytes(blocker, "x");
    const std::string cannot = "Η λήψη ολοκληρώθηκε, αλλά δεν ήταν δυνατή η εγγραφή στον φάκελο ";
    EXPECT_EQ(refusal("/j", R::Body("new"), blocker + "/lotto_2024.xlsx"), cannot + blocker + ": Not a directory");
    EXPECT_EQ(ReadBytes(blocker), "x");
    // A body larger than the files this process may write: the scratch file in the temporary folder.
    const std::string temp = m_temp.path().substr(0, m_temp.path().size() - 1);
    std::string shown;
    WithFileSizeLimit(1000,
                      [&] { shown = refusal("/big", R::Body(std::string(5000, 'b')), m_folder.file("big.xlsx")); });
    EXPECT_EQ(shown, cannot + temp + ": File too large");
    EXPECT_EQ(scratchCount(), 0);
    EXPECT_FALSE(exists(m_folder.file("big.xlsx")));
}
