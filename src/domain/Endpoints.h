// Where each game's results workbook is published and the local name it is kept under.
// The two hosts are the operator's by default; KARVO_OPAP_WEB_URL and KARVO_OPAP_MEDIA_URL
// point them elsewhere (a mirror, a test server).
#pragma once

#include "domain/Games.h"

#include <string>

namespace karvo {

struct OperatorServers
{
    std::string web;   // pools results, paths under /Excel/
    std::string media; // the other games' workbooks, paths under /Excel_xlsx/
};

// The hosts in use, read from the environment at each call; no trailing "/".
OperatorServers ServersInUse();

struct ResultEndpoint
{
    std::string url;      // empty for a game without a workbook
    std::string fileName; // the operator's file name, letter case kept
};

// year four digits; month 1 to 12, used by the monthly workbooks (SUPER3 and KINO) only.
ResultEndpoint ResultEndpointFor(GameCode game, int year, int month, const OperatorServers& servers);

// Where a downloaded workbook is kept: fileName in the data folder of folder (ending in "/").
std::string LocalResultFile(const std::string& folder, const std::string& fileName);

} // namespace karvo
