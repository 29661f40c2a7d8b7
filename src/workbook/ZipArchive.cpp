#include "workbook/ZipArchive.h"

#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <QFile>
#include <algorithm>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

namespace karvo {

namespace {

std::string ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// A sentence on why the archive did not open, the archive layer's own text at its end.
[[noreturn]] void ThrowOpenProblem(const std::string& label, int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
#ifdef ZIP_ER_TRUNCATED_ZIP // libzip 1.10 and later tell a cut-off archive apart
    case ZIP_ER_TRUNCATED_ZIP:
#endif
        throw KarvoError("Το αρχείο \"" + label + "\" δεν είναι βιβλίο εργασίας (αρχείο ZIP): " + ZipErrorText(code));
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
        throw KarvoError("Δεν ήταν δυνατό το άνοιγμα του αρχείου \"" + label + "\": " + ZipErrorText(code));
    default: throw KarvoError("Το αρχείο \"" + label + "\" δεν διαβάζεται ως αρχείο ZIP: " + ZipErrorText(code));
    }
}

// The layout of an archive, or the reason it is not one, in the words of the other open problems.
std::vector<ZipEntryLayout> CheckedLayout(const std::string& label, std::uint64_t size, const ZipBytesAt& bytesAt)
{
    try {
        return CheckZipLayout(size, bytesAt);
    } catch (const KarvoError& problem) {
        throw KarvoError("Το αρχείο \"" + label + "\" δεν είναι βιβλίο εργασίας (αρχείο ZIP): " + problem.what());
    }
}

std::uint32_t Crc32Of(std::string_view bytes)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    while (!bytes.empty()) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(bytes.size(), 1u << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), piece);
        bytes.remove_prefix(piece);
    }
    return static_cast<std::uint32_t>(crc);
}

std::string TooLargePart(const std::string& part, std::uint64_t limit)
{
    return "έχει μέρος \"" + part + "\" που αποσυμπιέζεται σε περισσότερα από " + std::to_string(limit >> 20)
        + " MB, περισσότερα από όσα διαβάζει το πρόγραμμα.";
}

} // namespace

ZipArchive::ZipArchive(zip* archive, std::string label, std::vector<ZipEntryLayout> layout)
    : m_archive(archive)
    , m_label(std::move(label))
    , m_layout(std::move(layout))
{
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) != m_layout.size()) {
        zip_discard(std::exchange(m_archive, nullptr));
        throw KarvoError("Το αρχείο \"" + m_label
                         + "\" δεν είναι βιβλίο εργασίας (αρχείο ZIP): έχει χαλασμένο κατάλογο μερών.");
    }
}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : m_archive(std::exchange(other.m_archive, nullptr))
    , m_label(std::move(other.m_label))
    , m_layout(std::move(other.m_layout))
{
}

ZipArchive& ZipArchive::operator=(ZipArchive&& other) noexcept
{
    std::swap(m_archive, other.m_archive);
    std::swap(m_label, other.m_label);
    std::swap(m_layout, other.m_layout);
    return *this;
}

ZipArchive::~ZipArchive()
{
    if (m_archive) {
        zip_discard(m_archive);
    }
}

ZipArchive ZipArchive::open(const std::string& path)
{
    const std::string label = Cp1253ToUtf8(path);
    QFile file(NativePath(path));
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) {
        ThrowOpenProblem(label, ZIP_ER_OPEN);
    }
    std::vector<ZipEntryLayout> layout = CheckedLayout(
        label, static_cast<std::uint64_t>(file.size()), [&file](std::uint64_t offset, std::size_t length) {
            std::string bytes;
            if (file.seek(static_cast<qint64>(offset))) {
                bytes.resize(length);
                const qint64 got = file.read(bytes.data(), static_cast<qint64>(length));
                bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            }
            return bytes;
        });
    // The library reads the very file just checked, through a descriptor of its own that it
    // closes with the archive; on failure it is ours to close.
    const int descriptor = ::dup(file.handle());
    int code = ZIP_ER_OPEN;
    zip* archive = descriptor >= 0 ? zip_fdopen(descriptor, ZIP_RDONLY, &code) : nullptr;
    if (!archive) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        ThrowOpenProblem(label, code);
    }
    return ZipArchive(archive, label, std::move(layout));
}

ZipArchive ZipArchive::fromBytes(std::string_view bytes, const std::string& label)
{
    std::vector<ZipEntryLayout> layout =
        CheckedLayout(label, bytes.size(), [bytes](std::uint64_t offset, std::size_t length) {
            return offset <= bytes.size() ? std::string(bytes.substr(static_cast<std::size_t>(offset), length))
                                          : std::string();
        });
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (!archive) {
        if (source) {
            zip_source_free(source);
        }
        ThrowOpenProblem(label, code);
    }
    return ZipArchive(archive, label, std::move(layout));
}

void ZipArchive::fail(const std::string& problem) const
{
    throw KarvoError("Το βιβλίο εργασίας \"" + m_label + "\" " + problem);
}

std::vector<std::string> ZipArchive::entryNames(std::size_t maxCount) const
{
    const auto count = static_cast<std::size_t>(std::max<zip_int64_t>(zip_get_num_entries(m_archive, 0), 0));
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count && names.size() < maxCount; ++i) {
        const char* name = zip_get_name(m_archive, i, ZIP_FL_ENC_RAW);
        names.emplace_back(name ? name : "");
    }
    return names;
}

std::string ZipArchive::read(const std::string& name, std::uint64_t limit) const
{
    std::string stored = name;
    std::replace(stored.begin(), stored.end(), '\\', '/');
    zip_int64_t index = zip_name_locate(m_archive, stored.c_str(), ZIP_FL_ENC_RAW);
    if (index < 0) {
        index = zip_name_locate(m_archive, stored.c_str(), ZIP_FL_ENC_RAW | ZIP_FL_NOCASE);
    }
    if (index < 0) {
        fail("δεν έχει το μέρος \"" + stored + "\".");
    }
    zip_stat_t stat;
    if (zip_stat_index(m_archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        fail("έχει χαλασμένη εγγραφή για το μέρος \"" + stored + "\".");
    }
    // The declared size may lie, so the inflating below stops at the limit as well.
    if (stat.size > limit) {
        fail(TooLargePart(stored, limit));
    }
    zip_file_t* file = zip_fopen_index(m_archive, index, 0);
    if (!file) {
        fail("έχει μέρος \"" + stored + "\" που δεν αποσυμπιέζεται: " + zip_strerror(m_archive));
    }
    // One spare byte, so that a part of exactly its declared size ends without a second buffer.
    std::string text(stat.size + 1, '\0');
    std::uint64_t used = 0;
    for (;;) {
        if (used == text.size()) {
            if (used > limit) {
                zip_fclose(file);
                fail(TooLargePart(stored, limit));
            }
            text.resize(std::min<std::uint64_t>(std::max<std::uint64_t>(used * 2, 65536), limit + 1));
        }
        const zip_int64_t got = zip_fread(file, text.data() + used, text.size() - used);
        if (got < 0) {
            const std::string reason = zip_file_strerror(file);
            zip_fclose(file);
            fail("έχει χαλασμένο μέρος \"" + stored + "\": " + reason);
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::uint64_t>(got);
    }
    zip_fclose(file);
    text.resize(used);
    // What the library gave must be what the directory promised, byte count and checksum.
    const ZipEntryLayout& entry = m_layout[static_cast<std::size_t>(index)];
    if (used != entry.size || Crc32Of(text) != entry.crc) {
        fail("έχει χαλασμένο μέρος \"" + stored + "\": το μέγεθος ή το άθροισμα ελέγχου (CRC) δεν συμφωνεί.");
    }
    return text;
}

std::string ReadZipEntry(const std::string& archivePath, const std::string& entryName)
{
    return ZipArchive::open(archivePath).read(entryName);
}

std::vector<std::string> ListZipEntries(const std::string& archivePath)
{
    return ZipArchive::open(archivePath).entryNames(250);
}

int CountSheets(const std::vector<std::string>& entryNames)
{
    int highest = 0;
    for (int n = 1; n <= 3; ++n) {
        const std::string part = "sheet" + std::to_string(n) + ".xml";
        for (const std::string& name : entryNames) {
            if (name.find(part) != std::string::npos) {
                highest = n;
                break;
            }
        }
    }
    return highest;
}

int CountSheets(const std::string& archivePath)
{
    return CountSheets(ListZipEntries(archivePath));
}

} // namespace karvo
