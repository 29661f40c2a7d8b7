// The fetch step every update shares: the wait notice, the download into DATA, and the size test
// that tells a workbook worth reading from an empty or error answer.
#pragma once

#include "update/UpdateContext.h"

#include <cstdint>
#include <string>

namespace karvo {

inline constexpr const char* DownloadErrorNotice = "Error Downloading";
// "Διακόπηκε από τον χρήστη.", shown when the user cancelled the fetch.
std::string CancelledNoticeText();
// A saved answer smaller than this holds no workbook.
inline constexpr std::int64_t SmallestWorkbook = 99;

struct FetchedFile
{
    std::string path;       // the local copy in DATA
    bool fetched = false;   // the download succeeded
    bool readable = false;  // the local copy (new or kept) is large enough to read
    bool cancelled = false; // the user cancelled the download: nothing is to be read
};

// Fetches the workbook of game for year (and month) into DATA, showing context.progress while it
// lasts. A failed download keeps the copy of an earlier update, if any; then, and when the copy
// has fewer than smallest bytes, the status notice says "Error Downloading". A cancelled one
// keeps the copy too, says so in the notice and counts as not readable.
FetchedFile FetchWorkbook(UpdateContext& context, GameCode game, int year, int month = 1,
                          std::int64_t smallest = SmallestWorkbook);

} // namespace karvo
