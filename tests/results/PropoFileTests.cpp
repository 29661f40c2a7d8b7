// PROPO word files: reading values, the sign table, growing a file in 3000-value steps and
// storing the values in the same write.
#include "results/PropoFile.h"
#include "results/ResultsTestFiles.h"
#include "support/TestSupport.h"
#include "util/KarvoError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace karvo;
using namespace karvo::test;

namespace {

std::vector<std::uint16_t> EmptyValues(std::size_t n)
{
    return std::vector<std::uint16_t>(n, 0x3FFF);
}

std::uint16_t ValueAt(const std::string& bytes, std::size_t i)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[7 + 2 * i])
                                      | (static_cast<unsigned char>(bytes[8 + 2 * i]) << 8));
}

} // namespace

TEST(PropoFile, ReadsValuesAfterTheHeader)
{
    TempFolder folder;
    WriteBytes(folder.file("Propok.krv"), PropoBytes({0x1234, 0x3FFF, 0x0000, 0xBEEF}));
    const std::vector<std::uint16_t> expected = {0x1234, 0x3FFF, 0x0000, 0xBEEF};
    EXPECT_EQ(ReadPropoFile(folder.file("Propok.krv")), expected);
    // An odd length has two trailing bytes: the last two are no value.
    WriteBytes(folder.file("Propos.krv"), PropoBytes({1, 2, 3}, "\x1A\x1A"));
    EXPECT_EQ(ReadPropoFile(folder.file("Propos.krv")), (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_TRUE(ReadPropoFile(folder.file("missing.krv")).empty());
    WriteBytes(folder.file("short.krv"), "HEADER!\x1A");
    EXPECT_TRUE(ReadPropoFile(folder.file("short.krv")).empty());
}

TEST(PropoFile, SlotsOfYearAndDraw)
{
    EXPECT_EQ(PropoSlot(1959, 1), 1);
    EXPECT_EQ(PropoSlot(1959, 60), 60);
    EXPECT_EQ(PropoSlot(1960, 1), 61);
    EXPECT_EQ(PropoSlot(2024, 7), 65 * 60 + 7);
}

TEST(PropoFile, SignLines)
{
    const struct { std::uint16_t first, second; const char* line; } cases[] = {
        {0x3FFF, 0x3FFF, "                  "},
        {0x0000, 0x0000, "XXX XXXX XXX XXXX "},
        // 1 X 2 1 1 X 2: 1 + 0*4 + 2*16 + 1*64 + 1*256 + 0*1024 + 2*4096.
        {8545, 0x3FFD, "1X2 11X2 1        "},
        {0x3FFF, 0x3000, "         XXX XXX  "},
        {0xFFFF, 0xC000 | 0x3FFE, "         2        "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PropoSignLine(c.first, c.second), c.line);
    }
    EXPECT_EQ(PropoSign(0, 0x2000, 14), '2');
}

TEST(PropoFile, MissingFileIsCreatedAndValuesStoredInOneWrite)
{
    TempFolder folder;
    const std::string path = folder.file("Propot.krv");
    std::vector<std::uint16_t> values = EmptyValues(PropoSlot(2024, 60) * 2 + 1);
    values[2 * PropoSlot(2024, 1) - 1] = 8545;
    values[2 * PropoSlot(2024, 1)] = 0x3FFD;
    WritePropoFile(path, values, 2024);
    const std::string bytes = ReadBytes(path);
    // Three steps of 3000 values: 7 + 18000 + 1.
    ASSERT_EQ(bytes.size(), 18008u);
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_EQ(ValueAt(bytes, 2 * PropoSlot(2024, 1) - 1), 8545);
    EXPECT_EQ(ValueAt(bytes, 2 * PropoSlot(2024, 1)), 0x3FFD);
    EXPECT_EQ(ValueAt(bytes, 8999), 0x3FFF);
    EXPECT_EQ(ReadPropoFile(path).size(), 9000u);
}

TEST(PropoFile, ExtensionDropsEverythingAfterTheLastWholeValue)
{
    TempFolder folder;
    const struct { const char* tail; } cases[] = {{"\x1A"}, {"\x1A\x1A"}};
    for (const auto& c : cases) {
        const std::string path = folder.file("Propok.krv");
        WriteBytes(path, PropoBytes({0x0101, 0x0202, 0x0303}, c.tail));
        WritePropoFile(path, {}, 1960);
        const std::string bytes = ReadBytes(path);
        // Three steps pass 15,000 bytes: 3 + 9000 values, 7 + 2 * 9003 + 1 bytes.
        ASSERT_EQ(bytes.size(), 7u + 2 * 9003 + 1);
        EXPECT_EQ(bytes.substr(0, 7), "HEADER!");
        EXPECT_EQ(ValueAt(bytes, 2), 0x0303);
        EXPECT_EQ(ValueAt(bytes, 3), 0x3FFF);
        EXPECT_EQ(ValueAt(bytes, 9002), 0x3FFF);
        EXPECT_EQ(bytes.back(), '\x1A');
    }
}

TEST(PropoFile, LongFileIsPatchedInPlace)
{
    TempFolder folder;
    const std::string path = folder.file("Propok.krv");
    const std::string old = PropoBytes(EmptyValues(9000), std::string("\x1A\x00", 2));
    WriteBytes(path, old);
    std::vector<std::uint16_t> values = ReadPropoFile(path);
    ASSERT_EQ(values.size(), 9000u);
    values[61] = 0;
    WritePropoFile(path, values, 2024);
    std::string expected = old;
    expected[7 + 2 * 61] = 0;
    expected[8 + 2 * 61] = 0;
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(PropoFile, YearBeyondTheEndGrowsTheFile)
{
    TempFolder folder;
    const std::string path = folder.file("Propok.krv");
    WriteBytes(path, PropoBytes(EmptyValues(9000)));
    std::vector<std::uint16_t> values = EmptyValues(PropoSlot(2040, 60) * 2 + 1);
    values[2 * PropoSlot(2040, 3)] = 0;
    WritePropoFile(path, values, 2040);
    const std::vector<std::uint16_t> back = ReadPropoFile(path);
    ASSERT_EQ(back.size(), 12000u);
    EXPECT_EQ(back[2 * PropoSlot(2040, 3)], 0);
}

TEST(PropoFile, FailedWriteKeepsOldBytesAndThrows)
{
    TempFolder folder;
    const std::string path = folder.file("Propok.krv");
    const std::string old = PropoBytes({1, 2, 3});
    WriteBytes(path, old);
    {
        FileSizeLimit limit(4000);
        EXPECT_THROW(WritePropoFile(path, {}, 2024), KarvoError);
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_THROW(WritePropoFile(folder.file("Propok.krv/x.krv"), {}, 2024), KarvoError);
}

TEST(PropoFile, OversizedFileIsRefused)
{
    TempFolder folder;
    const std::string path = folder.file("Propok.krv");
    { std::ofstream(path, std::ios::binary).put('x'); }
    // 199,001 values are the most: 7 + 2 * 199,001 + 2 trailing bytes.
    std::filesystem::resize_file(path, 7 + 2 * PropoWordsLimit + 2);
    EXPECT_EQ(ReadPropoFile(path).size(), static_cast<std::size_t>(PropoWordsLimit));
    std::filesystem::resize_file(path, 7 + 2 * PropoWordsLimit + 3);
    EXPECT_THROW(ReadPropoFile(path), KarvoError);
    EXPECT_THROW(WritePropoFile(path, {}, 2024), KarvoError);
}

TEST(PropoFile, YearPastCapacityIsRefusedAndFileKept)
{
    TempFolder folder;
    const std::string path = folder.file("Propok.krv");
    WriteBytes(path, PropoBytes({1}));
    EXPECT_THROW(WritePropoFile(path, {}, 9999), KarvoError);
    EXPECT_EQ(ReadBytes(path), PropoBytes({1}));
}
