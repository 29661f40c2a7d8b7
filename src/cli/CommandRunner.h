// Runs a command of the command line (not the window) and gives its exit status.
#pragma once

#include "cli/CommandLine.h"
#include "cli/UpdateCommand.h"

#include <QDate>

namespace karvo {

inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// today: the date the update plans for. Errors go to console.err as "karvo: <Greek text>".
// A data folder given is made and entered; the export's file is taken from where the program
// was started.
int RunCommandLine(const CommandLine& line, QDate today, Console& console);

} // namespace karvo
