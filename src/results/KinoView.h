// The KINO view of one month file.
#pragma once

#include "results/DrawViews.h"

#include <cstdint>
#include <string>

namespace karvo {

// As every view: folder is the working folder, ending in "/".
// kinoPeriodFile: "Data/kino_yyyy_mm.qav" relative to folder, or empty before any choice.
DrawView BuildKinoView(const std::string& folder, const std::string& kinoPeriodFile);

} // namespace karvo
