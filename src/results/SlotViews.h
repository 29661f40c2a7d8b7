// The views of the masked slot files: LOTTO, GOAL and JOKER, ΠΡΟΤΟ and EXTRA.
#pragma once

#include "results/DrawViews.h"

#include <cstdint>
#include <string>

namespace karvo {

// As every view: folder is the working folder, ending in "/".
DrawView BuildLottoView(const std::string& folder, GameCode game, int firstYear); // LOTTO, GOAL, JOKER
DrawView BuildProtoView(const std::string& folder, int firstYear);
DrawView BuildExtraView(const std::string& folder, int firstYear);

// EXTRA's slot whose record every reader replaces with the draw of 20-01-2020, and that record.
inline constexpr std::int64_t ExtraFixedSlot = 9408;
std::string ExtraFixedDraw();

} // namespace karvo
