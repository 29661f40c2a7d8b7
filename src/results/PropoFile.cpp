#include "results/PropoFile.h"

#include "results/WholeFile.h"
#include "util/Files.h"

#include <algorithm>

namespace karvo {

namespace {

constexpr std::size_t HeaderSize = 7;
constexpr std::int64_t MinimumLength = 15'000;
constexpr int ExtensionValues = 3000;
constexpr char EndMark = '\x1A';
// Our header for a file made from nothing; its content is never read back.
constexpr char NewHeader[HeaderSize + 1] = "KARVO50";
// The longest file whose values fit PropoWords: 7 + 2 * 199,001 + 3 trailing bytes at most.
constexpr std::int64_t LengthLimit = 10 + 2 * (PropoWordsLimit - 1) + 1;

// n + 1 values for n = (length - 10) div 2, the division truncating towards zero.
std::int64_t ValueCount(std::int64_t length)
{
    if (length < 8) {
        return 0;
    }
    return (length - 10) / 2 + 1;
}

std::string LoadPropo(const std::string& path)
{
    std::string bytes = LoadWithinLimit(path, LengthLimit);
    // One more look when the file came back empty: it may have been replaced just then.
    if (bytes.empty()) {
        bytes = LoadWithinLimit(path, LengthLimit);
    }
    return bytes;
}

// Drops what follows the last whole value and appends 3000 empty values and the end mark.
void Extend(std::string& bytes)
{
    bytes.resize(HeaderSize + 2 * static_cast<std::size_t>(ValueCount(static_cast<std::int64_t>(bytes.size()))));
    bytes.reserve(bytes.size() + 2 * std::size_t{ExtensionValues} + 1);
    for (int i = 0; i < ExtensionValues; ++i) {
        bytes += '\xFF';
        bytes += '\x3F';
    }
    bytes += EndMark;
}

} // namespace

int PropoSlot(int year, int draw)
{
    return (year - PropoFirstYear) * PropoSlotsPerYear + draw;
}

std::vector<std::uint16_t> ReadPropoFile(const std::string& path)
{
    const std::string bytes = LoadPropo(path);
    std::vector<std::uint16_t> values(static_cast<std::size_t>(ValueCount(static_cast<std::int64_t>(bytes.size()))));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto lo = static_cast<unsigned char>(bytes[HeaderSize + 2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[HeaderSize + 2 * i + 1]);
        values[i] = static_cast<std::uint16_t>(lo | (hi << 8));
    }
    return values;
}

void WritePropoFile(const std::string& path, const std::vector<std::uint16_t>& values, int year)
{
    std::string bytes = LoadPropo(path);
    if (bytes.size() < HeaderSize) {
        bytes = std::string(NewHeader, HeaderSize) + EndMark;
    }
    const std::int64_t needed =
        year >= PropoFirstYear ? static_cast<std::int64_t>(year - PropoFirstYear + 1) * 2 * PropoSlotsPerYear + 1 : 0;
    while (static_cast<std::int64_t>(bytes.size()) < MinimumLength
           || ValueCount(static_cast<std::int64_t>(bytes.size())) < needed) {
        if (ValueCount(static_cast<std::int64_t>(bytes.size())) + ExtensionValues > PropoWordsLimit) {
            ThrowTooLarge(path, static_cast<std::int64_t>(bytes.size()) + 2 * std::int64_t{ExtensionValues},
                          LengthLimit);
        }
        Extend(bytes);
    }
    const std::size_t count =
        std::min(values.size(), static_cast<std::size_t>(ValueCount(static_cast<std::int64_t>(bytes.size()))));
    for (std::size_t i = 0; i < count; ++i) {
        bytes[HeaderSize + 2 * i] = static_cast<char>(values[i] & 0xFF);
        bytes[HeaderSize + 2 * i + 1] = static_cast<char>(values[i] >> 8);
    }
    ReplaceFileOrThrow(path, bytes);
}

char PropoSign(std::uint16_t first, std::uint16_t second, int j)
{
    static constexpr char Signs[4] = {'X', '1', '2', ' '};
    const std::uint16_t value = j <= 7 ? first : second;
    const int field = (j - 1) % 7;
    return Signs[(value >> (2 * field)) & 3];
}

std::string PropoSignLine(std::uint16_t first, std::uint16_t second)
{
    // Line positions (from 0) of signs 1..14: groups of 3, 4, 3 and 4 with a blank after each.
    static constexpr int Positions[14] = {0, 1, 2, 4, 5, 6, 7, 9, 10, 11, 13, 14, 15, 16};
    std::string line(18, ' ');
    for (int j = 1; j <= 14; ++j) {
        line[Positions[j - 1]] = PropoSign(first, second, j);
    }
    return line;
}

} // namespace karvo
