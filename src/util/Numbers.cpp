// Number to text and back: decimal and hex reading, picture masks with the user's separators.
#include "util/Numbers.h"

#include "util/Cp1253.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace karvo {

namespace {

NumberFormat& userFormat()
{
    static NumberFormat format = NumberFormat::greek();
    return format;
}

char separatorByte(const QString& separator, char fallback)
{
    const std::string bytes = FromQString(separator);
    return bytes.size() == 1 && bytes[0] != '?' ? bytes[0] : fallback;
}

// The magnitude of x as decimal digits, rounded half away from zero to `decimals` places.
// The value is first taken to 15 significant digits, the precision a double holds for
// certain, so 2.675 (stored as 2.67499999...) rounds as written, to 2.68.
// The exponent after the "e" of to_chars' output: a sign and digits.
int exponentOf(const char* first, const char* last)
{
    const bool negative = first != last && *first == '-';
    if (first != last && (*first == '-' || *first == '+')) {
        ++first;
    }
    int value = 0;
    std::from_chars(first, last, value);
    return negative ? -value : value;
}

struct Decimal
{
    std::string integer;  // without leading zeros; empty for 0
    std::string fraction; // exactly `decimals` digits
    bool allZero = true;
};

Decimal roundedDecimal(double x, int decimals)
{
    Decimal d;
    // to_chars writes "9.32236000000000e+01" whatever the C library's locale says.
    char buf[64];
    char* end = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14).ptr;
    const char* exponent = std::find(buf, end, 'e');
    std::string digits;
    for (const char* p = buf; p != exponent; ++p) {
        if (*p != '.') {
            digits.push_back(*p);
        }
    }
    int point = exponentOf(exponent + 1, end) + 1; // digits before the decimal point
    if (point <= 0) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    const int kept = point + decimals; // the digits that stay; the one after them rounds
    if (static_cast<int>(digits.size()) < kept + 1) {
        digits.resize(static_cast<std::size_t>(kept) + 1, '0');
    }
    const bool roundUp = digits[static_cast<std::size_t>(kept)] >= '5';
    digits.resize(static_cast<std::size_t>(kept));
    for (int i = static_cast<int>(digits.size()) - 1; roundUp && i >= -1; --i) {
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else if (digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
        } else {
            ++digits[static_cast<std::size_t>(i)];
            break;
        }
    }
    d.integer = digits.substr(0, static_cast<std::size_t>(point));
    d.fraction = digits.substr(static_cast<std::size_t>(point));
    d.integer.erase(0, std::min(d.integer.find_first_not_of('0'), d.integer.size()));
    d.allZero = digits.find_first_not_of('0') == std::string::npos;
    return d;
}

// What a picture mask asks for: digit counts on both sides of the decimal point and grouping.
struct Mask
{
    int minInteger = 0; // placeholders from the first "0" up to the point
    int maxDecimals = 0;
    int minDecimals = 0; // up to the last "0" after the point
    bool grouping = false;
};

Mask parseMask(const std::string& text)
{
    Mask m;
    bool afterPoint = false;
    int integerPlaces = 0;
    int firstZero = -1;
    for (char c : text) {
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            m.grouping = true;
        } else if ((c == '0' || c == '#') && !afterPoint) {
            if (c == '0' && firstZero < 0) {
                firstZero = integerPlaces;
            }
            ++integerPlaces;
        } else if (c == '0' || c == '#') {
            ++m.maxDecimals;
            if (c == '0') {
                m.minDecimals = m.maxDecimals;
            }
        }
    }
    m.minInteger = firstZero < 0 ? 0 : integerPlaces - firstZero;
    return m;
}

std::string grouped(const std::string& digits, char separator)
{
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out.push_back(separator);
        }
        out.push_back(digits[i]);
    }
    return out;
}

// Reads digits of the given base from s[i]; stops at the first other byte.
bool readDigits(const std::string& s, std::size_t& i, int base, long long& value)
{
    const std::size_t start = i;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit = c >= '0' && c <= '9' ? c - '0' : -1;
        if (base == 16 && digit < 0) {
            const char lower = static_cast<char>(c | 0x20);
            digit = lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
        }
        if (digit < 0) {
            break;
        }
        // Beyond the 32-bit range the value is held just above it: the result saturates.
        value = std::min<long long>(value * base + digit, static_cast<long long>(INT_MAX) + 2);
    }
    return i > start;
}

int saturated(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

NumberFormat NumberFormat::fromLocale(const QLocale& locale)
{
    NumberFormat format;
    format.decimalSeparator = separatorByte(locale.decimalPoint(), '.');
    // A grouping character the code page lacks (such as a narrow no-break space) becomes a no-break space.
    format.groupSeparator = separatorByte(locale.groupSeparator(), '\xA0');
    return format;
}

const NumberFormat& UserNumberFormat()
{
    return userFormat();
}

void SetUserNumberFormat(const NumberFormat& format)
{
    userFormat() = format;
}

std::string IntToText(std::int64_t n)
{
    return std::to_string(n);
}

std::string ZeroPad(std::int64_t n, int width)
{
    if (width <= 0) {
        return {};
    }
    const std::string padded = std::string(static_cast<std::size_t>(width), '0') + IntToText(n);
    return padded.substr(padded.size() - static_cast<std::size_t>(width));
}

std::string ZeroPad4(std::int64_t n)
{
    return ZeroPad(n, 4);
}

std::string FloatToText(double x, const NumberFormat& format)
{
    if (!std::isfinite(x)) {
        return "0";
    }
    char buf[64];
    char* end = std::to_chars(buf, buf + sizeof buf, x == 0 ? 0.0 : x, std::chars_format::general, 15).ptr;
    std::string out(buf, end);
    // "1e+20" is shown as "1E20", "1e-05" as "1E-5".
    const auto e = out.find('e');
    if (e != std::string::npos) {
        out = out.substr(0, e) + "E" + std::to_string(exponentOf(buf + e + 1, end));
    }
    const auto point = out.find('.');
    if (point != std::string::npos) {
        out[point] = format.decimalSeparator;
    }
    return out;
}

std::string FormatNumber(const std::string& mask, double x, const NumberFormat& format)
{
    if (!std::isfinite(x)) {
        return "0";
    }
    const Mask m = parseMask(mask);
    const Decimal d = roundedDecimal(x, m.maxDecimals);
    std::string integer = d.integer;
    if (static_cast<int>(integer.size()) < m.minInteger) {
        integer.insert(0, static_cast<std::size_t>(m.minInteger) - integer.size(), '0');
    }
    std::string fraction = d.fraction;
    while (static_cast<int>(fraction.size()) > m.minDecimals && fraction.back() == '0') {
        fraction.pop_back();
    }
    // No minus sign for a value that shows as zero.
    std::string out = x < 0 && !d.allZero ? "-" : "";
    out += m.grouping ? grouped(integer, format.groupSeparator) : integer;
    if (!fraction.empty()) {
        out.push_back(format.decimalSeparator);
        out += fraction;
    }
    return out.empty() || out == "-" ? "0" : out;
}

std::int64_t RoundToInt(double x)
{
    if (std::isnan(x)) {
        return 0;
    }
    if (std::fabs(x) >= 1e15) {
        // Every double this large is whole already.
        constexpr double limit = 9.2e18;
        return static_cast<std::int64_t>(std::clamp(x, -limit, limit));
    }
    const Decimal d = roundedDecimal(x, 0);
    std::int64_t value = 0;
    for (char c : d.integer) {
        value = value * 10 + (c - '0');
    }
    return x < 0 ? -value : value;
}

int TextToInt(const std::string& s)
{
    std::size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos) {
        return 0;
    }
    const bool negative = s[i] == '-';
    if (s[i] == '-' || s[i] == '+') {
        ++i;
    }
    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    long long value = 0;
    if (!readDigits(s, i, base, value)) {
        return 0;
    }
    // A number that is not the whole text counts without its sign.
    if (i < s.size()) {
        return saturated(value);
    }
    return saturated(negative ? -value : value);
}

double TextToFloat(const std::string& s)
{
    std::size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos) {
        return 0;
    }
    if (s[i] == '+') {
        ++i;
        if (i < s.size() && s[i] == '-') {
            return 0;
        }
    }
    double value = 0;
    const auto result = std::from_chars(s.data() + i, s.data() + s.size(), value, std::chars_format::general);
    return result.ec == std::errc() ? value : 0;
}

} // namespace karvo
