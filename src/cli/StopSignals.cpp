#include "cli/StopSignals.h"

#include <csignal>
#include <initializer_list>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // The handler stays: a second signal finds the stop already under way and changes nothing.
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
}

bool OutputReaderGone()
{
    struct stat st;
    if (::fstat(STDOUT_FILENO, &st) != 0 || !S_ISFIFO(st.st_mode)) {
        return false;
    }
    // The write end of a pipe reports POLLERR once no reader is left, without a write.
    pollfd output{STDOUT_FILENO, 0, 0};
    return ::poll(&output, 1, 0) == 1 && (output.revents & POLLERR) != 0;
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
