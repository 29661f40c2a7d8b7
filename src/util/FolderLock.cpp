#include "util/FolderLock.h"

#include "util/FileNames.h"
#include "util/Files.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace karvo {

FolderLock::FolderLock(const std::string& folder)
    : m_path(QFile::encodeName(NativePath(WithTrailingSlash(folder) + kUpdateLockName)).toStdString())
{
}

FolderLock::~FolderLock()
{
    if (m_fd >= 0) {
        ::close(m_fd); // releases the lock
    }
}

bool FolderLock::tryLock()
{
    if (m_held) {
        return true;
    }
    if (m_fd < 0) {
        m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (m_fd < 0) {
            m_held = true; // nothing to lock with; see the header
            return true;
        }
    }
    int result = 0;
    do {
        result = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    m_held = result == 0 || errno != EWOULDBLOCK;
    return m_held;
}

std::string FolderBusyText()
{
    return "Μια άλλη ενημέρωση τρέχει ήδη σε αυτόν τον φάκελο δεδομένων (από τη γραμμή εντολών ή από "
           "άλλο παράθυρο του προγράμματος). Δοκιμάστε ξανά όταν τελειώσει.";
}

} // namespace karvo
