// Fetching a URL over HTTP(S): into a file, into a text, or into a result file with the failure
// shown in the status notice. Certificates are verified and redirects followed. Each fetch
// first lets the window paint a notice set just before, then keeps it answering through poll
// (without one: UserInterface::processPendingEvents) until the body has arrived.
#pragma once

#include "download/FetchRunner.h"

#include <cstdint>
#include <string>

namespace karvo {

class UserInterface;

// A plain failure (no connection, a refused or broken transfer) and a fetch stopped by poll
// return false. A named one throws KarvoError with a Greek sentence and keeps
// nothing: a body past limits.maxBodyBytes, a server slower than the speed floor or slower than
// the overall limit, a body that cannot be written ("... δεν ήταν δυνατή η εγγραφή στον φάκελο
// <folder>: <reason>"). Each fetch runs within limits, the program's unless given.

// Replaces targetFile (Windows-1253 name) by the body, write-protected or not, unchanged byte for
// byte. An empty body puts "Error Downloading" in the status notice, leaves the target as it
// was and returns false. A body that arrived but cannot be saved throws KarvoError naming the
// target's folder.
bool FetchResultFile(const std::string& url, const std::string& targetFile, UserInterface& ui,
                     const FetchPoll& poll = {}, const DownloadLimits& limits = {});

// The Greek sentence (UTF-8) of a named failure of url, as FetchResultFile throws it; folder is
// the one a failed write names. Empty for a plain failure.
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
