// The structure of a ZIP archive checked by our own reading, before any part is taken from it:
// the end-of-central-directory record where it must be, a central directory that the record
// describes exactly, and every entry's local header and data inside the archive. An archive cut
// off by a broken transfer or damaged on the way fails here, whatever a ZIP library would still
// make of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace karvo {

// What the central directory says of one entry.
struct ZipEntryLayout
{
    std::string name; // as stored
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0; // uncompressed
    std::uint64_t localOffset = 0;
};

// Most entries an archive may have: a workbook has a few dozen.
inline constexpr std::size_t MaxZipEntries = 65535;

// Reads length bytes at offset; fewer when the archive ends first.
using ZipBytesAt = std::function<std::string(std::uint64_t offset, std::size_t length)>;

// The entries in central-directory order. archiveSize: the archive's length in bytes. Throws
// KarvoError with a sentence (Greek, no subject) saying what is wrong, for the caller to put
// after the archive's name.
std::vector<ZipEntryLayout> CheckZipLayout(std::uint64_t archiveSize, const ZipBytesAt& bytesAt);

} // namespace karvo
