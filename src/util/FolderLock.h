// One update at a time per data folder: an advisory lock (flock) on ".karvo.lock" in the folder,
// held by the window's updates and by "karvo update" alike. The lock goes with its process, so a
// killed run never leaves the folder locked.
#pragma once

#include <string>

namespace karvo {

// The lock file's name in the data folder.
inline constexpr char kUpdateLockName[] = ".karvo.lock";

class FolderLock
{
public:
    // folder: the data folder, ending in "/" (Windows-1253). Nothing is locked yet.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock if no other process holds it, without waiting; true when this object holds
    // it then. A folder whose lock file cannot be made (read-only, full) counts as free: an update
    // there fails on its own writes.
    bool tryLock();

private:
    std::string m_path;
    int m_fd = -1;
    bool m_held = false;
};

// The window's message when another update holds the folder (UTF-8).
std::string FolderBusyText();

} // namespace karvo
