// Fetching a URL over HTTP(S): into a file, into a text, or into a result file with the failure
// shown in the status notice. Certificates are verified and redirects followed. Each fetch
// first lets the window paint a notice set just before, then blocks until the body has arrived.
#pragma once

#include <string>

namespace karvo {

class UserInterface;

// A dead or hostile server must not hang the window or fill the disk: the connection has to open
// within connectMs; a transfer slower than lowSpeedBytes a second for stallSeconds on end is given
// up; a body larger than maxBodyBytes is refused.
struct DownloadLimits
{
    long connectMs = 20000;
    long stallSeconds = 60;
    long lowSpeedBytes = 1024;
    long long maxBodyBytes = 64LL << 20;
};

// The limits every fetch uses; tests shorten them.
const DownloadLimits& UsedDownloadLimits();
void SetDownloadLimits(const DownloadLimits& limits);

// Stores the body of url in fileName (a native path), whatever the HTTP status. False when the
// transfer failed (no connection, time-out, broken transfer) or the file could not be written.
bool DownloadToFile(const std::string& url, const std::string& fileName, UserInterface& ui);

// The whole body, through a private scratch file in the temporary folder that is removed in
// every case. Empty when the fetch failed.
std::string DownloadText(const std::string& url, UserInterface& ui);

// Replaces targetFile (Windows-1253 name) by the body, write-protected or not, unchanged byte for
// byte. An empty body puts "Error Downloading" in the status notice and leaves the target as it
// was. False then, and also when the body could not be saved (full disk).
bool FetchResultFile(const std::string& url, const std::string& targetFile, UserInterface& ui);

} // namespace karvo
