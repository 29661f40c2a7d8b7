// The pools' view: one row per stored coupon of the Sunday, Saturday or Wednesday pools.
#pragma once

#include "results/DrawViews.h"

#include <cstdint>
#include <string>

namespace karvo {

// As every view: folder is the working folder, ending in "/".
DrawView BuildPropoView(const std::string& folder, GameCode game, int firstYear); // the three pools

} // namespace karvo
