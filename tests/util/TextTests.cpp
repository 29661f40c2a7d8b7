// Text operations: positions from 1, cutting, replacing, blank cleaning and field splitting.
#include "util/Text.h"

#include <gtest/gtest.h>

using namespace karvo;
using Fields = std::vector<std::string>;

TEST(Text, PositionsCountFromOne)
{
    // A negative start searches backwards from the end; a match beginning at the limit may run past it.
    // clang-format off
    struct Case { std::string s, sub; int start, expected; };
    const Case cases[] = {
        {"abcabc", "c", 4, 6}, {"abcabc", "c", -5, 3}, {"abcabc", "c", 0, 0}, {"abcabc", "c", -99, 6},
        {"abcabc", "bc", 6, 0}, {"abcabc", "", 1, 0}, {"abcabc", "c", 7, 0}, {"abcabc", "ca", -3, 3},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(TextPosFrom(c.s, c.sub, c.start), c.expected) << c.s << " " << c.sub << " " << c.start;
    }
    EXPECT_EQ((std::vector<int>{TextPos("abcabc", "c"), TextPos("abc", ""), CountOccurrences("aaaa", "aa"),
                                CountOccurrences("aaa", "aa"), CountOccurrences("", "a")}),
              (std::vector<int>{3, 0, 2, 1, 0}));
}

TEST(Text, CutsKeepWithinTheTextAndReplacementsAreNotRescanned)
{
    EXPECT_EQ((Fields{LeftPart("abcd", -1), LeftPart("ab", -5), LeftPart("ab", 5), RightPart("ab", 5),
                      TailFrom("abc", -3), TailFrom("abc", 4)}),
              (Fields{"abc", "", "ab", "ab", "abc", ""}));
    std::string s = "abcdef";
    Overwrite(s, 5, "XYZ");
    Overwrite(s, 7, "Q");
    EXPECT_EQ(s, "abcdXY");
    EXPECT_EQ((Fields{ReplaceAll("aaa", "aa", "b"), ReplaceAll("abab", "a", "aa"), ReplaceAll("a-b-", "-", ""),
                      ReplaceAll("ABC", "b", "x")}),
              (Fields{"ba", "aabaab", "ab", "ABC"}));
}

TEST(Text, CleanSpacesFollowsItsFlags)
{
    // Trailing blanks go before trailing tabs, so in the last case the blank stays.
    // clang-format off
    struct Case { std::string s; int flags; std::string expected; };
    const Case cases[] = {
        {" a  b ", 0, "ab"}, {"  a   b  ", 1, "a   b  "}, {"  a   b  ", 2, " a b "}, {"  a   b  ", 4, "  a   b"},
        {"  a   b  ", 7, "a b"}, {"\ta\t\tb\t", 15, "a b"}, {"a b\t\t", 16, "a b"}, {"a \t", 20, "a "},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(CleanSpaces(c.s, c.flags), c.expected) << '"' << c.s << "\" " << c.flags;
    }
}

TEST(Text, SplitFieldsKeepsEmptyFields)
{
    // Overlapping delimiters each end a field.
    // clang-format off
    struct Case { std::string s, delimiter; std::size_t limit; Fields expected; };
    const Case cases[] = {
        {"  12   5 7 ", " ", 999, {"12", "5", "7"}}, {"", ",", 999, {}}, {"a,,b", ",", 999, {"a", "", "b"}},
        {"a\r\nb\r\n", "\r\n", 999, {"a", "b", ""}}, {"xaaay", "aa", 999, {"x", "", "y"}},
        {"a,b,c,d", ",", 2, {"a", "b"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(SplitFields(c.s, c.delimiter, c.limit), c.expected) << '"' << c.s << '"';
    }
}
