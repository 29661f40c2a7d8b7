// The SUPER3 view and the day of each SUPER3 draw.
#pragma once

#include "results/DrawViews.h"

#include <cstdint>
#include <string>

class QDate;

namespace karvo {

// As every view: folder is the working folder, ending in "/".
DrawView BuildSuper3View(const std::string& folder, int firstYear);

// The day of SUPER3 draw n (from 1): the game ran two, then three, then ten draws a day.
QDate Super3DrawDate(std::int64_t n);

} // namespace karvo
