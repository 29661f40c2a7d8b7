// The SUPER3 update: from 2023 on the operator publishes one workbook a month; the chosen
// month's workbook is fetched into DATA (unless a whole copy is kept) and opened by the desktop.
// The SUPER3 results file itself is not changed.
#pragma once

#include "update/UpdateContext.h"

#include <cstdint>
#include <string>

namespace karvo {

UpdateResult UpdateSuper3(UpdateContext& context);

// The first year the operator publishes a workbook a month.
inline constexpr int kFirstSuper3Year = 2023;
// A kept copy this large is taken as a whole workbook and not fetched again.
inline constexpr std::int64_t kWholeSuper3Workbook = 999;

// Where the month's workbook is kept in folder's DATA.
std::string Super3Workbook(const std::string& folder, int year, int month);

} // namespace karvo
