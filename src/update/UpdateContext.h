// The world the update button works in: program state, the screen, the working folder, today's
// date, the operator's servers and the limits of a transfer. The program passes the servers in
// use and the clock's date; tests pass a loopback server's address and a fixed date.
#pragma once

#include "domain/Endpoints.h"
#include "domain/ProgramState.h"
#include "domain/UserInterface.h"
#include "download/FetchProgress.h"
#include "download/FetchRunner.h"

#include <QDate>
#include <string>

namespace karvo {

struct UpdateContext
{
    ProgramState& state;
    UserInterface& ui;
    std::string folder; // the working folder, ending in "/"
    QDate today;
    OperatorServers servers;
    DownloadLimits limits;
    FetchProgress* progress = nullptr; // shown while a workbook is fetched; none: nothing cancels
};

// The context the program runs with: the servers in use and the program's limits.
UpdateContext MakeUpdateContext(ProgramState& state, UserInterface& ui, const std::string& folder, QDate today,
                                FetchProgress* progress = nullptr);

} // namespace karvo
