#include "workbook/ZipLayout.h"

#include "util/KarvoError.h"

#include <algorithm>

namespace karvo {

namespace {

constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint32_t Zip64EndSignature = 0x06064b50;
constexpr std::uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t CentralSignature = 0x02014b50;
constexpr std::uint32_t LocalSignature = 0x04034b50;
constexpr std::size_t EndBytes = 22;
constexpr std::size_t Zip64LocatorBytes = 20;
constexpr std::size_t Zip64EndBytes = 56;
constexpr std::size_t CentralBytes = 46;
constexpr std::size_t LocalBytes = 30;
constexpr std::size_t MaxCommentBytes = 0xFFFF;
// The central directory of MaxZipEntries entries with names and extras of a sensible length.
constexpr std::uint64_t MaxCentralBytes = 64ull << 20;

[[noreturn]] void Damaged(const std::string& why)
{
    throw KarvoError(why);
}

std::uint64_t Le(const std::string& bytes, std::size_t at, int width)
{
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::uint16_t Le16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(Le(bytes, at, 2));
}

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(Le(bytes, at, 4));
}

std::uint64_t Le64(const std::string& bytes, std::size_t at)
{
    return Le(bytes, at, 8);
}

// Where the directory is and how many entries it has, as the end records say.
struct Directory
{
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t count = 0;
    std::uint64_t end = 0; // where the end records begin: the directory stops before them
};

// The end-of-central-directory record is the last thing in the archive, its comment running to
// the very last byte. A cut-off archive has none there.
Directory FindDirectory(std::uint64_t archiveSize, const ZipBytesAt& bytesAt)
{
    const std::string missing = "δεν έχει στο τέλος του τον κατάλογο των μερών του (ίσως είναι κομμένο).";
    if (archiveSize < EndBytes) {
        Damaged(missing);
    }
    const std::uint64_t tailStart = archiveSize - std::min<std::uint64_t>(archiveSize, EndBytes + MaxCommentBytes);
    const std::string tail = bytesAt(tailStart, static_cast<std::size_t>(archiveSize - tailStart));
    if (tail.size() != archiveSize - tailStart) {
        Damaged(missing);
    }
    for (std::size_t at = tail.size() - EndBytes + 1; at-- > 0;) {
        if (Le32(tail, at) != EndSignature || at + EndBytes + Le16(tail, at + 20) != tail.size()) {
            continue;
        }
        if (Le16(tail, at + 4) != 0 || Le16(tail, at + 6) != 0) {
            Damaged("είναι μέρος αρχείου ZIP σε πολλούς τόμους.");
        }
        if (Le16(tail, at + 8) != Le16(tail, at + 10)) {
            Damaged("έχει χαλασμένο κατάλογο μερών.");
        }
        Directory directory{Le32(tail, at + 16), Le32(tail, at + 12), Le16(tail, at + 10), tailStart + at};
        if (directory.count != 0xFFFF && directory.size != 0xFFFFFFFF && directory.offset != 0xFFFFFFFF) {
            return directory;
        }
        // ZIP64: the real figures are in a record that a locator just before this one points at.
        if (directory.end < Zip64LocatorBytes) {
            Damaged(missing);
        }
        const std::string locator = bytesAt(directory.end - Zip64LocatorBytes, Zip64LocatorBytes);
        if (locator.size() != Zip64LocatorBytes || Le32(locator, 0) != Zip64LocatorSignature) {
            Damaged("έχει χαλασμένο τέλος καταλόγου.");
        }
        const std::uint64_t recordAt = Le64(locator, 8);
        const std::string record = recordAt <= directory.end ? bytesAt(recordAt, Zip64EndBytes) : std::string();
        if (record.size() != Zip64EndBytes || Le32(record, 0) != Zip64EndSignature
            || recordAt + Zip64EndBytes > directory.end - Zip64LocatorBytes || Le64(record, 24) != Le64(record, 32)) {
            Damaged("έχει χαλασμένο τέλος καταλόγου.");
        }
        return {Le64(record, 48), Le64(record, 40), Le64(record, 32), recordAt};
    }
    Damaged(missing);
}

// The ZIP64 figures of an entry whose header field holds all ones, in the order the format gives.
void ReadZip64Extra(const std::string& extra, ZipEntryLayout& entry)
{
    std::size_t at = 0;
    while (at + 4 <= extra.size()) {
        const std::uint16_t id = Le16(extra, at);
        const std::size_t length = Le16(extra, at + 2);
        if (at + 4 + length > extra.size()) {
            break;
        }
        if (id == 0x0001) {
            std::size_t field = at + 4;
            for (std::uint64_t* value : {&entry.size, &entry.compressedSize, &entry.localOffset}) {
                if (*value == 0xFFFFFFFF) {
                    if (field + 8 > at + 4 + length) {
                        Damaged("έχει χαλασμένη εγγραφή για το μέρος \"" + entry.name + "\".");
                    }
                    *value = Le64(extra, field);
                    field += 8;
                }
            }
            return;
        }
        at += 4 + length;
    }
    if (entry.size == 0xFFFFFFFF || entry.compressedSize == 0xFFFFFFFF || entry.localOffset == 0xFFFFFFFF) {
        Damaged("έχει χαλασμένη εγγραφή για το μέρος \"" + entry.name + "\".");
    }
}

} // namespace

std::vector<ZipEntryLayout> CheckZipLayout(std::uint64_t archiveSize, const ZipBytesAt& bytesAt)
{
    const Directory directory = FindDirectory(archiveSize, bytesAt);
    const std::string brokenDirectory = "έχει χαλασμένο κατάλογο μερών.";
    if (directory.offset > directory.end || directory.size > directory.end - directory.offset
        || directory.size > MaxCentralBytes || directory.count > MaxZipEntries) {
        Damaged(brokenDirectory);
    }
    const std::string central = bytesAt(directory.offset, static_cast<std::size_t>(directory.size));
    if (central.size() != directory.size) {
        Damaged(brokenDirectory);
    }
    std::vector<ZipEntryLayout> entries;
    std::size_t at = 0;
    while (entries.size() < directory.count) {
        if (at + CentralBytes > central.size() || Le32(central, at) != CentralSignature) {
            Damaged(brokenDirectory);
        }
        const std::size_t nameLength = Le16(central, at + 28);
        const std::size_t extraLength = Le16(central, at + 30);
        const std::size_t commentLength = Le16(central, at + 32);
        const std::size_t next = at + CentralBytes + nameLength + extraLength + commentLength;
        if (next > central.size()) {
            Damaged(brokenDirectory);
        }
        ZipEntryLayout entry;
        entry.name = central.substr(at + CentralBytes, nameLength);
        entry.crc = Le32(central, at + 16);
        entry.compressedSize = Le32(central, at + 20);
        entry.size = Le32(central, at + 24);
        entry.localOffset = Le32(central, at + 42);
        ReadZip64Extra(central.substr(at + CentralBytes + nameLength, extraLength), entry);
        entries.push_back(std::move(entry));
        at = next;
    }
    if (at != central.size()) {
        Damaged(brokenDirectory);
    }
    // Each entry's data lies whole before the directory, after a local header of its own.
    for (const ZipEntryLayout& entry : entries) {
        const std::string cut = "έχει το μέρος \"" + entry.name + "\" κομμένο ή χαλασμένο.";
        const std::string local =
            entry.localOffset <= directory.offset ? bytesAt(entry.localOffset, LocalBytes) : std::string();
        if (local.size() != LocalBytes || Le32(local, 0) != LocalSignature) {
            Damaged(cut);
        }
        const std::uint64_t dataStart =
            entry.localOffset + LocalBytes + Le16(local, 26) + static_cast<std::uint64_t>(Le16(local, 28));
        if (dataStart > directory.offset || entry.compressedSize > directory.offset - dataStart) {
            Damaged(cut);
        }
    }
    return entries;
}

} // namespace karvo
