// The removal of the scratch files a killed process left: only old ones of our own names go.
#include "support/TestSupport.h"
#include "util/ScratchFiles.h"

#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace karvo;
using karvo::test::ReadBytes;
using karvo::test::WriteBytes;

TEST(ScratchFiles, StaleOnesGoAtStart)
{
    karvo::test::TempFolder work;
    karvo::test::TempFolder temp;
    karvo::test::TempFolder bets; // where the user keeps bet files
    ASSERT_EQ(::mkdir(work.file("Data").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(work.file("Data-STOCK").c_str(), 0700), 0);
    const std::time_t now = 2'000'000'000;
    // name, hours old, whether it goes: fresh ones may still be in use, the other pattern's names are
    // in the wrong folder, the rest are not ours. Downloads land in the working folder when the
    // temporary folder takes no files, so its old ones go too.
    // clang-format off
    struct Case { std::string name; int hours; bool goes; };
    const Case cases[] = {
        {work.file(".karvo-a1B2c3"), 2, true},           {work.file("Data/.karvo-Zz9yY8"), 2, true},
        {work.file("Data-STOCK/.karvo-Qq1Ww2"), 2, true}, {temp.file("karvo-q1w2e3.fil"), 2, true},
        {bets.file(".karvo-b1B2c3"), 2, true},           {work.file(".karvo-a1B2c4"), 0, false},
        {temp.file("karvo-q1w2e4.fil"), 0, false},        {bets.file(".karvo-b1B2c4"), 0, false},
        {work.file("karvo-q1w2e3.fil"), 2, true},        {temp.file(".karvo-a1B2c3"), 2, false},
        {bets.file("karvo-q1w2e5.fil"), 2, false},        {work.file(".karvo-a1B2c"), 2, false},
        {work.file("Data/.karvo-toolong1"), 2, false},    {work.file("Data-STOCK/.karvo-Qq1Ww2.txt"), 2, false},
        {bets.file("coupon.bet"), 2, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        WriteBytes(c.name, c.name);
        const timespec times[2] = {{now - c.hours * 3600 - 1, 0}, {now - c.hours * 3600 - 1, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, c.name.c_str(), times, 0), 0);
    }
    RemoveStaleScratchFiles(work.path(), {"DATA", "Data-STOCK"}, temp.path(), now);
    RemoveStaleScratchFilesBeside(bets.file("coupon.bet"), now);
    for (const Case& c : cases) {
        EXPECT_EQ(QFile::exists(QString::fromStdString(c.name)), !c.goes) << c.name;
        if (!c.goes) {
            EXPECT_EQ(ReadBytes(c.name), c.name);
        }
    }
}
