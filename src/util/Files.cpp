// Whole-file operations over POSIX calls: case-insensitive name look-up, reading, atomic
// replacement, listing by wildcard mask and the small folder helpers.
#include "util/Files.h"

#include "util/Markup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

bool entryExists(const QString& path)
{
    struct stat st;
    return ::lstat(encoded(path).constData(), &st) == 0;
}

// The names in a folder, in the order the file system gives them; "." and ".." left out.
std::vector<QString> folderEntries(const QString& folder)
{
    std::vector<QString> names;
    DIR* dir = ::opendir(encoded(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.push_back(QFile::decodeName(entry->d_name));
        }
    }
    ::closedir(dir);
    return names;
}

// The entry of folder whose name equals part without regard to case; the smallest such name
// when several do, so the choice does not depend on the enumeration order.
QString caseMatch(const QString& folder, const QString& part)
{
    QString found;
    for (const QString& name : folderEntries(folder)) {
        if (name.compare(part, Qt::CaseInsensitive) == 0 && (found.isEmpty() || name < found)) {
            found = name;
        }
    }
    return found;
}

// "*" any run, "?" one character; both texts already case-folded.
bool wildcardMatch(QStringView mask, QStringView name)
{
    qsizetype m = 0, n = 0, starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*') {
        ++m;
    }
    return m == mask.size();
}

bool maskMatches(const QString& foldedMask, const QString& name)
{
    const QString folded = name.toCaseFolded();
    // As on the system the masks come from, "x.*" also matches a bare "x".
    return wildcardMatch(foldedMask, folded) ||
           (foldedMask.endsWith(QStringLiteral(".*")) && wildcardMatch(foldedMask.chopped(2), folded));
}

std::string splitFolder(const std::string& mask, std::string& pattern)
{
    const auto slash = mask.rfind('/');
    pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);
    return slash == std::string::npos ? std::string() : mask.substr(0, slash + 1);
}

std::string platformMessage(int error)
{
    return std::strerror(error);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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

std::string readFile(const std::string& name, std::int64_t limit)
{
    std::string out;
    const int fd = ::open(encoded(NativePath(name)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return out;
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        out.reserve(static_cast<std::size_t>(std::min<std::int64_t>(st.st_size, limit)));
    }
    char buffer[65536];
    while (static_cast<std::int64_t>(out.size()) < limit) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(sizeof buffer, limit - static_cast<std::int64_t>(out.size())));
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return out;
}

} // namespace

QString NativePath(const std::string& name)
{
    const QString path = PathToWide(name);
    if (path.isEmpty() || entryExists(path)) {
        return path;
    }
    // Walk the parts; the first one missing even without regard to case ends the look-up.
    const QStringList parts = path.split(u'/');
    QString resolved = path.startsWith(u'/') ? QStringLiteral("/") : QString();
    for (qsizetype i = path.startsWith(u'/') ? 1 : 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString next = part;
        if (!part.isEmpty() && part != u"." && part != u".." && !entryExists(resolved + part)) {
            next = caseMatch(resolved, part);
            if (next.isEmpty()) {
                return resolved + parts.mid(i).join(u'/');
            }
        }
        resolved += next;
        if (i + 1 < parts.size()) {
            resolved += u'/';
        }
    }
    return resolved;
}

std::string LoadTextFile(const std::string& name)
{
    return readFile(name, INT64_MAX);
}

std::string LoadTextPrefix(const std::string& name, std::int64_t n)
{
    return n <= 0 ? std::string() : readFile(name, n);
}

std::vector<std::string> LoadLines(const std::string& name)
{
    const std::string text = LoadTextFile(name);
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
    WriteFileAtomic(name, text);
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
    WriteFileAtomic(name, text);
}

bool WriteFileAtomic(const std::string& name, std::string_view bytes, std::string* error)
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
    QByteArray temp = encoded(folder + QStringLiteral("/.karvo-XXXXXX"));
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    int failure = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (hadOld && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only a privileged process may hand the file to its old owner; otherwise it stays ours.
        }
        if (::fchmod(fd, replacementMode(hadOld ? &old : nullptr)) != 0 || !writeAll(fd, bytes) ||
            ::fsync(fd) != 0) {
            failure = errno;
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

std::vector<std::string> ListFiles(const std::string& mask, int kinds)
{
    std::string pattern;
    const std::string folderPart = splitFolder(mask, pattern);
    std::vector<std::string> names;
    if (pattern.empty()) {
        return names;
    }
    const QString folder = folderPart.empty() ? QStringLiteral(".") : NativePath(folderPart);
    const QString foldedMask = PathToWide(pattern).toCaseFolded();
    for (const QString& name : folderEntries(folder)) {
        if (!maskMatches(foldedMask, name)) {
            continue;
        }
        struct stat st;
        if (::stat(encoded(folder + u'/' + name).constData(), &st) != 0) {
            continue;
        }
        const int kind = S_ISDIR(st.st_mode) ? 2 : 1;
        if (kinds & kind) {
            names.push_back(PathToSingleByte(name.toStdString()));
        }
    }
    return names;
}

void DeleteFiles(const std::string& mask)
{
    std::string pattern;
    const std::string folderPart = splitFolder(mask, pattern);
    for (const std::string& name : ListFiles(mask, 1)) {
        MakeWritable(folderPart + name);
        ::unlink(encoded(NativePath(folderPart + name)).constData());
    }
}

std::int64_t FileSizeOf(const std::string& name)
{
    struct stat st;
    if (::stat(encoded(NativePath(name)).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return st.st_size;
}

void MakeWritable(const std::string& name)
{
    const QByteArray path = encoded(NativePath(name));
    struct stat st;
    if (::stat(path.constData(), &st) == 0 && (st.st_mode & S_IWUSR) == 0) {
        ::chmod(path.constData(), (st.st_mode & 07777) | S_IWUSR);
    }
}

void CreateFolder(const std::string& path)
{
    const std::string folder = WithBackslash(path, 1);
    if (!folder.empty()) {
        ::mkdir(encoded(NativePath(folder)).constData(), 0777);
    }
}

std::string CurrentFolder()
{
    return WithBackslash(PathToSingleByte(QDir::currentPath().toStdString()), 0);
}

std::string WithBackslash(const std::string& path, int mode)
{
    if (path.empty()) {
        return path;
    }
    if (mode == 0 && !path.ends_with('/')) {
        return path + '/';
    }
    // The root folder keeps its only "/".
    if (mode == 1 && path.ends_with('/') && path.size() > 1) {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::string TempFolder()
{
    return WithBackslash(PathToSingleByte(QDir::tempPath().trimmed().toStdString()), 0);
}

} // namespace karvo
