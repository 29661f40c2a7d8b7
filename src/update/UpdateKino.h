// The KINO update: the user picks a month from November 2003 to the current one; its month
// file is built from the operator's monthly workbook unless it is kept already (the current
// month is always fetched again).
#pragma once

#include "update/UpdateContext.h"

namespace karvo {

// Sets state.SelectedYear and state.KinoPeriodFile to the chosen month. showView is false on
// cancel and when the month could not be fetched or read.
UpdateResult UpdateKino(UpdateContext& context);

} // namespace karvo
