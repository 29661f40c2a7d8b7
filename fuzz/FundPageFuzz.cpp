// Feeds arbitrary bytes as the fund association's report page to the report date and the page parser.
#include "market/FundDay.h"
#include "util/Cp1253.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page = karvo::Utf8ToCp1253(std::string(reinterpret_cast<const char*>(data), size));
    (void)karvo::FundReportDate(page, "2024-12-05");
    const karvo::FundDay day = karvo::FundDayFromPage(page);
    // No line break of the page may split a line of the day file.
    for (const std::string& line : day.lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
