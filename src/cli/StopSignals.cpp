#include "cli/StopSignals.h"

#include <csignal>

namespace karvo {

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

// Only the flag is touched here: a signal handler may do nothing more.
extern "C" void OnStopSignal(int)
{
    g_stopRequested = 1;
}

} // namespace

void InstallStopSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // The handler is removed by its first call: a second Ctrl+C ends a run that does not stop.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopRequested()
{
    return g_stopRequested != 0;
}

void SetStopRequested(bool requested)
{
    g_stopRequested = requested ? 1 : 0;
}

} // namespace karvo
