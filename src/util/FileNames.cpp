// File names on disk: case-insensitive look-up of each missing part, listing and deleting by
// wildcard mask, sizes, permissions and the folder helpers.
#include "util/FileNames.h"

#include "util/KarvoError.h"
#include "util/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <dirent.h>
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
    return wildcardMatch(foldedMask, folded)
        || (foldedMask.endsWith(QStringLiteral(".*")) && wildcardMatch(foldedMask.chopped(2), folded));
}

std::string splitFolder(const std::string& mask, std::string& pattern)
{
    const auto slash = mask.rfind('/');
    pattern = slash == std::string::npos ? mask : mask.substr(slash + 1);
    return slash == std::string::npos ? std::string() : mask.substr(0, slash + 1);
}

} // namespace

QString NativePath(const std::string& name)
{
    QString path = PathToWide(name); // not const: returned as it is, it is moved
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

std::vector<std::string> ListFiles(const std::string& mask, ListKinds kinds)
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
        const ListKinds kind = S_ISDIR(st.st_mode) ? ListKinds::Folders : ListKinds::Files;
        if ((static_cast<int>(kinds) & static_cast<int>(kind)) != 0) {
            names.push_back(PathToSingleByte(name.toStdString()));
        }
    }
    return names;
}

void DeleteFiles(const std::string& mask)
{
    std::string pattern;
    const std::string folderPart = splitFolder(mask, pattern);
    for (const std::string& name : ListFiles(mask, ListKinds::Files)) {
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
    const std::string folder = WithoutTrailingSlash(path);
    if (!folder.empty()) {
        ::mkdir(encoded(NativePath(folder)).constData(), 0777);
    }
}

std::string CurrentFolder()
{
    return WithTrailingSlash(PathToSingleByte(QDir::currentPath().toStdString()));
}

std::string WithTrailingSlash(const std::string& path)
{
    return path.empty() || path.ends_with('/') ? path : path + '/';
}

std::string WithoutTrailingSlash(const std::string& path)
{
    // The root folder keeps its only "/".
    return path.ends_with('/') && path.size() > 1 ? path.substr(0, path.size() - 1) : path;
}

std::string TempFolder()
{
    // A TMPDIR that is missing or not ours to write in is passed over, never taken as "" (the root).
    const QString fromEnvironment = qEnvironmentVariable("TMPDIR");
    const QString candidates[] = {fromEnvironment.isEmpty() ? QStringLiteral("/tmp") : fromEnvironment,
                                  QDir::currentPath(), QStringLiteral("/tmp")};
    for (const QString& candidate : candidates) {
        const QFileInfo folder(candidate);
        if (folder.isAbsolute() && folder.isDir()
            && ::access(QFile::encodeName(candidate).constData(), W_OK | X_OK) == 0) {
            return WithTrailingSlash(PathToSingleByte(folder.absoluteFilePath().toStdString()));
        }
    }
    throw KarvoError("Δεν υπάρχει φάκελος για τα προσωρινά αρχεία της λήψης: κανένας από τους "
                     + candidates[0].toStdString() + ", " + candidates[1].toStdString()
                     + " και /tmp δεν δέχεται εγγραφή.");
}

} // namespace karvo
