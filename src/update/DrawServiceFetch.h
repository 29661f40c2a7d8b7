// Asks the operator's draw service for several games at once, on the program's transfers: at most
// four at a time, each answer within a few MiB, a busy answer (429 or 503) asked again after its
// Retry-After (at most 30 seconds), at most twice. Nothing it reads is ever written to a file.
#pragma once

#include "download/FetchRunner.h"
#include "prizes/DrawService.h"

#include <optional>
#include <string>
#include <vector>

namespace karvo {

struct DrawServiceRequest
{
    GameCode game = GameCode::Lotto;
    int drawId = 0; // 0: the last draw and the active one
};

struct DrawServiceResult
{
    std::optional<NextDraw> next;    // for drawId 0
    std::optional<ServiceDraw> draw; // for a draw asked by its number
    std::string error;               // UTF-8, naming the game; empty when the answer was read
};

DownloadLimits DrawServiceLimits();

// The results in the requests' order. poll, asked while transfers run and while a retry waits,
// stops everything when it answers true: what was not read then has an error.
std::vector<DrawServiceResult> FetchFromDrawService(const std::vector<DrawServiceRequest>& requests,
                                                    const std::string& base = DrawServiceBase(),
                                                    const FetchPoll& poll = {},
                                                    const DownloadLimits& limits = DrawServiceLimits());

} // namespace karvo
