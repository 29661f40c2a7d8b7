// Feeds arbitrary bytes as an HTML page to the markup-to-text conversion.
#include "util/Markup.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page(reinterpret_cast<const char*>(data), size);
    (void)karvo::MarkupToText(page, false);
    return 0;
}
