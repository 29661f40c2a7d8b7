// The update button of the draw games: asks for the year (or lets the game ask for its period),
// runs the current game's update and tells the window what to show next. The market games ask
// for their days in the market library; the window runs that update itself.
#pragma once

#include "update/UpdateContext.h"

#include <optional>

namespace karvo {

struct UpdateOutcome
{
    std::optional<GameCode> viewGame; // the game whose view is to be built again, if any
    bool clearNotice = false;         // clear the status notice once the view is shown; false keeps
                                      // "Error Downloading" (and any notice) even where a view would clear it
};

// The years offered, oldest first: "  ΕΤΟΣ 2017  " and on; the chosen item i stands for 2016 + i.
// A KarvoError (a download that is no workbook, a file that cannot be written) ends the click:
// it leaves this function, nothing is written, and the notice stays.
UpdateOutcome RunUpdate(UpdateContext& context);

} // namespace karvo
