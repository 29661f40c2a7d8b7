#include "prizes/PrizeTable.h"

#include "util/Cp1253.h"

#include <limits>

namespace karvo {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Appends the digits of text to value; false on anything else or past what fits.
bool AddDigits(std::string_view text, std::int64_t& value)
{
    for (const char c : text) {
        if (!IsDigit(c) || value > (std::numeric_limits<std::int64_t>::max() - 9) / 10) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

// Whole digits grouped by three with dots ("12.000") or not grouped at all.
bool ReadWhole(std::string_view text, std::int64_t& value)
{
    if (text.empty()) {
        return false;
    }
    std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) {
        return AddDigits(text, value);
    }
    if (dot == 0 || dot > 3 || !AddDigits(text.substr(0, dot), value)) {
        return false;
    }
    while (dot != std::string_view::npos) {
        const std::size_t next = text.find('.', dot + 1);
        const std::string_view group = text.substr(dot + 1, next == std::string_view::npos ? next : next - dot - 1);
        if (group.size() != 3 || !AddDigits(group, value)) {
            return false;
        }
        dot = next;
    }
    return true;
}

bool ReadCents(std::string_view fraction, std::int64_t& cents)
{
    if (fraction.empty() || fraction.size() > 2) {
        return false;
    }
    std::int64_t digits = 0;
    if (!AddDigits(fraction, digits)) {
        return false;
    }
    cents = fraction.size() == 1 ? digits * 10 : digits;
    return true;
}

} // namespace

std::optional<PrizeTier> TierOfHeader(GameCode game, const std::string& header)
{
    // "5 + 1" and "5αρια+1" read as "5+1"; "6αρια" and "6ΑΡΙΑ" as "6".
    std::string text;
    for (const char c : ToLower(header)) {
        if (c != ' ' && c != '\xA0') {
            text += c;
        }
    }
    for (const std::string& ending : {Utf8ToCp1253("αρια"), Utf8ToCp1253("άρια")}) {
        if (const std::size_t at = text.find(ending); at != std::string::npos) {
            text.erase(at, ending.size());
        }
    }
    PrizeTier tier;
    const std::size_t plus = text.find('+');
    if (plus != std::string::npos) {
        if (text.substr(plus + 1) != "1") {
            return std::nullopt;
        }
        tier.bonus = true;
        text.erase(plus);
    }
    std::int64_t hits = 0;
    if (text.empty() || text.size() > 2 || !AddDigits(text, hits)) {
        return std::nullopt;
    }
    tier.hits = static_cast<int>(hits);
    // JOKER draws its joker; LOTTO drew a bonus number in its earlier years.
    const DrawShape& shape = GameInfoFor(game).draw;
    const bool bonusGame = shape.bonus > 0 || game == GameCode::Lotto;
    if (tier.hits < (tier.bonus ? 0 : 1) || tier.hits > shape.numbers || (tier.bonus && !bonusGame)) {
        return std::nullopt;
    }
    return tier;
}

const PrizeCategory* DrawPrizes::categoryFor(PrizeTier tier) const
{
    if (tier.hits < 0) {
        return nullptr; // the tier of a category known only by the service's number
    }
    for (const bool withBonus : {tier.bonus, false}) {
        for (const PrizeCategory& category : categories) {
            if (category.tier == PrizeTier{tier.hits, withBonus}) {
                return &category;
            }
        }
    }
    return nullptr;
}

std::string GroupedWhole(std::int64_t n, const NumberFormat& format)
{
    const std::string digits = IntToText(n);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && digits[i - 1] != '-' && (digits.size() - i) % 3 == 0) {
            grouped += format.groupSeparator;
        }
        grouped += digits[i];
    }
    return grouped;
}

std::string AmountText(std::int64_t cents, const NumberFormat& format)
{
    return GroupedWhole(cents / 100, format) + format.decimalSeparator + ZeroPad(cents % 100, 2);
}

std::optional<std::int64_t> AmountInCents(const std::string& text)
{
    std::string_view rest(text);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\xA0')) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\xA0')) {
        rest.remove_suffix(1);
    }
    std::int64_t whole = 0;
    std::int64_t cents = 0;
    std::size_t decimal = rest.find(',');
    if (decimal == std::string_view::npos) {
        // A dot that does not group three digits is the decimal point of a number cell.
        const std::size_t dot = rest.rfind('.');
        if (dot != std::string_view::npos && rest.size() - dot - 1 != 3) {
            decimal = dot;
        }
    }
    if (decimal != std::string_view::npos) {
        if (!ReadCents(rest.substr(decimal + 1), cents)) {
            return std::nullopt;
        }
        rest = rest.substr(0, decimal);
        if (rest.find('.') != std::string_view::npos && text.find(',') == std::string::npos) {
            return std::nullopt; // "1.234.5": a number cell has no grouping
        }
    }
    if (!ReadWhole(rest, whole) || whole > std::numeric_limits<std::int64_t>::max() / 100 - 1) {
        return std::nullopt;
    }
    return whole * 100 + cents;
}

} // namespace karvo
