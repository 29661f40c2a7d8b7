// The file-name conversions between the code page and UTF-8, a part of a path at a time.
#include "support/TestSupport.h"
#include "util/Paths.h"

#include <gtest/gtest.h>

using namespace karvo;
using karvo::test::W;

TEST(Paths, ConvertBetweenCodePageAndUtf8)
{
    const std::pair<std::string, const char*> wide[] = {
        {W("/tmp/Αρχεία/x.txt"), "/tmp/Αρχεία/x.txt"},
        {"/tmp/Αρχεία/x.txt", "/tmp/Αρχεία/x.txt"}, // already UTF-8
        {"//server/share/", "//server/share/"},
        {"a//b", "a/b"},
    };
    for (const auto& [path, expected] : wide) {
        EXPECT_EQ(PathToWide(path), QString::fromUtf8(expected)) << path;
    }
    // Characters the code page lacks are kept as they are.
    EXPECT_EQ(
        (std::vector<std::string>{PathToSingleByte("/tmp/Αρχεία/日本/x"), PathToSingleByte("a/"),
                                  PathToSingleByte("//s/x"), PathToSingleByte("what?"), FolderOf(W("/opt/Κάρβο/karvo")),
                                  FolderOf("/opt/Κάρβο/karvo"), FolderOf("karvo")}),
        (std::vector<std::string>{W("/tmp/Αρχεία/") + "日本/x", "a/", "//s/x", "what?", W("/opt/Κάρβο/"),
                                  W("/opt/Κάρβο/"), ""}));
}
