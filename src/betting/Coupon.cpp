#include "betting/Coupon.h"

#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

namespace {

struct ColumnHeader
{
    const char* utf8;
    int width;
};

// clang-format off
const ColumnHeader kHeaders[kCouponColumns] = {
    {" ΚΩΔ ", 45}, {"  ΓΗΠΕΔΟΥΧΟΣ", 175}, {"  ΦΙΛΟΞΕΝΟΥΜΕΝΗ", 175}, {" ODD 1", 60}, {" ODD X", 60},
    {" ODD 2", 60}, {"ΚΕΡΔΟΣ", 60}, {" 1 ", 35}, {" Χ ", 35}, {" 2 ", 35}, {"ΣΥΣΤΗΜΑ", 60},
};
// clang-format on

// The payout and chances are written with a decimal comma whatever the user's locale.
const NumberFormat kCommaFormat{',', '.'};

void RecalcRow(CellGrid& coupon, int row)
{
    double odds[3];
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
        odds[k] = CouponOdd(coupon.cell(Odd1Column + k, row));
        if (odds[k] > 0) {
            sum += 1 / odds[k];
        }
    }
    const double percent = sum > 0 ? 100 / sum : 0;
    coupon.setCell(PayoutColumn, row, percent > 0 ? PayoutText(percent) : std::string());
    for (int k = 0; k < 3; ++k) {
        coupon.setCell(Chance1Column + k, row, odds[k] > 0 ? ChanceText(percent / odds[k]) : std::string());
    }
}

} // namespace

void SetCouponHeader(CellGrid& coupon)
{
    coupon.setColumnCount(kCouponColumns);
    coupon.columnWidths().assign(kCouponColumns, 0);
    for (int c = 0; c < kCouponColumns; ++c) {
        coupon.setCell(c, 0, Utf8ToCp1253(kHeaders[c].utf8));
        coupon.columnWidths()[static_cast<std::size_t>(c)] = kHeaders[c].width;
    }
}

CellGrid NewCoupon(int rows)
{
    CellGrid coupon(kCouponColumns, std::max(rows, 1));
    SetCouponHeader(coupon);
    return coupon;
}

double CouponOdd(const std::string& cell)
{
    return TextToFloat(ReplaceAll(ReplaceAll(cell, ",", "."), " ", ""));
}

std::string PayoutText(double percent)
{
    std::string t = FormatNumber("###.##", percent, kCommaFormat);
    if (t.find(',') == std::string::npos) {
        t += ',';
    }
    return LeftPart(" " + t + "00", 6);
}

std::string ChanceText(double percent)
{
    return RightPart("   " + FormatNumber("###", percent, kCommaFormat), 3);
}

void RecalcCoupon(CellGrid& coupon)
{
    for (int r = 1; r < coupon.rowCount(); ++r) {
        RecalcRow(coupon, r);
    }
}

int AddMatch(CellGrid& coupon, const std::vector<std::string>& fiveFields)
{
    int target = 1;
    while (target < coupon.rowCount() && !coupon.cell(PayoutColumn, target).empty()) {
        ++target;
    }
    if (target >= coupon.rowCount()) {
        coupon.setRowCount(target + 1);
    }
    for (std::size_t i = 0; i < 5 && i < fiveFields.size(); ++i) {
        coupon.setCell(HomeColumn + static_cast<int>(i), target, fiveFields[i]);
    }
    coupon.setCurrentRow(target);
    RecalcCoupon(coupon);
    return target;
}

void StoreCoupon(const CellGrid& coupon, CellGrid& store)
{
    store = coupon;
    store.setColumnCount(kCouponColumns);
    store.setCell(0, 0, IntToText(coupon.rowCount()));
}

CellGrid RestoreCoupon(const CellGrid& store)
{
    const int rows = TextToInt(store.cell(0, 0));
    if (rows <= 0) {
        return NewCoupon(kFreshCouponRows);
    }
    CellGrid coupon = store;
    coupon.setRowCount(rows);
    SetCouponHeader(coupon);
    coupon.setCurrentRow(-1);
    return coupon;
}

} // namespace karvo
