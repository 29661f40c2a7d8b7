// Feeds arbitrary bytes to the workbook reader: input starting with "PK" is read as a whole
// archive; anything else serves as both a shared-string part and a worksheet part, so that the
// scanner itself meets mutated XML without the archive's checksums in the way.
#include "util/KarvoError.h"
#include "workbook/WorkbookReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static karvo::CellTable table;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Small limits keep each run within the fuzzer's memory budget; the checks are the same.
    karvo::WorkbookLimits limits;
    limits.maxPartBytes = 16u << 20;
    limits.maxCells = 200000;
    try {
        if (bytes.substr(0, 2) == "PK") {
            karvo::ReadWorkbook(karvo::ZipArchive::fromBytes(bytes, "fuzz.xlsx"), 23, 2, table, limits);
        } else {
            const auto shared = karvo::ReadSharedStrings(bytes, limits.maxSharedStrings);
            table.resetTo(0);
            const int rows = karvo::ScanSheet(bytes, shared, 17, -1, table, limits.maxCells) + 1;
            karvo::ConvertSerialDates(table, rows, 17, 3);
        }
    } catch (const karvo::KarvoError&) {
        // Refusing a damaged or oversized workbook is the expected outcome.
    }
    return 0;
}
