// Sorting of index ranges, and Greek casing checked byte by byte against Unicode's simple mapping.
#include "support/TestSupport.h"
#include "util/Cp1253.h"
#include "util/Sorting.h"

#include <QChar>
#include <gtest/gtest.h>
#include <random>

using namespace karvo;
using karvo::test::W;
using Texts = std::vector<std::string>;

TEST(Sorting, SortsOnlyTheGivenRange)
{
    std::vector<int> a = {9, 5, 3, 8, 1, 7, 0};
    SortInts(1, 5, false, a);
    EXPECT_EQ(a, (std::vector<int>{9, 1, 3, 5, 7, 8, 0}));
    SortInts(0, 6, true, a);
    EXPECT_EQ(a, (std::vector<int>{9, 8, 7, 5, 3, 1, 0}));
    std::mt19937 random(7);
    std::vector<int> big(5000);
    std::generate(big.begin(), big.end(), [&random] { return static_cast<int>(random() % 100); });
    SortInts(0, 4999, false, big);
    EXPECT_TRUE(std::is_sorted(big.begin(), big.end()));

    // Texts travel with their floats; equal floats may come in either order.
    std::vector<float> values = {0, 2.5f, -1, 7, 2.5f};
    Texts texts = {"z", "b", "c", "d", "e"};
    SortFloatsWithTexts(1, 4, true, values, texts);
    EXPECT_EQ(values, (std::vector<float>{0, 7, 2.5f, 2.5f, -1}));
    std::sort(texts.begin() + 2, texts.begin() + 4);
    EXPECT_EQ(texts, (Texts{"z", "d", "b", "e", "c"}));
}

TEST(Sorting, TextsByGreekCollationWithoutCase)
{
    Texts texts = {"#", W("γάμμα"), W("άλφα"), "b", W("βήτα"), W("ΆΛΦΑ"), "A", "a"};
    // Letters differing only in case may come in either order, so the order is compared in small letters.
    auto lowered = [&texts] {
        Texts result;
        std::transform(texts.begin(), texts.end(), std::back_inserter(result), [](auto& t) { return ToLower(t); });
        return result;
    };
    SortTexts(1, 7, false, texts);
    // The Greek collation puts Greek letters before Latin ones.
    EXPECT_EQ(lowered(), (Texts{"#", W("άλφα"), W("άλφα"), W("βήτα"), W("γάμμα"), "a", "a", "b"}));
    SortTexts(0, 7, true, texts);
    EXPECT_EQ(lowered(), (Texts{"b", "a", "a", W("γάμμα"), W("βήτα"), W("άλφα"), W("άλφα"), "#"}));
}

// The casing table against QChar's simple mapping for all 256 bytes. A letter whose partner is
// missing from the code page (ΐ and ΰ have no single capital) must stay as it is.
TEST(Casing, TableAgreesWithUnicodeSimpleMappingAndKeepsAccents)
{
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const char32_t cp = Cp1253ToUnicode(static_cast<unsigned char>(b));
        const char32_t upper = QChar::toUpper(cp), lower = QChar::toLower(cp);
        const char upperByte = UnicodeToCp1253(upper), lowerByte = UnicodeToCp1253(lower);
        EXPECT_EQ(UpperByte(byte), upperByte == '?' && upper != U'?' ? byte : upperByte) << "byte " << b;
        EXPECT_EQ(LowerByte(byte), lowerByte == '?' && lower != U'?' ? byte : lowerByte) << "byte " << b;
    }
    EXPECT_EQ(ToUpper(W("άέήίόύώ ς ΐΰ µ Νικήτριες")), W("ΆΈΉΊΌΎΏ Σ ΐΰ Μ ΝΙΚΉΤΡΙΕΣ"));
    EXPECT_EQ(ToLower(W("ΆΈΉΊΌΎΏ ΪΫ ABC")), W("άέήίόύώ ϊϋ abc"));
}
