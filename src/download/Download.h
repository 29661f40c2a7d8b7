// Fetching a URL over HTTP(S): into a file, into a text, or into a result file with the failure
// shown in the status notice. Certificates are verified and redirects followed. Each fetch
// first lets the window paint a notice set just before, then keeps it answering through poll
// (without one: UserInterface::processPendingEvents) until the body has arrived.
#pragma once

#include "download/FetchRunner.h"

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

} // namespace karvo
