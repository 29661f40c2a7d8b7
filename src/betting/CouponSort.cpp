#include "betting/CouponSort.h"

#include "betting/Coupon.h"
#include "util/Numbers.h"
#include "util/Sorting.h"
#include "util/Text.h"

#include <string>
#include <vector>

namespace karvo {

namespace {

const std::string kSeparator(1, '\x01');

// The sort cell, then every cell of the row behind the separator, and last the row number, by
// which the row is found again whatever its cells hold.
std::string rowKey(const CellGrid& coupon, int column, int row)
{
    std::string key = coupon.cell(column, row);
    for (int c = 0; c < kCouponColumns; ++c) {
        key += kSeparator;
        key += coupon.cell(c, row);
    }
    return key + kSeparator + IntToText(row);
}

int rowOfKey(const std::string& key)
{
    return TextToInt(key.substr(key.rfind(kSeparator) + 1));
}

} // namespace

void SortCoupon(CellGrid& coupon, int column, std::span<int> directions)
{
    if (column < 0 || column >= kCouponColumns || static_cast<std::size_t>(column) >= directions.size()) {
        return;
    }
    int& direction = directions[static_cast<std::size_t>(column)];
    direction = (direction + 1) % 2;
    const bool descending = direction == 1;

    std::vector<std::string> keys;
    std::vector<float> values;
    std::vector<std::string> unpaid; // rows without a payout, kept in order below the sorted ones
    for (int r = 1; r < coupon.rowCount(); ++r) {
        if (TextToInt(coupon.cell(PayoutColumn, r)) > 0) {
            keys.push_back(rowKey(coupon, column, r));
            values.push_back(static_cast<float>(TextToFloat(ReplaceAll(coupon.cell(column, r), ",", "."))));
        } else {
            unpaid.push_back(rowKey(coupon, column, r));
        }
    }
    const int last = static_cast<int>(keys.size()) - 1;
    if (column == HomeColumn || column == AwayColumn) {
        SortTexts(0, last, descending, keys);
    } else {
        SortFloatsWithTexts(0, last, descending, values, keys);
    }
    keys.insert(keys.end(), unpaid.begin(), unpaid.end());
    const CellGrid before = coupon;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int from = rowOfKey(keys[i]);
        for (int c = 0; c < kCouponColumns; ++c) {
            coupon.setCell(c, static_cast<int>(i) + 1, before.cell(c, from));
        }
    }
}

} // namespace karvo
