// Whole-file reading and writing over POSIX calls; every write is an atomic replacement.
#include "util/Files.h"

#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/KarvoError.h"
#include "util/ScratchFiles.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

std::string platformMessage(int error)
{
    return std::strerror(error);
}

// The mode a replacement gets: the old file's, with the owner's write permission; for a new
// file the usual mode under the process's umask.
mode_t replacementMode(const struct stat* old)
{
    if (old != nullptr) {
        return (old->st_mode & 07777) | S_IWUSR;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

FileReadFunction g_read;

[[noreturn]] void throwReadError(const std::string& name, const std::string& reason)
{
    throw KarvoError("Δεν ήταν δυνατή η ανάγνωση του αρχείου " + Cp1253ToUtf8(name) + ": " + reason);
}

// Closes a descriptor on every way out.
struct Descriptor
{
    int fd;
    ~Descriptor() { ::close(fd); }
};

// One read through read, else the program's, else the system's.
long readOnce(const FileReadFunction& read, int fd, char* to, std::size_t want)
{
    if (read) {
        return read(fd, to, want);
    }
    return g_read ? g_read(fd, to, want) : ::read(fd, to, want);
}

// Reads up to want bytes into to; 0 at the end of the file.
std::size_t readSome(int fd, char* to, std::size_t want, const std::string& name, const FileReadFunction& read)
{
    for (;;) {
        const long got = readOnce(read, fd, to, want);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int failure = errno;
            throwReadError(name, platformMessage(failure));
        }
        return static_cast<std::size_t>(got);
    }
}

// Appends up to want bytes at out's end; false at the end of the file.
bool readMore(int fd, std::string& out, std::size_t want, const std::string& name, const FileReadFunction& read)
{
    const std::size_t used = out.size();
    out.resize(used + want);
    const std::size_t got = readSome(fd, out.data() + used, want, name, read);
    out.resize(used + got);
    return got > 0;
}

// Opens name for reading: -1 when there is no such file; anything but a regular file throws.
// O_NONBLOCK keeps open from waiting for a writer when a FIFO stands in the file's place; fstat
// then refuses it.
int openRegular(const std::string& name, struct stat& st)
{
    const int fd = ::open(encoded(NativePath(name)).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int failure = errno;
        if (failure == ENOENT) {
            return -1;
        }
        throwReadError(name, platformMessage(failure));
    }
    if (::fstat(fd, &st) != 0) {
        const int failure = errno;
        ::close(fd);
        throwReadError(name, platformMessage(failure));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throwReadError(name,
                       S_ISDIR(st.st_mode) ? platformMessage(EISDIR)
                                           : "δεν είναι κανονικό αρχείο αλλά "
                               + std::string(S_ISFIFO(st.st_mode) ? "FIFO" : "συσκευή"));
    }
    return fd;
}

[[noreturn]] void throwEndedEarly(const std::string& name, std::size_t got, std::int64_t expected)
{
    throwReadError(name,
                   "τελείωσε μετά από " + std::to_string(got) + " από τα " + std::to_string(expected) + " bytes του");
}

// Reads into the result's own buffer, so the bytes are held once.
std::string readFile(const std::string& name, std::int64_t limit, const FileReadFunction& read)
{
    struct stat st;
    const int fd = openRegular(name, st);
    if (fd < 0) {
        return {};
    }
    const Descriptor closer{fd};
    const std::int64_t expected = std::min<std::int64_t>(st.st_size, limit);
    std::string out;
    out.reserve(static_cast<std::size_t>(expected));
    while (static_cast<std::int64_t>(out.size()) < limit) {
        const std::int64_t left = limit - static_cast<std::int64_t>(out.size());
        const std::int64_t toSize = expected - static_cast<std::int64_t>(out.size());
        // The announced size in one go, then in blocks while the file is still growing.
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(toSize > 0 ? toSize : 65536, left));
        if (!readMore(fd, out, want, name, read)) {
            break;
        }
    }
    if (static_cast<std::int64_t>(out.size()) < expected) {
        throwEndedEarly(name, out.size(), expected);
    }
    return out;
}

} // namespace

std::string LoadTextFile(const std::string& name, const FileReadFunction& read)
{
    return readFile(name, INT64_MAX, read);
}

std::string LoadTextPrefix(const std::string& name, std::int64_t n, const FileReadFunction& read)
{
    return n <= 0 ? std::string() : readFile(name, n, read);
}

std::size_t LoadFileInto(const std::string& name, std::int64_t limit, std::string& buffer, std::int64_t& size,
                         const FileReadFunction& read)
{
    size = 0;
    struct stat st;
    const int fd = openRegular(name, st);
    if (fd < 0) {
        return 0;
    }
    const Descriptor closer{fd};
    size = st.st_size;
    if (size > limit) {
        return 0;
    }
    const auto expected = static_cast<std::size_t>(size);
    if (buffer.size() < expected) {
        buffer.resize(expected);
    }
    std::size_t used = 0;
    while (used < expected) {
        const std::size_t got = readSome(fd, buffer.data() + used, expected - used, name, read);
        if (got == 0) {
            throwEndedEarly(name, used, static_cast<std::int64_t>(expected));
        }
        used += got;
    }
    return used;
}

std::vector<std::string> LoadLines(const std::string& name, const FileReadFunction& read)
{
    const std::string text = LoadTextFile(name, read);
    std::vector<std::string> lines;
    std::size_t from = 0;
    // Each CR ends a line and the byte after it is taken as its LF, whatever it is.
    for (std::size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', from)) {
        lines.push_back(text.substr(from, cr - from));
        from = cr + 2;
        if (from >= text.size()) {
            return lines;
        }
    }
    if (from < text.size()) {
        lines.push_back(text.substr(from));
    }
    return lines;
}

void SaveTextFile(const std::string& name, std::string_view text)
{
    ReplaceFileOrThrow(name, text);
}

void SaveLines(const std::string& name, const std::vector<std::string>& lines)
{
    std::string text;
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    ReplaceFileOrThrow(name, text);
}

void SetFileReadFunction(FileReadFunction read)
{
    g_read = std::move(read);
}

int WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

bool WriteFileAtomic(const std::string& name, std::string_view bytes, std::string* error)
{
    return WriteFileAtomicFrom(name, [bytes](int fd) { return WriteAll(fd, bytes); }, error);
}

bool WriteFileAtomicFrom(const std::string& name, const std::function<int(int fd)>& fill, std::string* error)
{
    QString path = NativePath(name);
    struct stat old;
    bool hadOld = ::lstat(encoded(path).constData(), &old) == 0;
    // A link is followed, so the file it names is replaced and the link stays.
    if (hadOld && S_ISLNK(old.st_mode)) {
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty()) {
            path = target;
        }
        hadOld = ::stat(encoded(path).constData(), &old) == 0;
    }
    const QString folder = QFileInfo(path).path();
    QByteArray temp =
        encoded(folder) + '/' + QByteArray::fromStdString(std::string(kWriteScratchPrefix).append(kScratchRandom));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    int failure = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (hadOld && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only a privileged process may hand the file to its old owner; otherwise it stays ours.
        }
        if (::fchmod(fd, replacementMode(hadOld ? &old : nullptr)) != 0) {
            failure = errno;
        } else {
            failure = fill(fd);
            if (failure == 0 && ::fsync(fd) != 0) {
                failure = errno;
            }
        }
        if (::close(fd) != 0 && failure == 0) {
            failure = errno;
        }
        if (failure == 0 && ::rename(temp.constData(), encoded(path).constData()) != 0) {
            failure = errno;
        }
        if (failure != 0) {
            ::unlink(temp.constData());
        }
    }
    if (failure != 0) {
        if (error != nullptr) {
            *error = platformMessage(failure);
        }
        return false;
    }
    // The rename itself is made durable with the folder.
    const int dirFd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

void ReplaceFileOrThrow(const std::string& name, std::string_view bytes)
{
    std::string error;
    if (!WriteFileAtomic(name, bytes, &error)) {
        throw KarvoError("Δεν ήταν δυνατή η εγγραφή του αρχείου " + Cp1253ToUtf8(name) + ": " + error);
    }
}

} // namespace karvo
