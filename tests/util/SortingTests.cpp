// Sorting of index ranges, and Greek casing checked byte by byte against Unicode's simple mapping.
#include "support/TestSupport.h"
#include "util/Cp1253.h"
#include "util/Sorting.h"

#include <QChar>
#include <gtest/gtest.h>
#include <random>

using namespace karvo;
using karvo::test::W;

TEST(Sorting, SortsOnlyTheGivenRange)
{
    std::vector<int> a = {9, 5, 3, 8, 1, 7, 0};
    SortInts(1, 5, false, a);
    EXPECT_EQ(a, (std::vector<int>{9, 1, 3, 5, 7, 8, 0}));
    SortInts(0, 6, true, a);
    EXPECT_EQ(a, (std::vector<int>{9, 8, 7, 5, 3, 1, 0}));

    std::mt19937 random(7);
    std::vector<int> big(5000);
    for (int& v : big) {
        v = static_cast<int>(random() % 100);
    }
    SortInts(0, 4999, false, big);
    EXPECT_TRUE(std::is_sorted(big.begin(), big.end()));
}

TEST(Sorting, TextsTravelWithTheirFloats)
{
    std::vector<float> values = {0, 2.5f, -1, 7, 2.5f};
    std::vector<std::string> texts = {"z", "b", "c", "d", "e"};
    SortFloatsWithTexts(1, 4, true, values, texts);
    EXPECT_EQ(values, (std::vector<float>{0, 7, 2.5f, 2.5f, -1}));
    EXPECT_EQ(texts[0], "z");
    EXPECT_EQ(texts[1], "d");
    EXPECT_EQ(texts[4], "c");
    EXPECT_TRUE((texts[2] == "b" && texts[3] == "e") || (texts[2] == "e" && texts[3] == "b"));
}

TEST(Sorting, TextsByGreekCollationWithoutCase)
{
    std::vector<std::string> texts = {"#", W("γάμμα"), W("άλφα"), "b", W("βήτα"), W("ΆΛΦΑ"), "A", "a"};
    SortTexts(1, 7, false, texts);
    EXPECT_EQ(texts[0], "#");
    auto pairIs = [&](std::size_t i, const std::string& x, const std::string& y) {
        return (texts[i] == x && texts[i + 1] == y) || (texts[i] == y && texts[i + 1] == x);
    };
    // The Greek collation puts Greek letters before Latin ones.
    EXPECT_TRUE(pairIs(1, W("άλφα"), W("ΆΛΦΑ")));
    EXPECT_EQ(texts[3], W("βήτα"));
    EXPECT_EQ(texts[4], W("γάμμα"));
    EXPECT_TRUE(pairIs(5, "A", "a"));
    EXPECT_EQ(texts[7], "b");

    SortTexts(0, 7, true, texts);
    EXPECT_EQ(texts[0], "b");
    EXPECT_EQ(texts[7], "#");
}

// The casing table against QChar's simple mapping for all 256 bytes. A letter whose partner is
// missing from the code page (ΐ and ΰ have no single capital) must stay as it is.
TEST(Casing, TableAgreesWithUnicodeSimpleMapping)
{
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const char32_t cp = Cp1253ToUnicode(static_cast<unsigned char>(b));
        const char32_t upper = QChar::toUpper(cp);
        const char32_t lower = QChar::toLower(cp);
        const char upperByte = UnicodeToCp1253(upper);
        const char lowerByte = UnicodeToCp1253(lower);
        EXPECT_EQ(UpperByte(byte), upperByte == '?' && upper != U'?' ? byte : upperByte) << "byte " << b;
        EXPECT_EQ(LowerByte(byte), lowerByte == '?' && lower != U'?' ? byte : lowerByte) << "byte " << b;
    }
}

TEST(Casing, KeepsAccentsAndOneBytePerLetter)
{
    EXPECT_EQ(ToUpper(W("άέήίόύώ ς ΐΰ µ")), W("ΆΈΉΊΌΎΏ Σ ΐΰ Μ"));
    EXPECT_EQ(ToLower(W("ΆΈΉΊΌΎΏ ΪΫ ABC")), W("άέήίόύώ ϊϋ abc"));
    EXPECT_EQ(ToUpper(W("Νικήτριες")), W("ΝΙΚΉΤΡΙΕΣ"));
}
