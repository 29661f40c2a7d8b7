// The update button of the draw games: asks for the year, the KINO month or the SUPER3 month,
// runs the chosen step as a one-game plan through the same sources as the update of every game,
// and tells the window what to show next. The market games ask for their days in the market
// library; the window runs that update itself.
#pragma once

#include "update/UpdateContext.h"

#include <optional>

namespace karvo {

inline constexpr const char* DownloadErrorNotice = "Error Downloading";
// "Διακόπηκε από τον χρήστη.", shown when the user cancelled the fetch.
std::string CancelledNoticeText();

struct UpdateOutcome
{
    std::optional<GameCode> viewGame; // the game whose view is to be built again, if any
    bool clearNotice = false;         // clear the status notice once the view is shown; false keeps
                                      // "Error Downloading" (and any notice) even where a view would clear it
};

// The years offered, oldest first: "  ΕΤΟΣ 2017  " and on; the chosen item i stands for 2016 + i.
// A failed or too small download leaves "Error Downloading" in the status bar, a cancelled one
// says so; an out-of-format workbook is refused with a warning and nothing is written. A
// KarvoError (a file that cannot be read or written, an answer that is no workbook, a transfer
// stopped by a limit) ends the click: it leaves this function and nothing is written.
UpdateOutcome RunUpdate(UpdateContext& context);

} // namespace karvo
