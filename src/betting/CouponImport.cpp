#include "betting/CouponImport.h"

#include "betting/Coupon.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

namespace {

constexpr int kMatchLineCommas = 9;

// Positions are 0-based; -1 stands before the text and size() after it, so a missing blank or
// comma gives an empty or shortened cell instead of a fault.
int lastBlankBefore(const std::string& s, int p)
{
    for (int i = std::min(p, static_cast<int>(s.size())) - 1; i >= 0; --i) {
        if (s[static_cast<std::size_t>(i)] == ' ') {
            return i;
        }
    }
    return -1;
}

int nextAfter(const std::string& s, int p, char wanted)
{
    for (std::size_t i = static_cast<std::size_t>(std::max(p + 1, 0)); i < s.size(); ++i) {
        if (s[i] == wanted) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(s.size());
}

// The characters strictly between positions p and q, behind one blank.
std::string between(const std::string& s, int p, int q)
{
    const int from = std::max(p + 1, 0);
    const int to = std::min(q, static_cast<int>(s.size()));
    std::string cell(1, ' ');
    if (to > from) {
        cell.append(s, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    }
    return cell;
}

} // namespace

std::vector<std::string> PastedLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

bool CutCouponLine(const std::string& line, CouponLine& match)
{
    if (CountOccurrences(line, ",") < kMatchLineCommas) {
        return false;
    }
    // Each odd is the word around its decimal comma, the blanks on either side bounding it; the code
    // comes before the home-win odd, the teams between the odds.
    const int odd1Comma = nextAfter(line, -1, ',');
    const int beforeOdd1 = lastBlankBefore(line, odd1Comma);
    const int beforeCode = lastBlankBefore(line, beforeOdd1);
    const int afterOdd1 = nextAfter(line, beforeOdd1, ' ');
    const int oddXComma = nextAfter(line, afterOdd1, ',');
    const int beforeOddX = lastBlankBefore(line, oddXComma);
    const int afterOddX = nextAfter(line, beforeOddX, ' ');
    const int odd2Comma = nextAfter(line, afterOddX, ',');
    const int beforeOdd2 = lastBlankBefore(line, odd2Comma);
    const int afterOdd2 = nextAfter(line, beforeOdd2, ' ');
    match = CouponLine{between(line, beforeCode, beforeOdd1), between(line, afterOdd1, beforeOddX),
                       between(line, afterOddX, beforeOdd2),  between(line, beforeOdd1, afterOdd1),
                       between(line, beforeOddX, afterOddX),  between(line, beforeOdd2, afterOdd2)};
    return true;
}

int PasteCoupon(CellGrid& coupon, const std::string& text, int startRow)
{
    std::vector<CouponLine> matches;
    CouponLine match;
    for (const std::string& line : PastedLines(text)) {
        if (CutCouponLine(line, match)) {
            matches.push_back(match);
        }
    }
    int row = std::max(startRow, 0);
    coupon.setRowCount(row + static_cast<int>(matches.size()) + 1);
    for (const CouponLine& m : matches) {
        ++row;
        coupon.setCell(CodeColumn, row, m.code);
        coupon.setCell(HomeColumn, row, m.home);
        coupon.setCell(AwayColumn, row, m.away);
        coupon.setCell(Odd1Column, row, m.odd1);
        coupon.setCell(OddXColumn, row, m.oddX);
        coupon.setCell(Odd2Column, row, m.odd2);
    }
    return static_cast<int>(matches.size());
}

} // namespace karvo
