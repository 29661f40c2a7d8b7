#include "results/ResultsFiles.h"

#include "domain/Games.h"
#include "results/WholeFile.h"
#include "util/Files.h"
#include "util/Numbers.h"

namespace karvo {

namespace {

// Shorter files count as empty: they cannot hold a meaningful record.
constexpr std::size_t MinimumFileSize = 9;

std::string ReadAtLeastMinimum(const std::string& path)
{
    std::string bytes = LoadWithinLimit(path, ResultsBufferLimit);
    if (bytes.size() < MinimumFileSize) {
        bytes.clear();
    }
    return bytes;
}

void CheckWritable(const std::string& path, std::string_view bytes)
{
    if (static_cast<std::int64_t>(bytes.size()) > ResultsBufferLimit) {
        ThrowTooLarge(path, static_cast<std::int64_t>(bytes.size()), ResultsBufferLimit);
    }
}

} // namespace

void PositionMask(std::span<char> bytes)
{
    // A running mask instead of a division per byte; every 77th byte meets mask 0 and stays.
    int mask = 1;
    for (char& b : bytes) {
        b = static_cast<char>(static_cast<unsigned char>(b) ^ mask);
        mask = mask == 76 ? 0 : mask + 1;
    }
}

std::string ReadMaskedFile(const std::string& path)
{
    std::string bytes = ReadAtLeastMinimum(path);
    PositionMask(bytes);
    return bytes;
}

void WriteMaskedFile(const std::string& path, std::string_view bytes)
{
    CheckWritable(path, bytes);
    std::string masked(bytes);
    PositionMask(masked);
    ReplaceFileOrThrow(path, masked);
}

std::string ReadKinoFile(const std::string& path)
{
    return ReadAtLeastMinimum(path);
}

std::size_t ReadKinoFileInto(const std::string& path, std::string& buffer)
{
    std::int64_t size = 0;
    const std::size_t used = LoadFileInto(path, ResultsBufferLimit, buffer, size);
    if (size > ResultsBufferLimit) {
        ThrowTooLarge(path, size, ResultsBufferLimit);
    }
    return used < MinimumFileSize ? 0 : used;
}

void WriteKinoFile(const std::string& path, std::string_view bytes)
{
    CheckWritable(path, bytes);
    ReplaceFileOrThrow(path, bytes);
}

std::int32_t KinoFirstDraw(std::string_view bytes)
{
    if (bytes.size() < 4) {
        return 0;
    }
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) {
        n = (n << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int32_t>(n);
}

std::string KinoHeader(std::int32_t firstDraw)
{
    std::string header(KinoRecordSize, '\0');
    const auto n = static_cast<std::uint32_t>(firstDraw);
    for (int i = 0; i < 4; ++i) {
        header[static_cast<std::size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
    }
    return header;
}

std::string KinoMonthFileName(int year, int month)
{
    return std::string(kDataFolderName) + "/kino_" + ZeroPad(year, 4) + "_" + ZeroPad(month, 2) + ".qav";
}

bool KinoMonthOfFileName(std::string_view name, int& year, int& month)
{
    // "kino_yyyy_mm.qav": sixteen characters after the folder.
    const std::size_t slash = name.rfind('/');
    const std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
    if (file.size() != 16) {
        return false;
    }
    year = TextToInt(std::string(file.substr(5, 4)));
    month = TextToInt(std::string(file.substr(10, 2)));
    return year >= 1 && month >= 1;
}

} // namespace karvo
