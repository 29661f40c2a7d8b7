// What the command line asks for: the window (in a folder) or one of the commands that run
// without it: update, export, the kept tickets, the usage and the version.
#pragma once

#include "domain/Games.h"

#include <optional>
#include <string>
#include <vector>

namespace karvo {

enum class CommandKind { Window, Update, Export, Tickets, Help, Version };

struct CommandLine
{
    CommandKind kind = CommandKind::Window;
    bool dataFolderGiven = false;
    // The folder after --data-folder, as typed; empty for the window's "--data-folder" alone,
    // which means the user's data folder.
    std::string dataFolder;
    std::vector<GameCode> games; // update: in the order given, each once; empty for every game
    bool wholeHistory = false;
    bool quiet = false;  // update: no progress or summary, only failures and ticket wins
    bool noWait = false; // update: fail at once when another update holds the data folder
    bool notify = false; // update: a desktop notification when a kept ticket won
    GameCode exportGame = GameCode::Lotto;
    std::string exportFile;             // as typed; "-": the standard output
    std::optional<GameCode> ticketGame; // tickets: the game named; none for every game
    std::string error;                  // UTF-8, without "karvo: "; not empty when the arguments are bad
};

// arguments: the program's arguments after its name, UTF-8. Arguments the window does not know
// are left to Qt, as before; a command checks all of its own.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage, in Greek (UTF-8), ending in a line break.
std::string UsageText();
// "karvo <version>" and a line break.
std::string VersionText();

} // namespace karvo
