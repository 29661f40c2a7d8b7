// Numbers: integer reading with its sign rule, picture masks with Greek separators, rounding.
#include "util/Numbers.h"

#include <QLocale>
#include <climits>
#include <clocale>
#include <gtest/gtest.h>

using namespace karvo;

TEST(Numbers, TextToIntReadsSignsHexAndStopsAtOtherBytes)
{
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {"12a", 12}, {"-12a", 12}, {"-12", -12}, {"", 0}, {" 2013", 2013}, {"+7", 7}, {"X1F", 31}, {"$FF", 255},
        {"0x10", 16}, {"-$10", -16}, {"$", 0}, {"- 5", 0}, {"-12 ", 12}, {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN}, {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN},
        {"$FFFFFFFFFFFF", INT_MAX},
    };
    // clang-format on
    for (const auto& [s, expected] : cases) {
        EXPECT_EQ(TextToInt(s), expected) << '"' << s << '"';
    }
}

TEST(Numbers, RoundToIntHalvesAwayFromZero)
{
    const std::pair<double, std::int64_t> cases[] = {
        {2.5, 3}, {-2.5, -3}, {2.4999, 2}, {3000000000.5, 3000000001LL}, {1e16, 10000000000000000LL}};
    for (const auto& [x, expected] : cases) {
        EXPECT_EQ(RoundToInt(x), expected) << x;
    }
}

TEST(Numbers, NumbersToTextAndBackWithTheLocalesSeparators)
{
    EXPECT_EQ((std::vector<std::string>{IntToText(-9000000000LL), ZeroPad(7, 2), ZeroPad(123, 2), ZeroPad(12345, 4),
                                        ZeroPad4(5)}),
              (std::vector<std::string>{"-9000000000", "07", "23", "2345", "0005"}));
    const NumberFormat fromGreek = NumberFormat::fromLocale(QLocale(QLocale::Greek, QLocale::Greece));
    const NumberFormat fromEnglish = NumberFormat::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(std::string({fromGreek.decimalSeparator, fromGreek.groupSeparator, fromEnglish.decimalSeparator,
                           fromEnglish.groupSeparator, UserNumberFormat().decimalSeparator}),
              ",..,,");
}

// Picture masks and number texts with Greek separators. Qt sets the C library's locale from the
// environment; a Greek LC_NUMERIC makes printf write a decimal comma. Nothing here may change with it.
TEST(Numbers, MasksAndNumberTextsIgnoreTheCLibrarysLocale)
{
    // clang-format off
    struct Case { const char* mask; double x; const char* expected; };
    const Case cases[] = {
        {"###.##", 93.2241, "93,22"}, {"###.##", 93.0, "93"}, {"###.##", 0.5, ",5"}, {"##0.00", 93.2236, "93,22"},
        {"###,###.#", -1234567.25, "-1.234.567,3"}, {"###,###.#", 999.96, "1.000"}, {"#0.00", 2.675, "2,68"},
        {"#0.00", -0.001, "0,00"}, {"#########.##", 123456789.125, "123456789,13"}, {"###", 1234.5, "1235"},
        {"###", 426, "426"}, {"###,###", 3510, "3.510"},
    };
    // clang-format on
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"el_GR.UTF-8", "de_DE.UTF-8", "en_US.UTF-8", "C"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr)
            << name << " is not generated on this machine (scripts/install-deps.sh --test generates it)";
        const NumberFormat greek = NumberFormat::greek();
        for (const Case& c : cases) {
            EXPECT_EQ(FormatNumber(c.mask, c.x, greek), c.expected) << c.mask << " " << c.x << " " << name;
        }
        EXPECT_EQ(
            (std::vector<std::string>{FormatNumber("###,###.#", 1234.5, NumberFormat{'.', ','}),
                                      FormatNumber("###.##", 32.0849, NumberFormat{'.', ','}), FloatToText(1.5, greek),
                                      FloatToText(0.1 + 0.2, greek), FloatToText(1234.5, greek),
                                      FloatToText(-1e-5, greek), FloatToText(1e20, greek)}),
            (std::vector<std::string>{"1,234.5", "32.08", "1,5", "0,3", "1234,5", "-1E-5", "1E20"}))
            << name;
        EXPECT_DOUBLE_EQ(TextToFloat(" +2.25e2"), 225.0) << name;
        EXPECT_DOUBLE_EQ(TextToFloat("abc"), 0.0) << name;
        EXPECT_DOUBLE_EQ(TextToFloat("93.2236"), 93.2236) << name;
        EXPECT_DOUBLE_EQ(TextToFloat("1,5"), 1.0) << name;
        EXPECT_EQ(RoundToInt(2.5) + TextToInt("68"), 71) << name;
    }
    std::setlocale(LC_ALL, before.c_str());
}
