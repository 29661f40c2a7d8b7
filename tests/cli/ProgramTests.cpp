// The built program run as the user's shell runs it: no display at all, the operator's servers on
// 127.0.0.1, the exit status and the lines it prints; SIGTERM stops a run as Cancel does.
#include "results/ResultsFiles.h"
#include "stats/TicketFile.h"
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "util/Files.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>

using namespace karvo;
using namespace karvo::test;

namespace {

struct Finished
{
    int status = -1;
    std::string out;
    std::string err;
    qint64 msAfterSignal = -1;
};

// Only PATH, and the sanitizers' settings where the test run has them.
QProcessEnvironment BareEnvironment()
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    for (const char* variable : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        if (qEnvironmentVariableIsSet(variable)) {
            environment.insert(QString::fromLatin1(variable), qEnvironmentVariable(variable));
        }
    }
    return environment;
}

// Runs the program in the given environment and start folder. With signalAfterFirstLine,
// SIGTERM goes once the first line is out.
Finished RunIn(const QProcessEnvironment& environment, const QStringList& arguments, const std::string& startFolder,
               bool signalAfterFirstLine = false)
{
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // QProcess wants one
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(startFolder));
    program.start(QStringLiteral(KARVO_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForStarted());
    Finished finished;
    QElapsedTimer sinceSignal;
    if (signalAfterFirstLine) {
        while (!program.canReadLine() && program.state() == QProcess::Running) {
            program.waitForReadyRead(50);
        }
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        sinceSignal.start();
    }
    EXPECT_TRUE(program.waitForFinished(30000));
    finished.msAfterSignal = sinceSignal.isValid() ? sinceSignal.elapsed() : -1;
    finished.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    finished.out = program.readAllStandardOutput().toStdString();
    finished.err = program.readAllStandardError().toStdString();
    return finished;
}

// Runs the program with only PATH, HOME, LANG=C and the servers set: no DISPLAY, WAYLAND_DISPLAY
// or QT_QPA_PLATFORM.
Finished RunProgram(const QStringList& arguments, const std::string& server, const std::string& home,
                    bool signalAfterFirstLine = false, const std::string& startFolder = {})
{
    QProcessEnvironment environment = BareEnvironment();
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(home));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    for (const char* variable : {"KARVO_OPAP_WEB_URL", "KARVO_OPAP_MEDIA_URL", "KARVO_STOCK_URL", "KARVO_FUNDS_URL"}) {
        environment.insert(QString::fromLatin1(variable), QString::fromStdString(server));
    }
    return RunIn(environment, arguments, startFolder.empty() ? home : startFolder, signalAfterFirstLine);
}

class Program : public ::testing::Test
{
protected:
    test::TempFolder folder;
    LoopbackServer server;
    const int year = QDate::currentDate().year();
    const std::string lottoPath = "/Excel_xlsx/5103/lotto_" + std::to_string(year) + ".xlsx";

    // One LOTTO draw stored on 2 January this year: the update fetches this year alone.
    void storeLottoDraw() { WriteMaskedFile(folder.file("LOTTO.krv"), Slot(2, 1, year, {3, 9, 17, 22, 40, 2})); }
    void serveLottoYear()
    {
        SheetRows rows = {{"ΚΛΗΡΩΣΕΙΣ LOTTO"}, {""}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", "", "1ος"}};
        for (int d = 4; d >= 1; --d) {
            rows.push_back({std::to_string(100 + d), std::to_string(d) + "/1/" + std::to_string(year), "40", "3", "22",
                            "17", "9", std::to_string(d)});
        }
        server.set(lottoPath, LoopbackResponse::Body(OperatorWorkbookBytes({rows})));
    }
    QStringList inFolder(QStringList arguments)
    {
        return arguments << QStringLiteral("--data-folder") << QString::fromStdString(folder.path());
    }
};

TEST_F(Program, UpdatePrintsItsStepsWithoutADisplayThenTheTicketsWinsOfTheNewDraws)
{
    storeLottoDraw();
    serveLottoYear();
    // A ticket file that cannot be read is told under the heading; the status stays 0.
    WriteBytes(folder.file("tickets.json"), "{");
    Finished run = RunProgram(inFolder({"update", "lotto"}), server.baseUrl(), folder.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(server.requestCount(lottoPath), 1);
    EXPECT_NE(run.out.find("LOTTO          " + std::to_string(year) + "        1/1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nLOTTO: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nΤα δελτία μου:\nΤο αρχείο " + folder.file("tickets.json")), std::string::npos) << run.out;

    // The same update again with a ticket kept: the draws of 3 and 4 January are new; the one of
    // 1 January, the ticket's best, came in too but is older than the last one stored before.
    storeLottoDraw();
    TicketList list;
    std::string message;
    list.tickets.resize(1);
    ASSERT_TRUE(MakeKeptTicket(GameCode::Lotto, W("Σπίτι"), "1 3 9 17 22 40", 0, list.tickets[0], message));
    WriteBytes(folder.file("tickets.json"), TicketFileBytes(list.tickets));
    run = RunProgram(inFolder({"update", "lotto"}), server.baseUrl(), folder.path());
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string y = std::to_string(year);
    const std::string told = "\n\nΤα δελτία μου:\nLOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 03-01-" + y
        + "\nLOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 04-01-" + y + "\n";
    EXPECT_TRUE(run.out.ends_with(told)) << run.out;

    // Nothing new: no heading.
    run = RunProgram(inFolder({"update", "lotto"}), server.baseUrl(), folder.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Τα δελτία μου"), std::string::npos) << run.out;
}

TEST_F(Program, AFailedGameEndsWithStatusOne)
{
    storeLottoDraw(); // the server has no workbook for this year: 404
    const std::string before = ReadBytes(folder.file("LOTTO.krv"));
    const Finished run = RunProgram(inFolder({"update", "LOTTO"}), server.baseUrl(), folder.path());
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_EQ(ReadBytes(folder.file("LOTTO.krv")), before);
}

TEST_F(Program, AnUnknownGameOrFolderEndsWithStatusTwo)
{
    WriteBytes(folder.file("plain"), "a file");
    for (const QStringList& arguments :
         {inFolder({"update", "lottery"}),
          QStringList{"update", "--data-folder", QString::fromStdString(folder.file("plain"))}}) {
        const Finished run = RunProgram(arguments, server.baseUrl(), folder.path());
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind("karvo: ", 0), 0u) << run.err;
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(Program, AnEnvironmentWithoutUtf8LocaleGetsOnlyItsOwnLineInUtf8)
{
    // As cron and systemd start programs: no LANG at all, or the C locale by any of its names.
    const std::vector<std::pair<QString, QString>> settings{
        {}, {"LANG", "C"}, {"LANG", "POSIX"}, {"LC_ALL", "C"}, {"LANG", "xx_XX.UTF-8"}};
    for (const auto& [variable, value] : settings) {
        QProcessEnvironment environment = BareEnvironment();
        if (!variable.isEmpty()) {
            environment.insert(variable, value);
        }
        const Finished run = RunIn(environment, {"update", "nosuchgame"}, folder.path());
        const std::string context = (variable + "=" + value).toStdString();
        EXPECT_EQ(run.status, 2) << context;
        EXPECT_EQ(run.out, "") << context;
        // One line, Greek in UTF-8, and nothing of Qt's.
        EXPECT_EQ(run.err.rfind("karvo: ", 0), 0u) << context << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << context << run.err;
        EXPECT_EQ(QString::fromUtf8(run.err).toUtf8().toStdString(), run.err) << context;
        EXPECT_NE(run.err.find("nosuchgame"), std::string::npos) << context << run.err;
    }
}

TEST_F(Program, ExportNamesItsFileFromWhereItStartsAndReadsTheDataFolder)
{
    CreateFolder(folder.file("data"));
    CreateFolder(folder.file("start"));
    WriteMaskedFile(folder.file("data/LOTTO.krv"), Slot(2, 1, year, {3, 9, 17, 22, 40, 2}));
    const Finished run =
        RunProgram({"export", "Lotto", "out.xls", "--data-folder", QString::fromStdString(folder.file("data"))},
                   server.baseUrl(), folder.path(), false, folder.file("start"));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string written = ReadBytes(folder.file("start/out.xls"));
    EXPECT_NE(written.find("03 09 17 22 40"), std::string::npos) << written;
    EXPECT_EQ(FileSizeOf(folder.file("data/out.xls")), 0);
}

TEST_F(Program, HelpAndVersionNeedNoDisplay)
{
    const Finished help = RunProgram({"--help"}, server.baseUrl(), folder.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Χρήση:\n", 0), 0u);
    EXPECT_NE(help.out.find("karvo update [--all | ΠΑΙΧΝΙΔΙ...]"), std::string::npos);
    const Finished version = RunProgram({"--version"}, server.baseUrl(), folder.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "karvo " KARVO_VERSION "\n");
}

TEST_F(Program, SigtermStopsTheRunAsCancelDoes)
{
    // STOCK with nothing stored: a month of weekdays, each answer a second late.
    server.setDelay(std::chrono::milliseconds(1000));
    const Finished run = RunProgram(inFolder({"update", "stock"}), server.baseUrl(), folder.path(), true);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.err.find("διακοπή"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("STOCK: "), std::string::npos) << run.out;
    EXPECT_LT(run.msAfterSignal, 5000);
    EXPECT_LT(static_cast<int>(server.requests().size()), 15);
}

} // namespace
