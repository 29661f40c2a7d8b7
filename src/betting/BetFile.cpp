#include "betting/BetFile.h"

#include "betting/Coupon.h"
#include "betting/CouponImport.h"

#include <algorithm>

namespace karvo {

std::vector<std::string> BetFileLines(const CellGrid& coupon)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::max(coupon.rowCount() - 1, 0)) * kCouponColumns);
    for (int r = 1; r < coupon.rowCount(); ++r) {
        for (int c = 0; c < kCouponColumns; ++c) {
            lines.push_back(coupon.cell(c, r));
        }
    }
    return lines;
}

std::string BetFileText(const CellGrid& coupon)
{
    std::string text;
    for (const std::string& line : BetFileLines(coupon)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

BetFileStatus ReadBetFile(const std::string& bytes, CellGrid& coupon)
{
    // Long lines and NUL bytes mark a file that is not a coupon; found in one pass, before the
    // text is cut, so a large binary file costs little.
    std::size_t lineLength = 0;
    for (char ch : bytes) {
        if (ch == '\n' || ch == '\r') {
            lineLength = 0;
            continue;
        }
        if (++lineLength > kBetFileMaxLine || ch == '\0') {
            return BetFileStatus::NotABetFile;
        }
    }
    const std::vector<std::string> lines = PastedLines(bytes);
    if (lines.size() > kBetFileMaxLines) {
        return BetFileStatus::NotABetFile;
    }
    if (lines.empty()) {
        return BetFileStatus::Empty;
    }
    const int rows = static_cast<int>((lines.size() + kCouponColumns - 1) / kCouponColumns);
    coupon.setColumnCount(kCouponColumns);
    coupon.setRowCount(rows + 1);
    for (std::size_t i = 0; i < static_cast<std::size_t>(rows) * kCouponColumns; ++i) {
        const int row = static_cast<int>(i / kCouponColumns) + 1;
        coupon.setCell(static_cast<int>(i % kCouponColumns), row, i < lines.size() ? lines[i] : std::string());
    }
    coupon.setCurrentRow(rows >= 1 ? 1 : -1);
    return BetFileStatus::Read;
}

} // namespace karvo
