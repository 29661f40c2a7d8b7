// Results files on disk: byte-exact round trips of the masked slot, KINO and PROPO files, the
// worked examples of their layouts, and the refusals and failed writes that keep the old bytes.
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "results/ResultsTestFiles.h"
#include "util/KarvoError.h"

#include <filesystem>
#include <functional>

using namespace karvo;
using namespace karvo::test;

namespace {

// The message of the KarvoError thrown by f, or "no error".
std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const KarvoError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(ResultsFile, RoundTripsAreByteExact)
{
    TempFolder folder;
    std::string plain;
    for (int i = 0; i < 2 * 2 * 3 * 5 * 7 * 11 * 3; ++i) { // whole records of every size, bytes 0..255
        plain += static_cast<char>(i * 7 + 1);
    }
    for (const char* name : { "LOTTO.krv", "GOAL.krv", "JOKER.krv", "Proto.krv", "Extra.krv" }) {
        WriteMaskedFile(folder.file(name), plain);
        EXPECT_EQ(ReadBytes(folder.file(name)), Masked(plain)) << name;
        EXPECT_EQ(ReadMaskedFile(folder.file(name)), plain) << name;
    }
    // Every 77th byte is stored as is: its mask value is 0.
    WriteMaskedFile(folder.file("LOTTO.krv"), std::string(200, '\x55'));
    const std::string stored = ReadBytes(folder.file("LOTTO.krv"));
    EXPECT_EQ(stored.substr(75, 2) + stored[153], Bytes({ 0x55 ^ 76, 0x55, 0x55 }));
    // KINO files are stored unmasked; the header's number is signed.
    const std::string kino = KinoHeader(-5) + KinoRecord({ 1, 2, 80 }, 31, 23, 59);
    WriteKinoFile(folder.file("kino.qav"), kino);
    EXPECT_EQ(ReadBytes(folder.file("kino.qav")), KinoHeaderBytes(-5) + KinoRecord({ 1, 2, 80 }, 31, 23, 59));
    EXPECT_EQ(ReadKinoFile(folder.file("kino.qav")), kino);
    EXPECT_EQ(KinoFirstDraw(kino), -5);
}

TEST(ResultsFile, ShortAndMissingFilesReadAsEmptyOversizedOnesAreRefused)
{
    TempFolder folder;
    WriteBytes(folder.file("eight"), Masked(Slot(5, 1, 2020, { 1, 2, 3, 4, 5 }))); // one EXTRA slot
    WriteBytes(folder.file("nine"), Masked("123456789"));
    WriteBytes(folder.file("short"), "HEADER!\x1A");
    for (const char* name : { "missing", "eight" }) {
        EXPECT_EQ(ReadMaskedFile(folder.file(name)) + ReadKinoFile(folder.file(name)), "") << name;
    }
    EXPECT_EQ(ReadMaskedFile(folder.file("nine")), "123456789");
    EXPECT_TRUE(ReadPropoFile(folder.file("missing")).empty());
    EXPECT_TRUE(ReadPropoFile(folder.file("short")).empty());
    // Larger than the buffers: refused before anything is read, never handled in part.
    const std::string path = folder.file("big.krv");
    WriteBytes(path, "x");
    std::filesystem::resize_file(path, ResultsBufferLimit + 1);
    EXPECT_NE(ErrorOf([&] { ReadMaskedFile(path); }).find("20.000.000"), std::string::npos);
    EXPECT_THROW(ReadKinoFile(path), KarvoError);
    std::filesystem::resize_file(path, ResultsBufferLimit);
    EXPECT_EQ(ReadKinoFile(path).size(), static_cast<std::size_t>(ResultsBufferLimit));
    // PROPO: 199,001 values are the most, 7 + 2 * 199,001 + 2 trailing bytes.
    std::filesystem::resize_file(path, 7 + 2 * PropoWordsLimit + 2);
    EXPECT_EQ(ReadPropoFile(path).size(), static_cast<std::size_t>(PropoWordsLimit));
    std::filesystem::resize_file(path, 7 + 2 * PropoWordsLimit + 3);
    EXPECT_THROW(ReadPropoFile(path), KarvoError);
    EXPECT_THROW(WritePropoFile(path, {}, 2024), KarvoError);
    // A year whose block lies past that capacity is refused too.
    WriteBytes(path, PropoBytes({ 1 }));
    EXPECT_THROW(WritePropoFile(path, {}, 9999), KarvoError);
    EXPECT_EQ(ReadBytes(path), PropoBytes({ 1 }));
}

TEST(ResultsFile, FailedWritesKeepTheOldBytesAndNameTheFile)
{
    TempFolder folder;
    WriteBytes(folder.file("DATA"), "not a folder");
    const std::function<void(const std::string&)> writers[] = {
        [](const std::string& p) { WriteMaskedFile(p, std::string(2000, '\1')); },
        [](const std::string& p) { WriteKinoFile(p, KinoHeaderBytes(1) + std::string(2300, '\1')); },
        [](const std::string& p) { WritePropoFile(p, {}, 2024); },
    };
    for (const auto& write : writers) {
        WriteBytes(folder.file("old.krv"), "old bytes");
        {
            FileSizeLimit limit(1000);
            EXPECT_THROW(write(folder.file("old.krv")), KarvoError);
        }
        EXPECT_EQ(ReadBytes(folder.file("old.krv")), "old bytes");
        // A path under a regular file: the platform's error, naming the file.
        EXPECT_NE(ErrorOf([&] { write(folder.file("DATA/kino_2024_05.qav")); }).find("kino_2024_05.qav"),
            std::string::npos);
    }
}

TEST(PropoFile, SignLines)
{
    const struct { std::uint16_t first, second; const char* line; } cases[] = {
        { 0x3FFF, 0x3FFF, "                  " },
        { 0x0000, 0x0000, "XXX XXXX XXX XXXX " },
        { 8545, 0x3FFD, "1X2 11X2 1        " }, // 1 + 0*4 + 2*16 + 1*64 + 1*256 + 0*1024 + 2*4096
        { 0x3FFF, 0x3000, "         XXX XXX  " },
        { 0xFFFF, 0xC000 | 0x3FFE, "         2        " },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PropoSignLine(c.first, c.second), c.line) << c.first << " " << c.second;
    }
}

TEST(PropoFile, WriteExtendsInStepsAndStoresTheValuesInTheSameWrite)
{
    // Extending drops what follows the last whole value, then adds 3000 values FF 3F and 1A until
    // the file reaches 15,000 bytes and the year's block; a long enough file is patched in place.
    const std::vector<std::uint16_t> three = { 0x1234, 0x0000, 0xBEEF }, full(9000, 0x3FFF);
    const std::string kept("\x1A\x00", 2);
    const struct { const char* what; std::vector<std::uint16_t> old; std::string tail; int year; std::size_t count;
        std::string newTail; } cases[] = {
        { "missing file: 6008, 12008, 18008 bytes", {}, "", 2024, 9000, "\x1A" },
        { "end mark", three, "\x1A", 1960, 9003, "\x1A" },
        { "odd length", three, "\x1A\x1A", 1960, 9003, "\x1A" },
        { "long enough", full, kept, 2024, 9000, kept },
        { "block of the year past the end", full, "\x1A", 2040, 12000, "\x1A" },
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.file("Propot.krv");
        if (!c.tail.empty()) {
            WriteBytes(path, PropoBytes(c.old, c.tail));
            EXPECT_EQ(ReadPropoFile(path), c.old) << c.what;
        }
        std::vector<std::uint16_t> values = c.old;
        values.resize(2 * PropoIndex(c.year, 3) + 1, 0x3FFF);
        values[2 * PropoIndex(c.year, 3) - 1] = 8545;
        values.back() = 0x3FFD;
        WritePropoFile(path, values, c.year);
        values.resize(c.count, 0x3FFF);
        EXPECT_EQ(ReadBytes(path).substr(7), PropoBytes(values, c.newTail).substr(7)) << c.what;
    }
}
