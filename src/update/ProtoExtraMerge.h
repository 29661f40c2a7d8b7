// Merging a year's ΠΡΟΤΟ or EXTRA workbook into its slot file. ΠΡΟΤΟ keeps 200 slots a year
// from 1992, filled from the bottom row up; EXTRA keeps one running sequence where a draw's
// slot is its own draw number.
#pragma once

#include "results/ResultsFiles.h"
#include "update/DrawRows.h"
#include "update/MergeResult.h"

#include <string>

namespace karvo {

constexpr int ProtoSlotsPerYear = 200;
// How far past the stored slots a new EXTRA draw may lie.
constexpr int ExtraNewSlots = 12375;

// stored: the unmasked bytes of the file (empty when missing). Neither result is shorter than it.
MergeResult MergeProto(const std::string& stored, const WorkbookRows& rows, int selectedYear, int currentYear);
MergeResult MergeExtra(const std::string& stored, const WorkbookRows& rows);

} // namespace karvo
