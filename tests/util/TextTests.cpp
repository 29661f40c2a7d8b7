// Text operations: positions from 1, cutting, replacing, blank cleaning and field splitting.
#include "util/Text.h"

#include <gtest/gtest.h>

using namespace karvo;

TEST(Text, PositionsCountFromOne)
{
    struct Case { std::string s, sub; int start, expected; };
    const Case cases[] = {
        {"abcabc", "c", 1, 3},  {"abcabc", "c", 4, 6},   {"abcabc", "c", -5, 3}, {"abcabc", "c", 0, 0},
        {"abcabc", "c", -6, 6}, {"abcabc", "c", -2, 0},  {"abcabc", "c", -99, 6}, {"abcabc", "bc", 6, 0},
        {"abcabc", "bc", 5, 5}, {"abcabc", "", 1, 0},    {"abc", "abcd", 1, 0},   {"abcabc", "c", 7, 0},
        {"abcabc", "ca", -3, 3}, // a match beginning at the limit may run past it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextPosFrom(c.s, c.sub, c.start), c.expected) << c.s << " " << c.sub << " " << c.start;
    }
    EXPECT_EQ(TextPos("abcabc", "c"), 3);
    EXPECT_EQ(TextPos("abc", ""), 0);
    EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
    EXPECT_EQ(CountOccurrences("aaa", "aa"), 1);
    EXPECT_EQ(CountOccurrences("", "a"), 0);
}

TEST(Text, CutsKeepWithinTheText)
{
    EXPECT_EQ(LeftPart("abcd", -1), "abc");
    EXPECT_EQ(LeftPart("ab", -5), "");
    EXPECT_EQ(LeftPart("ab", 5), "ab");
    EXPECT_EQ(RightPart("ab", 5), "ab");
    EXPECT_EQ(TailFrom("abc", -3), "abc");
    EXPECT_EQ(TailFrom("abc", 4), "");

    std::string s = "abcdef";
    Overwrite(s, 5, "XYZ");
    EXPECT_EQ(s, "abcdXY");
    Overwrite(s, 7, "Q");
    EXPECT_EQ(s, "abcdXY");
}

TEST(Text, ReplaceAllNeverRescansAReplacement)
{
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abab", "a", "aa"), "aabaab");
    EXPECT_EQ(ReplaceAll("a-b-", "-", ""), "ab");
    EXPECT_EQ(ReplaceAll("ABC", "b", "x"), "ABC");
}

TEST(Text, CleanSpacesFollowsItsFlags)
{
    struct Case { std::string s; int flags; std::string expected; };
    const Case cases[] = {
        {"   ", 7, ""},
        {" a  b ", 0, "ab"},
        {" a\t b\t", -1, "ab"},
        {"  a   b  ", 7, "a b"},
        {"  a   b  ", 1, "a   b  "},
        {"  a   b  ", 4, "  a   b"},
        {"  a   b  ", 2, " a b "},
        {"\ta\t\tb\t", 15, "a b"},
        {"\t\t", 8, ""},
        {"a b\t\t", 16, "a b"},
        {"a \t", 20, "a "}, // trailing blanks go before trailing tabs, so the blank stays
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanSpaces(c.s, c.flags), c.expected) << '"' << c.s << "\" " << c.flags;
    }
}

TEST(Text, SplitFieldsKeepsEmptyFields)
{
    using Fields = std::vector<std::string>;
    EXPECT_EQ(SplitFields("  12   5 7 ", " "), (Fields{"12", "5", "7"}));
    EXPECT_EQ(SplitFields("", ","), Fields{});
    EXPECT_EQ(SplitFields("a,,b", ","), (Fields{"a", "", "b"}));
    EXPECT_EQ(SplitFields("a,", ","), (Fields{"a", ""}));
    EXPECT_EQ(SplitFields(",", ","), (Fields{"", ""}));
    EXPECT_EQ(SplitFields("a\r\nb\r\n", "\r\n"), (Fields{"a", "b", ""}));
    // Overlapping delimiters each end a field.
    EXPECT_EQ(SplitFields("xaaay", "aa"), (Fields{"x", "", "y"}));
    EXPECT_EQ(SplitFields("a,b,c,d", ",", 2), (Fields{"a", "b"}));
}
