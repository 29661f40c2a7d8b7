// Reading the parts of a ZIP archive (a workbook) whole into memory. Entry sizes come from the
// central directory, so archives whose local headers defer their sizes to a data descriptor read
// the same. The archive's structure is checked on opening, and each part's size and CRC-32 after
// it is inflated, by this code itself: a cut-off or damaged archive is refused whatever the ZIP
// library would make of it. Every failure throws KarvoError naming the archive and the problem.
#pragma once

#include "workbook/ZipLayout.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace karvo {

// Largest uncompressed part accepted: a bigger one is refused as a decompression bomb.
inline constexpr std::uint64_t MaxZipPartBytes = 256ull * 1024 * 1024;

class ZipArchive
{
public:
    // path: Windows-1253 name, looked up like every other file name.
    static ZipArchive open(const std::string& path);
    // An archive held in memory; bytes must outlive the object. label names it in messages.
    static ZipArchive fromBytes(std::string_view bytes, const std::string& label);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // Stored names in central-directory order, at most maxCount of them.
    std::vector<std::string> entryNames(std::size_t maxCount) const;
    // name: folders separated by "/" or "\"; matched exactly, else without regard to letter case.
    // The whole uncompressed content; throws when missing, damaged or larger than limit bytes.
    std::string read(const std::string& name, std::uint64_t limit = MaxZipPartBytes) const;

private:
    ZipArchive(zip* archive, std::string label, std::vector<ZipEntryLayout> layout);
    [[noreturn]] void fail(const std::string& problem) const;

    zip* m_archive = nullptr;
    std::string m_label;
    std::vector<ZipEntryLayout> m_layout; // in central-directory order, as the library's indexes
};

// The content of one entry of the archive at archivePath.
std::string ReadZipEntry(const std::string& archivePath, const std::string& entryName);
// The first 250 stored names, in central-directory order.
std::vector<std::string> ListZipEntries(const std::string& archivePath);
// The highest N of 1, 2, 3 for which a stored name contains "sheet<N>.xml"; 0 when none does.
int CountSheets(const std::vector<std::string>& entryNames);
int CountSheets(const std::string& archivePath);

} // namespace karvo
