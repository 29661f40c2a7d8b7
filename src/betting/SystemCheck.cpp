#include "betting/SystemCheck.h"

#include "betting/Coupon.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

namespace {

// A digit above 2, or a sign whose odd cannot be read as a positive number.
bool refusedSign(const CellGrid& coupon, int row, char sign)
{
    if (TextToInt(std::string(1, sign)) > 2) {
        return true;
    }
    return CouponOdd(coupon.cell(Odd1Column + SignOutcome(sign), row)) <= 0;
}

} // namespace

int SignOutcome(char sign)
{
    return sign == '1' ? 0 : sign == '2' ? 2 : 1;
}

SystemCheckResult CheckSystem(const CellGrid& coupon, CellTable& table, int columnLimit)
{
    table.resetTo(kSignsBase + kMaxSystemMatches + 1);
    SystemCheckResult result;
    long long columns = 1;
    for (int r = 1; r < coupon.rowCount(); ++r) {
        const std::string signs = CleanSpaces(coupon.cell(SystemColumn, r), 0);
        if (signs.empty()) {
            continue;
        }
        ++result.matchCount;
        // Rows beyond the table's fifteen are refused below; they are still checked for signs.
        if (result.matchCount <= kMaxSystemMatches) {
            table.set(static_cast<std::size_t>(result.matchCount), IntToText(r));
            table.set(kSignsBase + static_cast<std::size_t>(result.matchCount), signs);
        }
        columns = std::min(columns * static_cast<long long>(signs.size()), static_cast<long long>(columnLimit) + 1);
        for (char sign : signs) {
            if (refusedSign(coupon, r, sign)) {
                result.verdict = SystemVerdict::WrongMatch;
                result.matchCode = coupon.cell(CodeColumn, r);
                return result;
            }
        }
    }
    table.set(0, IntToText(result.matchCount));
    result.columnCount = columns;
    if (result.matchCount > kMaxSystemMatches) {
        result.verdict = SystemVerdict::TooManyMatches;
    } else if (result.matchCount == 0) {
        result.verdict = SystemVerdict::NoSigns;
    } else if (columns > columnLimit) {
        result.verdict = SystemVerdict::TooManyColumns;
    } else {
        result.verdict = SystemVerdict::Accepted;
    }
    return result;
}

std::string SystemWarning(const SystemCheckResult& result)
{
    switch (result.verdict) {
    case SystemVerdict::WrongMatch: return Utf8ToCp1253("Λάθος ο αγώνας ") + result.matchCode;
    case SystemVerdict::TooManyMatches: return Utf8ToCp1253("Πολλοί αγώνες");
    case SystemVerdict::NoSigns: return Utf8ToCp1253("Γράψτε προγνωστκά στο σύστημα");
    case SystemVerdict::TooManyColumns: return Utf8ToCp1253("Υπέρβαση ορίου στηλών συστήματος");
    case SystemVerdict::Accepted: break;
    }
    return std::string();
}

} // namespace karvo
