// Markup to text lines and span removal without regard to case.
#include "support/TestSupport.h"
#include "util/Markup.h"

#include <gtest/gtest.h>

using namespace karvo;
using karvo::test::W;

TEST(Markup, RemoveSpansIgnoresCaseAndEarlyCloses)
{
    // A close before the first open stays, so does an open without a close; a removal may form a marker.
    // clang-format off
    struct Case { std::string text, open, close, expected; };
    const Case cases[] = {
        {"x>a<b>c", "<", ">", "x>ac"}, {"a<b>c<d", "<", ">", "ac<d"},
        {"<sty<style>x</style>le>y</style>z", "<style", "</style>", "z"},
        {W("α<Σ>β</σ>γ"), W("<σ>"), W("</σ>"), W("αγ")},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string text = c.text;
        RemoveSpans(text, c.open, c.close);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(Markup, MarkupToTextWorkedExamples)
{
    // The freed "&" takes the text up to a later ";"; the text after the last break is one more line.
    // clang-format off
    struct Case { std::string markup, expected; };
    const Case cases[] = {
        {"a<ScRiPt type=x>var s = '<p>';</sCrIpT>b", "ab\r\n"},
        {"<p>one\r\ntwo\r\n  three</p>\r\n<p>next</p>", "one two three\r\nnext\r\n"},
        {"a<br>\r\n<br>\r\n<br>\r\n<br>\r\nb", "a\r\n\r\nb\r\n"},
        {"A &amp; B", "A & B\r\n"}, {"x &amp; y; z", "x z\r\n"}, {"&lt;b&gt;1&#8364;", "b1\r\n"},
        {"a&nbspb", "a b\r\n"}, {"", ""}, {"<td>\t1\t</td>\r\n", "1\r\n\r\n"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MarkupToText(c.markup, false), c.expected) << c.markup;
    }
    karvo::test::TempFolder dir; // the same markup read from a file
    karvo::test::WriteBytes(dir.file("page.html"), "<html><body>" + W("Νικήτριες") + "</body></html>");
    EXPECT_EQ(MarkupToText(dir.file("page.html"), true), W("Νικήτριες") + "\r\n");
    EXPECT_EQ(MarkupToText(dir.file("missing.html"), true), "");
}
