// SIGINT and SIGTERM during a command: the first one asks the run to stop as the window's Cancel
// does (nothing new starts, what is under way ends and is stored); a second one ends the program.
#pragma once

namespace karvo {

void InstallStopSignals();

// True once SIGINT or SIGTERM has come.
bool StopRequested();

// For the tests: as if a stop signal had come (true) or none yet (false).
void SetStopRequested(bool requested);

} // namespace karvo
