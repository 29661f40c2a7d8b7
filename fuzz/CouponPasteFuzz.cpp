// Feeds arbitrary bytes as pasted coupon text to the line cutting, then recalculates and sorts the
// coupon it gives, as the window does after an import.
#include "betting/Coupon.h"
#include "betting/CouponImport.h"
#include "betting/CouponSort.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    karvo::CellGrid coupon = karvo::NewCoupon(5);
    const int start = size > 0 ? data[0] % 7 : 0;
    const int matches = karvo::PasteCoupon(coupon, text, start);
    if (coupon.rowCount() != start + matches + 1) {
        std::abort();
    }
    karvo::RecalcCoupon(coupon);
    std::array<int, 100> directions{};
    karvo::SortCoupon(coupon, size > 1 ? data[1] % 12 : 6, directions);
    return 0;
}
