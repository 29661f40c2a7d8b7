// Masked slot files and KINO month files: byte-exact round trips, the stored mask, and the
// failure paths of oversized files and failed writes.
#include "results/ResultsFiles.h"
#include "results/ResultsTestFiles.h"
#include "support/TestSupport.h"
#include "util/KarvoError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace karvo;
using namespace karvo::test;

namespace {

// A history of count slots for a record size, every fifth slot empty, bytes covering 0..255.
std::string History(int recordSize, int count)
{
    std::string bytes;
    for (int r = 0; r < count; ++r) {
        for (int k = 0; k < recordSize; ++k) {
            bytes += static_cast<char>(r % 5 == 4 ? 0 : (r * 7 + k * 13 + 1) % 256);
        }
    }
    return bytes;
}

} // namespace

TEST(ResultsFile, MaskedRoundTripIsByteExactForEveryGame)
{
    TempFolder folder;
    const struct { const char* name; int recordSize; } games[] = {
        {"LOTTO.krv", 9}, {"GOAL.krv", 11}, {"JOKER.krv", 9}, {"Proto.krv", 10}, {"Extra.krv", 8}};
    for (const auto& game : games) {
        const std::string plain = History(game.recordSize, 500);
        WriteMaskedFile(folder.file(game.name), plain);
        EXPECT_EQ(ReadBytes(folder.file(game.name)), Masked(plain)) << game.name;
        EXPECT_EQ(ReadMaskedFile(folder.file(game.name)), plain) << game.name;
    }
}

TEST(ResultsFile, EverySeventySeventhByteIsStoredUnmasked)
{
    TempFolder folder;
    const std::string plain(200, '\x55');
    WriteMaskedFile(folder.file("LOTTO.krv"), plain);
    const std::string stored = ReadBytes(folder.file("LOTTO.krv"));
    EXPECT_EQ(stored[76], '\x55');
    EXPECT_EQ(stored[153], '\x55');
    EXPECT_EQ(static_cast<unsigned char>(stored[75]), 0x55 ^ 76);
    EXPECT_EQ(static_cast<unsigned char>(stored[0]), 0x55 ^ 1);
}

TEST(ResultsFile, ShortOrMissingFilesReadAsEmpty)
{
    TempFolder folder;
    EXPECT_EQ(ReadMaskedFile(folder.file("LOTTO.krv")), "");
    WriteBytes(folder.file("Extra.krv"), Masked(Slot(5, 1, 2020, {1, 2, 3, 4, 5})));
    EXPECT_EQ(ReadMaskedFile(folder.file("Extra.krv")), "");
    WriteBytes(folder.file("nine.krv"), Masked("123456789"));
    EXPECT_EQ(ReadMaskedFile(folder.file("nine.krv")), "123456789");
    EXPECT_EQ(ReadKinoFile(folder.file("kino.qav")), "");
}

TEST(ResultsFile, OversizedFileIsRefusedNotReadInPart)
{
    TempFolder folder;
    const std::string path = folder.file("LOTTO.krv");
    { std::ofstream(path, std::ios::binary).put('x'); }
    std::filesystem::resize_file(path, ResultsBufferLimit + 1);
    EXPECT_THROW(ReadMaskedFile(path), KarvoError);
    EXPECT_THROW(ReadKinoFile(path), KarvoError);
    try {
        ReadMaskedFile(path);
    } catch (const KarvoError& e) {
        EXPECT_NE(std::string(e.what()).find("20.000.000"), std::string::npos) << e.what();
    }
    std::filesystem::resize_file(path, ResultsBufferLimit);
    EXPECT_EQ(ReadKinoFile(path).size(), static_cast<std::size_t>(ResultsBufferLimit));
}

TEST(ResultsFile, FailedWriteKeepsOldBytesAndThrows)
{
    TempFolder folder;
    const std::string path = folder.file("GOAL.krv");
    const std::string old = Masked(History(11, 4));
    WriteBytes(path, old);
    {
        FileSizeLimit limit(1000);
        EXPECT_THROW(WriteMaskedFile(path, History(11, 200)), KarvoError);
        EXPECT_THROW(WriteKinoFile(path, std::string(2000, '\1')), KarvoError);
    }
    EXPECT_EQ(ReadBytes(path), old);
}

TEST(ResultsFile, WriteUnderRegularFileThrowsWithPlatformMessage)
{
    TempFolder folder;
    WriteBytes(folder.file("DATA"), "not a folder");
    try {
        WriteKinoFile(folder.file("DATA/kino_2024_05.qav"), KinoHeaderBytes(1));
        FAIL() << "no error";
    } catch (const KarvoError& e) {
        EXPECT_NE(std::string(e.what()).find("kino_2024_05.qav"), std::string::npos) << e.what();
    }
}

TEST(KinoFile, RoundTripAndHeaderNumber)
{
    TempFolder folder;
    std::string bytes = KinoHeader(-5) + KinoRecord({1, 2, 80}, 31, 23, 59);
    EXPECT_EQ(bytes.substr(0, 23), KinoHeaderBytes(static_cast<std::uint32_t>(-5)));
    WriteKinoFile(folder.file("kino.qav"), bytes);
    EXPECT_EQ(ReadBytes(folder.file("kino.qav")), bytes);
    EXPECT_EQ(ReadKinoFile(folder.file("kino.qav")), bytes);
    EXPECT_EQ(KinoFirstDraw(bytes), -5);
    EXPECT_EQ(KinoFirstDraw(KinoHeaderBytes(0x01020304)), 0x01020304);
}
