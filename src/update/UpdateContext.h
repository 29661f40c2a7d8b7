// The world an update works in: program state, the screen, the working folder, today's date,
// the operator's servers and the fetch that reaches them. The program passes the real libcurl
// fetch and the clock's date; tests pass a loopback server's address and a fixed date.
#pragma once

#include "domain/ProgramState.h"
#include "domain/UserInterface.h"
#include "download/Endpoints.h"
#include "download/FetchProgress.h"
#include "download/FetchRunner.h"

#include <QDate>
#include <functional>
#include <string>

namespace karvo {

// Saves the body of url in target (replacing it); false when nothing could be fetched or saved,
// or when poll stopped the fetch.
using ResultFetcher =
    std::function<bool(const std::string& url, const std::string& target, UserInterface& ui, const FetchPoll& poll)>;

struct UpdateContext
{
    ProgramState& state;
    UserInterface& ui;
    std::string folder; // the working folder, ending in "/"
    QDate today;
    OperatorServers servers;
    ResultFetcher fetch;
    FetchProgress* progress = nullptr; // shown while a workbook is fetched; none: nothing cancels
};

// The context the program runs with: the hosts in use and FetchResultFile.
UpdateContext MakeUpdateContext(ProgramState& state, UserInterface& ui, const std::string& folder, QDate today,
                                FetchProgress* progress = nullptr);

// How one game's update ended, for the driver.
struct UpdateResult
{
    bool cancelled = false;   // a choice was cancelled: nothing happened
    bool fetchFailed = false; // the download failed or held nothing: "Error Downloading" stays
    bool showView = true;     // the game's view is to be shown again
};

} // namespace karvo
