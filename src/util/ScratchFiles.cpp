// Removal of the scratch files a killed process leaves behind: the atomic writer's
// ".karvo-XXXXXX" beside the files it replaces and the downloads' "karvo-XXXXXX.fil". Only these
// names are touched, so no file of the user's goes, whatever folder is swept.
#include "util/ScratchFiles.h"

#include "util/FileNames.h"

#include <QFile>
#include <QFileInfo>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace {

// An hour is far longer than any write or download takes, so a file this old has no owner left.
constexpr std::time_t kStaleSeconds = 3600;

// mkstemp's random characters: letters and digits.
bool isRandomPart(std::string_view text)
{
    if (text.size() != kScratchRandom.size()) {
        return false;
    }
    for (const char c : text) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

bool isScratchName(std::string_view name, bool tempFolder)
{
    const std::string_view prefix = tempFolder ? kDownloadScratchPrefix : kWriteScratchPrefix;
    const std::string_view suffix = tempFolder ? kDownloadScratchSuffix : std::string_view();
    return name.size() == prefix.size() + kScratchRandom.size() + suffix.size() && name.starts_with(prefix)
        && name.ends_with(suffix) && isRandomPart(name.substr(prefix.size(), kScratchRandom.size()));
}

// Removes the folder's own old scratch files: regular files of this user only, never a link.
void removeStale(const QByteArray& folder, bool tempFolder, std::time_t now)
{
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (!isScratchName(entry->d_name, tempFolder)) {
            continue;
        }
        const QByteArray path = folder + '/' + entry->d_name;
        struct stat st;
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()
            && st.st_mtime < now - kStaleSeconds) {
            ::unlink(path.constData());
        }
    }
    ::closedir(dir);
}

} // namespace

void RemoveStaleScratchFiles(const std::string& folder, const std::vector<std::string>& subfolders,
                             const std::string& tempFolder, std::time_t now)
{
    const QString working = NativePath(WithoutTrailingSlash(folder));
    removeStale(QFile::encodeName(working), false, now);
    for (const std::string& sub : subfolders) {
        removeStale(QFile::encodeName(NativePath(WithTrailingSlash(folder) + sub)), false, now);
    }
    removeStale(QFile::encodeName(NativePath(WithoutTrailingSlash(tempFolder))), true, now);
    // Downloads go to the working folder when the temporary folder takes no files.
    if (WithTrailingSlash(tempFolder) != WithTrailingSlash(folder)) {
        removeStale(QFile::encodeName(working), true, now);
    }
}

void RemoveStaleScratchFilesBeside(const std::string& name, std::time_t now)
{
    removeStale(QFile::encodeName(QFileInfo(NativePath(name)).path()), false, now);
}

} // namespace karvo
