// Number to text and back. Conversions never fail: a text that is not a number gives 0.
#pragma once

#include <cstdint>
#include <string>

class QLocale;

namespace karvo {

// The separators numbers are shown with (Windows-1253 bytes).
struct NumberFormat
{
    char decimalSeparator = ',';
    char groupSeparator = '.';

    static NumberFormat fromLocale(const QLocale& locale);
    static NumberFormat greek() { return NumberFormat{',', '.'}; }
};

// The user's separators; the window layer sets them from the system locale at start-up.
const NumberFormat& UserNumberFormat();
// Program-wide: the windows, and the window tests that set it as start-up does, reach it many layers down.
void SetUserNumberFormat(const NumberFormat& format);

std::string IntToText(std::int64_t n);
// n with leading zeros to width digits; extra leading digits are cut (12345, 4 -> "2345").
std::string ZeroPad(std::int64_t n, int width);
std::string ZeroPad4(std::int64_t n);
// Shortest general form with up to 15 significant digits.
std::string FloatToText(double x, const NumberFormat& format = UserNumberFormat());
// Picture masks: "0" digit always shown, "#" digit when significant, "." decimal separator,
// "," thousands grouping. Halves round away from zero; an empty result is "0".
std::string FormatNumber(const std::string& mask, double x, const NumberFormat& format = UserNumberFormat());
std::int64_t RoundToInt(double x);
// Leading blanks, sign, decimal or hex ("$", "x", "X", "0x") digits. When another character
// stops the reading, the digits read so far count, without the sign.
int TextToInt(const std::string& s);
// "." is the decimal point; leading blanks, sign and exponent allowed; empty gives 0.
double TextToFloat(const std::string& s);

} // namespace karvo
