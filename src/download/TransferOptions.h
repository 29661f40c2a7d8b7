// The settings every libcurl transfer of the program shares: web protocols only, verified
// certificates, redirects, and the limits that keep a dead or hostile server from hanging the
// window or filling the disk; and the write that puts a body into its file.
#pragma once

#include "download/FetchRunner.h"

#include <curl/curl.h>
#include <string>

namespace karvo {

// Initialises libcurl once for the process; safe to call from every fetch.
void InitialiseCurl();

// Sets the address and the shared settings on handle. The body goes to the caller's write
// callback; an announced length past limits.maxBodyBytes is refused before the body starts.
void SetTransferOptions(CURL* handle, const std::string& url, const DownloadLimits& limits);

} // namespace karvo
