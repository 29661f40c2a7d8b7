#include "results/WholeFile.h"

#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"

namespace karvo {

namespace {

// Sizes with a dot between thousands, as Greek users read them.
std::string Grouped(std::int64_t n)
{
    return FormatNumber("###,###,###,###", static_cast<double>(n), NumberFormat::greek());
}

} // namespace

void ThrowTooLarge(const std::string& path, std::int64_t size, std::int64_t limit)
{
    throw KarvoError("Το αρχείο " + Cp1253ToUtf8(path) + " έχει " + Grouped(size) + " bytes, περισσότερα από τα "
                     + Grouped(limit) + " που χωρά το πρόγραμμα. Δεν διαβάστηκε ούτε γράφτηκε.");
}

std::string LoadWithinLimit(const std::string& path, std::int64_t limit)
{
    const std::int64_t size = FileSizeOf(path);
    if (size > limit) {
        ThrowTooLarge(path, size, limit);
    }
    // One byte past the limit tells a file that grew between the two looks, without reading it all.
    std::string bytes = LoadTextPrefix(path, limit + 1);
    if (static_cast<std::int64_t>(bytes.size()) > limit) {
        ThrowTooLarge(path, static_cast<std::int64_t>(bytes.size()), limit);
    }
    return bytes;
}

} // namespace karvo
