#include "cli/CommandRunner.h"

#include "cli/DataFolder.h"
#include "cli/ExportCommand.h"
#include "cli/StopSignals.h"
#include "domain/GameNames.h"
#include "domain/ProgramState.h"
#include "market/MarketFiles.h"
#include "tickets/TicketFile.h"
#include "tickets/TicketResults.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/FolderLock.h"
#include "util/Paths.h"
#include "util/ScratchFiles.h"

#include <QFileInfo>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace karvo {

namespace {

// How long an update waits for another one on the same data folder to end.
constexpr std::chrono::minutes kFolderWait{10};

int Fail(Console& console, int status, const std::string& message)
{
    console.err("karvo: " + message + "\n");
    return status;
}

int RunExport(const CommandLine& line, const std::string& folder, const std::string& file, QDate today,
              Console& console)
{
    const std::string text = GameExportText(folder, line.exportGame, FirstYearFor(today.year()));
    if (text.empty()) {
        return Fail(console, kExitFailed, Cp1253ToUtf8(GameName(line.exportGame)) + ": η λίστα είναι άδεια");
    }
    if (line.exportFile == "-") {
        // The file's own bytes, not text for the terminal: straight to the descriptor.
        if (const int error = WriteAll(STDOUT_FILENO, text); error != 0) {
            return Fail(console, kExitFailed,
                        std::string("Δεν ήταν δυνατή η εγγραφή στην έξοδο: ") + std::strerror(error));
        }
        return 0;
    }
    RemoveStaleScratchFilesBeside(file, std::time(nullptr));
    WriteExportFile(file, text);
    return 0;
}

int RunTickets(const CommandLine& line, const std::string& folder, Console& console)
{
    const TicketList list = LoadTickets(folder);
    if (list.readOnly()) {
        return Fail(console, kExitFailed, Cp1253ToUtf8(list.problem));
    }
    std::string text;
    for (const std::string& ticket : TicketLatestLines(folder, line.ticketGame)) {
        text += Cp1253ToUtf8(ticket) + "\n";
    }
    console.out(text);
    return 0;
}

// Takes the data folder's update lock, waiting up to kFolderWait for another update to end
// (not at all with noWait, nor after a stop signal); false, with the reason told, when it could not.
bool WaitForFolder(FolderLock& lock, bool noWait, const std::string& folder, Console& console)
{
    if (lock.tryLock()) {
        return true;
    }
    const std::string busy = "karvo: μια άλλη ενημέρωση τρέχει ήδη στον φάκελο " + Cp1253ToUtf8(folder);
    if (noWait) {
        console.err(busy + "\n");
        return false;
    }
    console.err(busy + "· αναμονή ως " + std::to_string(kFolderWait.count()) + " λεπτά να τελειώσει\n");
    const auto deadline = std::chrono::steady_clock::now() + kFolderWait;
    while (!lock.tryLock()) {
        if (StopRequested()) {
            console.err("karvo: διακοπή πριν αρχίσει η ενημέρωση· δεν έγινε τίποτα\n");
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            console.err("karvo: η άλλη ενημέρωση δεν τελείωσε μέσα σε " + std::to_string(kFolderWait.count())
                        + " λεπτά· δεν έγινε τίποτα\n");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

int RunUpdate(const CommandLine& line, const std::string& folder, QDate today, Console& console)
{
    UpdateAllOptions options;
    options.games = line.games;
    options.wholeHistory = line.wholeHistory;
    // The folders the window makes at start-up, for a folder the window has never opened.
    CreateFolder(folder + kDataFolderName);
    CreateFolder(MarketFolder(folder));
    InstallStopSignals();
    FolderLock lock(folder);
    if (!WaitForFolder(lock, line.noWait, folder, console)) {
        return kExitFailed;
    }
    RemoveStaleUpdateScratch(folder, std::time(nullptr));
    const auto stop = [] {
        if (!StopRequested() && OutputReaderGone()) {
            SetStopRequested(true);
        }
        return StopRequested();
    };
    return RunUpdateCommand(MakeUpdateAllContext(folder, today), options, console, stop, line.quiet, line.notify);
}

} // namespace

int RunCommandLine(const CommandLine& line, QDate today, Console& console)
{
    if (!line.error.empty()) {
        return Fail(console, kExitUsage, line.error + " (δείτε: karvo --help)");
    }
    switch (line.kind) {
    case CommandKind::Help: console.out(UsageText()); return 0;
    case CommandKind::Version: console.out(VersionText()); return 0;
    case CommandKind::Window: return kExitUsage;
    case CommandKind::Update:
    case CommandKind::Export:
    case CommandKind::Tickets: break;
    }
    // The export's file is named from where the program was started, before the folder changes.
    const std::string file = line.kind == CommandKind::Export
        ? PathToSingleByte(QFileInfo(QString::fromUtf8(line.exportFile)).absoluteFilePath().toStdString())
        : std::string();
    if (line.dataFolderGiven && !EnterFolder(QString::fromUtf8(line.dataFolder))) {
        return Fail(console, kExitUsage, "ο φάκελος δεν μπορεί να χρησιμοποιηθεί: " + line.dataFolder);
    }
    try {
        const std::string folder = CurrentFolder();
        switch (line.kind) {
        case CommandKind::Update: return RunUpdate(line, folder, today, console);
        case CommandKind::Tickets: return RunTickets(line, folder, console);
        default: return RunExport(line, folder, file, today, console);
        }
    } catch (const std::exception& error) {
        return Fail(console, kExitFailed, error.what());
    }
}

} // namespace karvo
