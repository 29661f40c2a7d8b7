// SIGINT, SIGTERM and SIGHUP (a closed terminal or ssh session) during a command ask the run to
// stop as the window's Cancel does: the transfers under way are aborted at once and what was
// stored stays. Another such signal changes nothing. SIGPIPE is ignored: a write to a closed pipe
// fails instead, and the console then asks for the same stop.
#pragma once

namespace karvo {

void InstallStopSignals();

// True once a stop signal has come, or a stop was requested.
bool StopRequested();

// True when the standard output is a pipe whose reader has gone ("| head -1"): nothing the run
// still prints would reach anyone, so it stops as it would on the next failed write.
bool OutputReaderGone();

// As if a stop signal had come (true), as when the output can no longer be written; false: none
// yet (for the tests).
void SetStopRequested(bool requested);

} // namespace karvo
