#include "betting/SystemCalc.h"

#include "betting/Coupon.h"
#include "betting/SystemCheck.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace karvo {

namespace {

const char* const kAmountMask = "#########.##";

// clang-format off
const char* const kMatchCaptions[kSystemMatchColumns] = {" ΚΩΔ ", "  ΓΗΠΕΔΟΥΧΟΣ", "  ΦΙΛΟΞΕΝΟΥΜΕΝΗ", "ODD 1", "ODD X", "ODD 2", "ΣΥΣΤΗΜΑ", ""};
// clang-format on

double cellNumber(const std::string& cell)
{
    return TextToFloat(ReplaceAll(cell, ",", "."));
}

bool inPlay(const CellGrid& columns, int c, int matchCount)
{
    return columns.cell(c, StakeRow(matchCount)).find('*') == std::string::npos;
}

CellGrid matchesGrid(const CellTable& handover, const CellGrid& coupon, int n)
{
    CellGrid grid(kSystemMatchColumns, SpacerRow(n) + 1);
    for (int c = 0; c < kSystemMatchColumns; ++c) {
        grid.setCell(c, 0, Utf8ToCp1253(kMatchCaptions[c]));
    }
    for (int i = 1; i <= n; ++i) {
        const int row = TextToInt(handover[static_cast<std::size_t>(i)]);
        for (int c = CodeColumn; c <= Odd2Column; ++c) {
            grid.setCell(c, i, coupon.cell(c, row));
        }
        grid.setCell(MatchSignsColumn, i, ToUpper(handover[kSignsBase + static_cast<std::size_t>(i)]));
    }
    grid.setCell(MatchSignsColumn, OddsRow(n), Utf8ToCp1253("ΑΠΟΔΟΣΗ"));
    grid.setCell(MatchSignsColumn, WinningsRow(n), Utf8ToCp1253("ΚΕΡΔΟΣ"));
    grid.setCell(MatchSignsColumn, StakeRow(n), Utf8ToCp1253("ΠΟΣΟ"));
    return grid;
}

} // namespace

std::string ReturnFactorText(double sum, const NumberFormat& format)
{
    if (sum == 0) {
        sum = 100;
    }
    return Utf8ToCp1253("Απόδοση Συστήματος ") + FormatNumber("###,###.#", 1 / sum, format);
}

SystemGrids ExpandSystem(const CellTable& handover, const CellGrid& coupon, const NumberFormat& format)
{
    SystemGrids out;
    const int n = std::clamp(TextToInt(handover[0]), 0, kMaxSystemMatches);
    std::vector<std::string> signs(static_cast<std::size_t>(n) + 1);
    std::vector<std::array<double, 3>> odds(static_cast<std::size_t>(n) + 1);
    long long columnCount = 1;
    for (int i = 1; i <= n; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        signs[k] = ToUpper(handover[kSignsBase + k]);
        // An empty sign text would leave no column at all; it counts as one draw sign.
        if (signs[k].empty()) {
            signs[k].assign(1, 'X');
        }
        columnCount *= static_cast<long long>(signs[k].size());
        const int row = TextToInt(handover[k]);
        for (int o = 0; o < 3; ++o) {
            odds[k][static_cast<std::size_t>(o)] = CouponOdd(coupon.cell(Odd1Column + o, row));
        }
    }
    out.matchCount = n;
    out.columnCount = n == 0 ? 0 : static_cast<int>(std::min(columnCount, 1000000LL));
    out.matches = matchesGrid(handover, coupon, n);
    out.columns = CellGrid(out.columnCount, StakeRow(n) + 1);
    double sum = 0;
    for (int c = 0; c < out.columnCount; ++c) {
        out.columns.setCell(c, 0, IntToText(c + 1));
        // Mixed-radix digits of the column number, the last match turning fastest.
        long long rest = c;
        double product = 1;
        for (int i = n; i >= 1; --i) {
            const std::string& s = signs[static_cast<std::size_t>(i)];
            const char sign = s[static_cast<std::size_t>(rest % static_cast<long long>(s.size()))];
            rest /= static_cast<long long>(s.size());
            out.columns.setCell(c, i, std::string(1, sign));
            product *= odds[static_cast<std::size_t>(i)][static_cast<std::size_t>(SignOutcome(sign))];
        }
        out.columns.setCell(c, OddsRow(n), FormatNumber(kAmountMask, product, format));
        if (product > 0) {
            sum += 1 / product;
        }
    }
    out.returnFactor = ReturnFactorText(sum, format);
    return out;
}

StakeSummary CalcColumns(CellGrid& columns, int matchCount, const NumberFormat& format)
{
    double sum = 0;
    double total = 0;
    for (int c = 0; c < columns.columnCount(); ++c) {
        double win = 0;
        if (inPlay(columns, c, matchCount)) {
            const double odds = cellNumber(columns.cell(c, OddsRow(matchCount)));
            const double stake = cellNumber(columns.cell(c, StakeRow(matchCount)));
            sum += odds > 0 ? 1 / odds : 0;
            win = stake * odds;
            total += stake;
        }
        columns.setCell(c, WinningsRow(matchCount), FormatNumber(kAmountMask, win, format));
    }
    return {ReturnFactorText(sum, format),
            Utf8ToCp1253("Συνολικό Ποσό ") + FloatToText(total, format) + Utf8ToCp1253("€")};
}

bool SpreadTotal(CellGrid& columns, int matchCount, const std::string& typed, StakeSummary& summary,
                 const NumberFormat& format)
{
    const double total = cellNumber(typed);
    if (total == 0) {
        return false;
    }
    double sum = 0;
    for (int c = 0; c < columns.columnCount(); ++c) {
        const double odds = cellNumber(columns.cell(c, OddsRow(matchCount)));
        if (inPlay(columns, c, matchCount) && odds > 0) {
            sum += 1 / odds;
        }
    }
    summary.returnFactor = ReturnFactorText(sum, format);
    summary.totalCaption = Utf8ToCp1253("Συνολικό Ποσό ") + typed + Utf8ToCp1253("€");
    const double factor = 1 / (sum == 0 ? 100 : sum);
    for (int c = 0; c < columns.columnCount(); ++c) {
        double win = 0;
        const double odds = cellNumber(columns.cell(c, OddsRow(matchCount)));
        if (inPlay(columns, c, matchCount) && odds > 0) {
            const std::string stake = FormatNumber(kAmountMask, factor * total / odds, format);
            columns.setCell(c, StakeRow(matchCount), stake);
            win = cellNumber(stake) * odds;
        }
        columns.setCell(c, WinningsRow(matchCount), FormatNumber(kAmountMask, win, format));
    }
    return true;
}

StakeSummary RoundStakes(CellGrid& columns, int matchCount, const NumberFormat& format)
{
    for (int c = 0; c < columns.columnCount(); ++c) {
        const std::string& cell = columns.cell(c, StakeRow(matchCount));
        const double stake = cellNumber(cell);
        if (cell.find('*') == std::string::npos && stake > 0) {
            // The quotient is a double before the ceiling, so that 0.9 stays 3 steps and not 4.
            const volatile double steps = 10 * stake / 3;
            columns.setCell(c, StakeRow(matchCount), FloatToText(std::ceil(steps) * 0.3, format));
        }
    }
    return CalcColumns(columns, matchCount, format);
}

} // namespace karvo
