#include "cli/CommandRunner.h"

#include "cli/DataFolder.h"
#include "cli/ExportCommand.h"
#include "cli/StopSignals.h"
#include "domain/GameNames.h"
#include "domain/ProgramState.h"
#include "market/MarketFiles.h"
#include "stats/TicketFile.h"
#include "stats/TicketResults.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Markup.h"

#include <QFileInfo>

namespace karvo {

namespace {

int Fail(Console& console, int status, const std::string& message)
{
    console.err("karvo: " + message + "\n");
    return status;
}

int RunExport(const CommandLine& line, const std::string& folder, const std::string& file, QDate today,
              Console& console)
{
    if (!ExportGameList(folder, line.exportGame, FirstYearFor(today.year()), file)) {
        return Fail(console, kExitFailed, Cp1253ToUtf8(GameName(line.exportGame)) + ": η λίστα είναι άδεια");
    }
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

int RunUpdate(const CommandLine& line, const std::string& folder, QDate today, Console& console)
{
    UpdateAllOptions options;
    options.games = line.games;
    options.wholeHistory = line.wholeHistory;
    // The folders the window makes at start-up, for a folder the window has never opened.
    CreateFolder(folder + "Data");
    CreateFolder(MarketFolder(folder));
    InstallStopSignals();
    return RunUpdateCommand(MakeUpdateAllContext(folder, today), options, console, [] { return StopRequested(); });
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
