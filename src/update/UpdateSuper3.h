// The SUPER3 update: from 2023 on the operator publishes one workbook a month; the chosen
// month's workbook is fetched into DATA (unless a whole copy is kept) and opened by the desktop.
// The SUPER3 results file itself is not changed.
#pragma once

#include "update/UpdateContext.h"

namespace karvo {

UpdateResult UpdateSuper3(UpdateContext& context);

} // namespace karvo
