// The built program run as the user's shell runs it: no display at all, the operator's servers on
// 127.0.0.1, the exit status and the lines it prints; SIGTERM stops a run as Cancel does.
#include "cli/CommandRunner.h"
#include "results/ResultsFiles.h"
#include "support/LoopbackServer.h"
#include "support/TestSupport.h"
#include "support/WorkbookWriter.h"
#include "tickets/TicketFile.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/FolderLock.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QProcess>
#include <QThread>
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

// Runs the program in the given environment and start folder. After afterMs, when given, it is
// sent the signals, 50 ms apart. A run must end within 30 seconds of them: far from the
// milliseconds a stop takes and from the 60-second stall of a transfer left to run.
Finished RunIn(const QProcessEnvironment& environment, const QStringList& arguments, const std::string& startFolder,
               int afterMs = -1, const std::vector<int>& stopSignals = {},
               const QString& executable = QStringLiteral(KARVO_PROGRAM))
{
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv); // QProcess wants one
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(startFolder));
    program.start(executable, arguments);
    EXPECT_TRUE(program.waitForStarted());
    if (afterMs >= 0) {
        program.waitForFinished(afterMs);
    }
    for (const int signal : stopSignals) {
        // A second signal may find the run already ended; its pid is then no longer ours to signal.
        if (program.state() == QProcess::Running) {
            ::kill(static_cast<pid_t>(program.processId()), signal);
            program.waitForFinished(50);
        }
    }
    EXPECT_TRUE(program.state() == QProcess::NotRunning || program.waitForFinished(30000));
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            program.readAllStandardOutput().toStdString(), program.readAllStandardError().toStdString()};
}

// Only PATH, HOME, LANG=C, TMPDIR (home's "tmp", made here) and the servers: no DISPLAY,
// WAYLAND_DISPLAY or QT_QPA_PLATFORM.
QProcessEnvironment ProgramEnvironment(const std::string& server, const std::string& home)
{
    QProcessEnvironment environment = BareEnvironment();
    environment.insert(QStringLiteral("HOME"), QString::fromStdString(home));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    CreateFolder(home + "tmp");
    environment.insert(QStringLiteral("TMPDIR"), QString::fromStdString(home + "tmp"));
    for (const char* variable : {"KARVO_OPAP_WEB_URL", "KARVO_OPAP_MEDIA_URL", "KARVO_STOCK_URL", "KARVO_FUNDS_URL"}) {
        environment.insert(QString::fromLatin1(variable), QString::fromStdString(server));
    }
    return environment;
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
    // trickleMs: the answer goes out 16 bytes at a time, this far apart.
    void serveLottoYear(int trickleMs = 0)
    {
        SheetRows rows = {{"ΚΛΗΡΩΣΕΙΣ LOTTO"}, {""}, {"Κλήρωση", "Ημ/νία", "Αριθμοί"}, {"", "", "1ος"}};
        for (int d = 4; d >= 1; --d) {
            rows.push_back({std::to_string(100 + d), std::to_string(d) + "/1/" + std::to_string(year), "40", "3", "22",
                            "17", "9", std::to_string(d)});
        }
        LoopbackResponse answer = LoopbackResponse::Body(OperatorWorkbookBytes({rows}));
        answer.trickleMs = trickleMs;
        server.set(lottoPath, answer);
    }
    // LOTTO «Σπίτι» 1 3 9 17 22 40 kept: five of the served draws' numbers.
    void keepTicket()
    {
        TicketList list;
        std::string message;
        list.tickets.resize(1);
        ASSERT_TRUE(MakeKeptTicket(GameCode::Lotto, W("Σπίτι"), "1 3 9 17 22 40", 0, list.tickets[0], message));
        WriteBytes(folder.file("tickets.json"), TicketFileBytes(list.tickets));
    }
    QStringList inFolder(QStringList arguments)
    {
        return arguments << QStringLiteral("--data-folder") << QString::fromStdString(folder.path());
    }
    // The program against this test's server, with the scratch folder as its home.
    Finished runKarvo(const QStringList& arguments, const std::string& startFolder = {}, int afterMs = -1,
                      const std::vector<int>& stopSignals = {})
    {
        return RunIn(ProgramEnvironment(server.baseUrl(), folder.path()), arguments,
                     startFolder.empty() ? folder.path() : startFolder, afterMs, stopSignals);
    }
};

TEST_F(Program, UpdatePrintsItsStepsWithoutADisplayThenTheTicketsWinsOfTheNewDraws)
{
    storeLottoDraw();
    serveLottoYear();
    // A ticket file that cannot be read goes to the error stream and fails the run; the update is done.
    WriteBytes(folder.file("tickets.json"), "{");
    Finished run = runKarvo(inFolder({"update", "lotto"}));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(server.requestCount(lottoPath), 1);
    EXPECT_NE(run.out.find("LOTTO          " + std::to_string(year) + "        1/1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nLOTTO: 4 νέες κληρώσεις"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Τα δελτία μου:"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.rfind("karvo: Το αρχείο " + folder.file("tickets.json"), 0), 0u) << run.err;

    // The same update again with a ticket kept: the draws of 3 and 4 January are new; the one of
    // 1 January, the ticket's best, came in too but is older than the last one stored before.
    storeLottoDraw();
    keepTicket();
    // No session bus for a notification: none is sent, and nothing is said of it.
    run = runKarvo(inFolder({"update", "lotto", "--notify"}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string y = std::to_string(year);
    const std::string told = "\n\nΤα δελτία μου:\nLOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 03-01-" + y
        + "\nLOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 04-01-" + y + "\n";
    EXPECT_TRUE(run.out.ends_with(told)) << run.out;

    // Nothing new: no heading.
    run = runKarvo(inFolder({"update", "lotto"}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Τα δελτία μου"), std::string::npos) << run.out;
}

TEST_F(Program, NotifyTellsTheTicketsWinsOfARunAllInOneNotification)
{
    storeLottoDraw();
    serveLottoYear();
    keepTicket();
    qputenv("KARVO_OPAP_MEDIA_URL", QByteArray::fromStdString(server.baseUrl()));
    const QString startFolder = QDir::currentPath(); // the command enters the data folder
    std::string out;
    std::vector<std::pair<std::string, std::string>> sent;
    Console console{[&out](std::string_view text) { out += text; }, [&out](std::string_view text) { out += text; },
                    [&sent](const std::string& title, const std::string& body) { sent.emplace_back(title, body); }};
    const auto update = [&](std::vector<std::string> arguments) {
        return RunCommandLine(ParseCommandLine(arguments), QDate::currentDate(), console);
    };
    EXPECT_EQ(update({"update", "lotto", "--quiet", "--data-folder", folder.path()}), 0) << out;
    EXPECT_TRUE(sent.empty()); // not asked for
    storeLottoDraw();
    EXPECT_EQ(update({"update", "lotto", "--quiet", "--notify", "--data-folder", folder.path()}), 0) << out;
    const std::string y = std::to_string(year);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].first, "Karvo: κέρδη δελτίων");
    EXPECT_EQ(sent[0].second,
              "LOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 03-01-" + y
                  + "\nLOTTO «Σπίτι»: 5 επιτυχίες στην κλήρωση της 04-01-" + y);
    // Nothing new, nothing won: no notification.
    EXPECT_EQ(update({"update", "lotto", "--quiet", "--notify", "--data-folder", folder.path()}), 0) << out;
    EXPECT_EQ(sent.size(), 1u);
    qunsetenv("KARVO_OPAP_MEDIA_URL");
    QDir::setCurrent(startFolder);
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
        runKarvo({"export", "Lotto", "out.xls", "--data-folder", QString::fromStdString(folder.file("data"))},
                 folder.file("start"));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string written = ReadBytes(folder.file("start/out.xls"));
    EXPECT_NE(written.find("03 09 17 22 40"), std::string::npos) << written;
    EXPECT_EQ(FileSizeOf(folder.file("data/out.xls")), 0);
    // "-": the same bytes on the standard output.
    const Finished piped =
        runKarvo({"export", "Lotto", "-", "--data-folder", QString::fromStdString(folder.file("data"))});
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, written);
}

TEST_F(Program, HelpAndVersionNeedNoDisplay)
{
    const Finished help = runKarvo({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Χρήση:\n", 0), 0u);
    EXPECT_NE(help.out.find("karvo update [--all | ΠΑΙΧΝΙΔΙ...]"), std::string::npos);
    const Finished version = runKarvo({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "karvo " KARVO_VERSION "\n");
}

TEST_F(Program, StopSignalsAbortTheTransfersAtOnceAndLeaveNoScratch)
{
    // LOTTO's workbook never comes; the run is run while it waits for it, once, twice, by a
    // closed terminal. Nothing is stored, no scratch file stays, and the summary says so.
    storeLottoDraw();
    const std::string before = ReadBytes(folder.file("LOTTO.krv"));
    server.set(lottoPath, {"", 200, "", true, -1});
    for (const std::vector<int>& sent : {std::vector<int>{SIGTERM}, {SIGINT, SIGINT}, {SIGHUP, SIGTERM}}) {
        const Finished run = runKarvo(inFolder({"update", "lotto"}), {}, 1500, sent);
        EXPECT_EQ(run.status, 1) << run.out << run.err;
        EXPECT_NE(run.err.find("karvo: διακοπή"), std::string::npos) << run.err;
        EXPECT_NE(run.out.find("LOTTO: διακόπηκε\n"), std::string::npos) << run.out;
        EXPECT_EQ(ReadBytes(folder.file("LOTTO.krv")), before);
        EXPECT_TRUE(ListFiles(folder.file("tmp/*"), ListKinds::Both).empty());
        EXPECT_TRUE(ListFiles(folder.file(".karvo-*"), ListKinds::Both).empty());
    }
    EXPECT_EQ(server.requestCount(lottoPath), 3);
}

TEST_F(Program, AClosedOutputStopsTheRunAsCancelDoes)
{
    // As "karvo update --all | head -1": the reader leaves after the first line. LOTTO has last
    // year and this one to fetch, this one slowly; JOKER's server never answers. The program is
    // not killed by SIGPIPE: its next line fails, the run stops, JOKER's transfers are aborted and
    // no scratch file stays.
    WriteMaskedFile(folder.file("LOTTO.krv"), Slot(2, 1, year - 1, {3, 9, 17, 22, 40, 2}));
    serveLottoYear(5);
    server.set("/Excel_xlsx/5103/lotto_" + std::to_string(year - 1) + ".xlsx",
               LoopbackResponse::Body(OperatorWorkbookBytes({{{"ΚΛΗΡΩΣΕΙΣ LOTTO"}}})));
    for (int joker = 1997; joker <= year; ++joker) {
        server.set("/Excel_xlsx/5104/Joker_" + std::to_string(joker) + ".xlsx", {"", 200, "", true, -1});
    }
    // The shell's pipe, as a crontab or a terminal makes it; its status is the program's. It ends
    // within RunIn's wait, not at JOKER's stall of 60 seconds.
    const Finished run = RunIn(ProgramEnvironment(server.baseUrl(), folder.path()),
                               {"-c", "\"$0\" \"$@\" | head -1; exit ${PIPESTATUS[0]}", KARVO_PROGRAM, "update",
                                "lotto", "joker", "--data-folder", QString::fromStdString(folder.path())},
                               folder.path(), -1, {}, "/bin/bash");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "LOTTO          " + std::to_string(year - 1) + "        1/2\n");
    EXPECT_TRUE(ListFiles(folder.file("tmp/*"), ListKinds::Both).empty());
}

TEST_F(Program, QuietRunsTellOnlyFailuresAndTheCauseNamesTheServer)
{
    storeLottoDraw();
    serveLottoYear();
    // JOKER's server refuses the connection: named with its host on the error stream, one line.
    QProcessEnvironment environment = ProgramEnvironment(server.baseUrl(), folder.path());
    const std::string refused = "127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort());
    environment.insert(QStringLiteral("KARVO_OPAP_MEDIA_URL"), QString::fromStdString("http://" + refused));
    environment.insert(QStringLiteral("KARVO_OPAP_WEB_URL"), QString::fromStdString(server.baseUrl()));
    const Finished run = RunIn(environment, inFolder({"update", "--quiet", "propo-sun", "joker"}), folder.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err; // JOKER and ΠΡΟΠΟ (404)
    EXPECT_NE(run.err.find("karvo: JOKER: απέτυχε: Η λήψη του "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("ο διακομιστής " + refused + " αρνήθηκε τη σύνδεση"), std::string::npos) << run.err;
}

TEST_F(Program, OneUpdateAtATimePerFolder)
{
    storeLottoDraw();
    serveLottoYear();
    // A window's update holds the folder: --no-wait gives up at once.
    {
        FolderLock window(folder.path());
        ASSERT_TRUE(window.tryLock());
        const Finished refused = runKarvo(inFolder({"update", "--no-wait", "lotto"}));
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.err.find("μια άλλη ενημέρωση τρέχει ήδη"), std::string::npos) << refused.err;
        EXPECT_EQ(server.requests().size(), 0u);
    }
    // Two runs at once, the first slowed by its server: the second says it waits, fetches nothing
    // meanwhile, then finds the year stored and stores nothing twice.
    server.setDelay(std::chrono::milliseconds(4000));
    QProcess first;
    QProcess second;
    for (QProcess* run : {&first, &second}) {
        run->setProcessEnvironment(ProgramEnvironment(server.baseUrl(), folder.path()));
        run->start(QStringLiteral(KARVO_PROGRAM), inFolder({"update", "lotto"}));
        ASSERT_TRUE(run->waitForStarted());
        // The second starts once the first holds the folder.
        for (int i = 0; i < 500 && FolderLock(folder.path()).tryLock(); ++i) {
            QThread::msleep(10);
        }
    }
    second.setReadChannel(QProcess::StandardError);
    QByteArray said;
    while (second.state() == QProcess::Running && !said.contains("αναμονή")) {
        second.waitForReadyRead(50);
        said += second.readAllStandardError();
    }
    EXPECT_TRUE(said.contains("αναμονή")) << said.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_NE(first.readAllStandardOutput().toStdString().find("LOTTO: 4 νέες κληρώσεις"), std::string::npos);
    EXPECT_NE(second.readAllStandardOutput().toStdString().find("LOTTO: ενημερωμένο, τίποτα νέο"), std::string::npos);
    EXPECT_EQ(server.requests().size(), 2u);
}

} // namespace
