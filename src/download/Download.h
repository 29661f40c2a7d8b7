// What a download leaves behind: its private scratch file in the temporary folder, the copy kept
// in place of the target, and the sentence of a failure that has one of its own.
#pragma once

#include "download/FetchRunner.h"

#include <cstdint>
#include <string>

namespace karvo {

// The Greek sentence (UTF-8) of a named failure of url: a body past limits.maxBodyBytes, a server
// slower than the speed floor or than the overall limit, a body that could not be written to the
// scratch file in folder ("... δεν ήταν δυνατή η εγγραφή στον φάκελο <folder>: <reason>"). Empty
// for a plain failure (no connection, a refused or broken transfer), which has no sentence of its own.
std::string NamedFailureText(const FetchedBody& result, const std::string& url, const std::string& folder,
                             const DownloadLimits& limits);

// A file of one fetch alone in the temporary folder, "karvo-XXXXXX.fil", closed and removed when
// it goes. mkstemps makes it for this fetch alone (mode 0600), so no other process can plant or
// read it, and two fetches never share a name. One that cannot be made throws KarvoError.
class DownloadScratch
{
public:
    DownloadScratch();
    ~DownloadScratch();
    DownloadScratch(const DownloadScratch&) = delete;
    DownloadScratch& operator=(const DownloadScratch&) = delete;

    int fd() const { return m_fd; }
    const std::string& folder() const { return m_folder; } // the temporary folder, UTF-8
    std::int64_t size() const;                             // bytes written so far; -1 when unknown

private:
    std::string m_folder;
    std::string m_path;
    int m_fd = -1;
};

// Replaces targetFile (Windows-1253 name) atomically by the whole of what scratch holds. A copy
// that cannot be written throws KarvoError naming the target's folder.
void KeepDownload(const DownloadScratch& scratch, const std::string& targetFile);

} // namespace karvo
