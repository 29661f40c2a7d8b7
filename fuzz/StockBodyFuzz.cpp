// Feeds arbitrary bytes as a price service's day body to the stock day conversion.
#include "market/StockDay.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    const karvo::StockDay day = karvo::StockDayFromBody(body, "05/12/2024");
    // Every line of a day file is one record of the fixed width, without a line break or NUL in it.
    for (const std::string& line : day.lines) {
        if (line.size() != static_cast<std::size_t>(karvo::kStockRecordWidth)
            || line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
