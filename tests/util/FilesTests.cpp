// Whole-file helpers: line-end rules, atomic replacement under write failures and reads that fail
// for any reason but a missing file.
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

using namespace karvo;
using karvo::test::ReadBytes;
using karvo::test::W;
using karvo::test::WriteBytes;
using Lines = std::vector<std::string>;

TEST(Files, LoadLinesSplitsAtCarriageReturns)
{
    karvo::test::TempFolder dir;
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}}, {"a\r\nb", {"a", "b"}}, {"", {}}, {"\r\n\r\n", {"", ""}}, {"a\r", {"a"}},
        {"a\rbc", {"a", "c"}}, // a lone CR takes the next byte as its LF
        {"a\nb", {"a\nb"}},    // a bare LF ends no line
    };
    for (const auto& [bytes, expected] : cases) {
        WriteBytes(dir.file("l.txt"), bytes);
        EXPECT_EQ(LoadLines(dir.file("l.txt")), expected) << bytes;
    }
    EXPECT_EQ(LoadLines(dir.file("missing.txt")), Lines{});
}

TEST(Files, SaveAndLoadAreByteExact)
{
    karvo::test::TempFolder dir;
    std::string all(256, '\0');
    std::iota(all.begin(), all.end(), '\0'); // every byte value once
    SaveTextFile(dir.file("b.bin"), all);
    EXPECT_EQ(ReadBytes(dir.file("b.bin")), all);
    EXPECT_EQ(LoadTextFile(dir.file("b.bin")), all);
    EXPECT_EQ(LoadTextPrefix(dir.file("b.bin"), 3), all.substr(0, 3));
    EXPECT_EQ(FileSizeOf(dir.file("b.bin")) + FileSizeOf(dir.file("none")), 256);

    SaveLines(dir.file("l.txt"), {W("Νικήτριες"), "", "x"});
    EXPECT_EQ(ReadBytes(dir.file("l.txt")), W("Νικήτριες") + "\r\n\r\nx\r\n");
    SaveTextFile(dir.file("l.txt"), "");
    EXPECT_EQ(FileSizeOf(dir.file("l.txt")), 0);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("l.txt"))));
}

TEST(Files, ReadOnlyFileIsReplacedAndMadeWritable)
{
    karvo::test::TempFolder dir;
    const std::string name = dir.file("ro.txt");
    WriteBytes(name, "old");
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
    std::string error;
    EXPECT_TRUE(WriteFileAtomic(name, "new", &error)) << error;
    EXPECT_EQ(ReadBytes(name), "new");
    auto mode = [&name] {
        struct stat st{};
        ::stat(name.c_str(), &st);
        return st.st_mode & 0777;
    };
    EXPECT_EQ(mode(), 0644u);
    EXPECT_EQ(ListFiles(dir.file("*"), ListKinds::Both), Lines{"ro.txt"}); // no temporary left behind
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
    MakeWritable(name);
    EXPECT_TRUE(mode() & S_IWUSR);
}

TEST(Files, FailedWriteLeavesTheOldFileWhole)
{
    karvo::test::TempFolder dir;
    const std::string name = dir.file("keep.txt");
    WriteBytes(name, "old bytes");

    // A file-size limit below the new text: the write fails with EFBIG.
    std::string error;
    karvo::test::WithFileSizeLimit(4, [&] { EXPECT_FALSE(WriteFileAtomic(name, std::string(100, 'n'), &error)); });
    EXPECT_EQ(error, std::strerror(EFBIG));
    EXPECT_EQ(ReadBytes(name), "old bytes");
    EXPECT_EQ(ListFiles(dir.file("*"), ListKinds::Both), Lines{"keep.txt"});

    // A folder that is a regular file.
    EXPECT_FALSE(WriteFileAtomic(name + "/inner.txt", "x", &error));
    EXPECT_EQ(error, std::strerror(ENOTDIR));
    EXPECT_EQ(ReadBytes(name), "old bytes");
    EXPECT_THROW(SaveLines(name + "/inner.txt", {"x"}), KarvoError);

    // A content written in pieces that fails half-way (a source that cannot be read on).
    const auto halfThenFail = [](int fd) { return ::write(fd, "half", 4) == 4 ? EIO : errno; };
    EXPECT_FALSE(WriteFileAtomicFrom(name, halfThenFail, &error));
    EXPECT_EQ(error, std::strerror(EIO));
    EXPECT_EQ(ReadBytes(name), "old bytes");
    EXPECT_EQ(ListFiles(dir.file("*"), ListKinds::Both), Lines{"keep.txt"});
}

TEST(Files, OnlyAMissingFileReadsAsEmpty)
{
    karvo::test::TempFolder dir;
    const std::string name = dir.file("LOTTO.krv");
    const std::string opening = "Δεν ήταν δυνατή η ανάγνωση του αρχείου " + name + ": ";
    // What a read throws, "" when it does not.
    const auto failure = [](const std::string& path, const FileReadFunction& read = {}) -> std::string {
        try {
            LoadTextFile(path, read);
        } catch (const KarvoError& error) {
            return error.what();
        }
        return "";
    };
    EXPECT_EQ(LoadTextFile(dir.file("missing.krv")) + failure(dir.file("missing.krv")), "");
    // A folder or a FIFO in the file's place; nothing waits for a writer.
    ASSERT_EQ(::mkdir(name.c_str(), 0700), 0);
    EXPECT_EQ(failure(name), opening + std::strerror(EISDIR));
    ASSERT_EQ(::rmdir(name.c_str()) + ::mkfifo(name.c_str(), 0600), 0);
    EXPECT_EQ(failure(name), opening + "δεν είναι κανονικό αρχείο αλλά FIFO");
    EXPECT_EQ(failure(name + "/inner"),
              "Δεν ήταν δυνατή η ανάγνωση του αρχείου " + name + "/inner: " + std::strerror(ENOTDIR));
    ::unlink(name.c_str());
    // An I/O error, and a file that ends before its size, after 100 of its 70,000 bytes.
    WriteBytes(name, std::string(70000, 'x'));
    const std::pair<int, std::string> faults[] = {{EIO, std::strerror(EIO)},
                                                  {0, "τελείωσε μετά από 100 από τα 70000 bytes του"}};
    for (const auto& [error, reason] : faults) {
        const FileReadFunction read = karvo::test::FailingRead(100, error);
        EXPECT_EQ(failure(name, read), opening + reason);
        EXPECT_THROW(LoadLines(name, read), KarvoError);
        EXPECT_EQ(LoadTextPrefix(name, 100, read), std::string(100, 'x')); // the part before the fault reads
    }
    EXPECT_EQ(LoadTextFile(name).size(), 70000u);
    // No read permission, for an ordinary user.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755) + ::chmod(name.c_str(), 0), 0);
    EXPECT_TRUE(karvo::test::AsOrdinaryUser([&] { return failure(name) == opening + std::strerror(EACCES); }));
}
