// Feeds arbitrary bytes as a bet file to the reader; a file it takes must save back to bytes that
// read as the same coupon. The system of what was read is then checked and, when accepted,
// expanded and calculated, as the calculator window does.
#include "betting/BetFile.h"
#include "betting/Coupon.h"
#include "betting/SystemCalc.h"
#include "betting/SystemCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    karvo::CellGrid coupon = karvo::NewCoupon(40);
    if (karvo::ReadBetFile(bytes, coupon) != karvo::BetFileStatus::Read) {
        return 0;
    }
    const std::string saved = karvo::BetFileText(coupon);
    karvo::CellGrid again = karvo::NewCoupon(40);
    if (karvo::ReadBetFile(saved, again) != karvo::BetFileStatus::Read || karvo::BetFileText(again) != saved) {
        std::abort();
    }
    karvo::CellTable table;
    if (karvo::CheckSystem(coupon, table, 999).verdict == karvo::SystemVerdict::Accepted) {
        karvo::SystemGrids grids = karvo::ExpandSystem(table, coupon);
        karvo::StakeSummary summary;
        karvo::SpreadTotal(grids.columns, grids.matchCount, "10", summary);
        karvo::RoundStakes(grids.columns, grids.matchCount);
    }
    return 0;
}
