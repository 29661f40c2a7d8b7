// Feeds arbitrary bytes as the draw service's answers, for the next draw and for one draw: each
// is read or refused with KarvoError, and a draw read has a positive number.
#include "prizes/DrawService.h"
#include "util/KarvoError.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    try {
        const karvo::NextDraw next = karvo::NextDrawFromJson(karvo::GameCode::Joker, body);
        if (next.active) {
            (void)karvo::NextDrawLine(*next.active, karvo::NumberFormat::greek());
        }
    } catch (const karvo::KarvoError&) {
    }
    try {
        if (karvo::ServiceDrawFromJson(karvo::GameCode::Lotto, body).drawId <= 0) {
            __builtin_trap();
        }
    } catch (const karvo::KarvoError&) {
    }
    return 0;
}
