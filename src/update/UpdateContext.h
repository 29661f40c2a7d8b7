// The world an update works in: program state, the screen, the working folder, today's date,
// the operator's servers and the fetch that reaches them. The program passes the real libcurl
// fetch and the clock's date; tests pass a loopback server's address and a fixed date.
#pragma once

#include "download/Endpoints.h"
#include "util/ProgramState.h"
#include "util/UserInterface.h"

#include <QDate>
#include <functional>
#include <string>

namespace karvo {

// Saves the body of url in target (replacing it); false when nothing could be fetched or saved.
using ResultFetcher = std::function<bool(const std::string& url, const std::string& target, UserInterface& ui)>;

struct UpdateContext
{
    ProgramState& state;
    UserInterface& ui;
    std::string folder; // the working folder, ending in "/"
    QDate today;
    OperatorServers servers;
    ResultFetcher fetch;
};

// The context the program runs with: the hosts in use and FetchResultFile.
UpdateContext MakeUpdateContext(ProgramState& state, UserInterface& ui, const std::string& folder, QDate today);

// How one game's update ended, for the driver.
struct UpdateResult
{
    bool cancelled = false;   // a choice was cancelled: nothing happened
    bool fetchFailed = false; // the download failed or held nothing: "Error Downloading" stays
    bool showView = true;     // the game's view is to be shown again
};

} // namespace karvo
