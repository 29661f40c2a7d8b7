// File names on disk: case-insensitive look-up, wildcard listing and deleting, the folder helpers.
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace karvo;
using karvo::test::ReadBytes;
using karvo::test::W;
using karvo::test::WriteBytes;
using Lines = std::vector<std::string>;

TEST(FileNames, MatchWithoutRegardToCaseAndGreekNamesAreUtf8OnDisk)
{
    karvo::test::TempFolder dir;
    SaveTextFile(dir.file(W("Αρχείο.txt")), "x");
    EXPECT_EQ(ReadBytes(dir.file("Αρχείο.txt")), "x");
    EXPECT_EQ(ListFiles(dir.file("*.TXT"), ListKinds::Files), Lines{W("Αρχείο.txt")});
    EXPECT_EQ(LoadTextFile(dir.file(W("ΑΡΧΕΊΟ.TXT"))), "x");
    CreateFolder(dir.file("Data/"));
    CreateFolder(dir.file("DATA")); // the same folder
    WriteBytes(dir.file("Data/x.txt"), "1");
    WriteBytes(dir.file("Data/y.TXT"), "2");
    WriteBytes(dir.file("Data/z.dat"), "3");
    CreateFolder(dir.file("Data/sub.txt"));

    EXPECT_EQ(LoadTextFile(dir.file("DATA/X.TXT")), "1");
    EXPECT_EQ(NativePath(dir.file("DATA/new.txt")), QString::fromStdString(dir.file("Data/new.txt")));
    SaveTextFile(dir.file("data/new.txt"), "4");
    EXPECT_EQ(ReadBytes(dir.file("Data/new.txt")), "4");

    auto sorted = [](Lines v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(ListFiles(dir.file("DATA/*.TXT"), ListKinds::Files)), (Lines{"new.txt", "x.txt", "y.TXT"}));
    EXPECT_EQ(sorted(ListFiles(dir.file("data/*.txt"), ListKinds::Folders)), Lines{"sub.txt"});
    EXPECT_EQ(sorted(ListFiles(dir.file("Data/?.*"), ListKinds::Both)), (Lines{"x.txt", "y.TXT", "z.dat"}));
    EXPECT_EQ(ListFiles(dir.file("Data/nothing*"), ListKinds::Both), Lines{});

    DeleteFiles(dir.file("DATA/*.txt"));
    EXPECT_EQ(sorted(ListFiles(dir.file("Data/*"), ListKinds::Both)), (Lines{"sub.txt", "z.dat"}));
    EXPECT_EQ(WithTrailingSlash("/x") + WithoutTrailingSlash("/x/") + "|" + WithoutTrailingSlash("/"), "/x//x|/");
}
