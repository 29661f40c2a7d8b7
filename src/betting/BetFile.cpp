#include "betting/BetFile.h"

#include "betting/CouponImport.h"
#include "util/Files.h"

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

BetFileFit BetFileFitOf(const CellGrid& coupon)
{
    if (static_cast<std::size_t>(std::max(coupon.rowCount() - 1, 0)) > kBetFileMaxRows) {
        return BetFileFit::TooManyRows;
    }
    std::int64_t bytes = 0;
    for (int r = 1; r < coupon.rowCount(); ++r) {
        for (int c = 0; c < kCouponColumns; ++c) {
            const std::string& cell = coupon.cell(c, r);
            if (cell.size() > kBetFileMaxLine) {
                return BetFileFit::CellTooLong;
            }
            if (cell.find('\0') != std::string::npos) {
                return BetFileFit::NulInCell;
            }
            bytes += static_cast<std::int64_t>(cell.size()) + 2;
        }
    }
    return bytes > kBetFileMaxBytes ? BetFileFit::TooLarge : BetFileFit::Fits;
}

BetFileStatus ReadBetFile(const std::string& bytes, CellGrid& coupon)
{
    if (static_cast<std::int64_t>(bytes.size()) > kBetFileMaxBytes) {
        return BetFileStatus::NotABetFile;
    }
    // Long lines, too many lines and NUL bytes mark a file that is not a coupon; found in one
    // pass, before the text is cut, so a large foreign file costs little. CR LF ends one line.
    std::size_t lineLength = 0;
    std::size_t lineCount = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char ch = bytes[i];
        if (ch == '\n' || ch == '\r') {
            lineLength = 0;
            lineCount += ch == '\n' && i > 0 && bytes[i - 1] == '\r' ? 0 : 1;
            continue;
        }
        if (++lineLength > kBetFileMaxLine || ch == '\0') {
            return BetFileStatus::NotABetFile;
        }
    }
    lineCount += lineLength > 0 ? 1 : 0;
    if (lineCount > kBetFileMaxLines) {
        return BetFileStatus::NotABetFile;
    }
    std::vector<std::string> lines = PastedLines(bytes);
    if (lines.empty()) {
        return BetFileStatus::Empty;
    }
    const int rows = static_cast<int>((lines.size() + kCouponColumns - 1) / kCouponColumns);
    coupon.setColumnCount(kCouponColumns);
    coupon.setRowCount(rows + 1);
    for (std::size_t i = 0; i < static_cast<std::size_t>(rows) * kCouponColumns; ++i) {
        const int row = static_cast<int>(i / kCouponColumns) + 1;
        coupon.setCell(static_cast<int>(i % kCouponColumns), row,
                       i < lines.size() ? std::move(lines[i]) : std::string());
    }
    coupon.setCurrentRow(rows >= 1 ? 1 : -1);
    return BetFileStatus::Read;
}

BetFileStatus LoadBetFile(const std::string& name, CellGrid& coupon)
{
    std::string bytes;
    std::int64_t size = 0;
    const std::size_t read = LoadFileInto(name, kBetFileMaxBytes, bytes, size);
    if (size > kBetFileMaxBytes) {
        return BetFileStatus::NotABetFile;
    }
    bytes.resize(read);
    return ReadBetFile(bytes, coupon);
}

} // namespace karvo
