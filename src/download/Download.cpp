#include "download/Download.h"

#include "util/Files.h"
#include "util/UserInterface.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace karvo {

namespace {

DownloadLimits g_limits;

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* stream)
{
    return std::fwrite(data, size, count, static_cast<std::FILE*>(stream)) * size;
}

// One GET of url into stream; true when the transfer completed, whatever its status code.
bool Transfer(const std::string& url, std::FILE* stream)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        return false;
    }
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, g_limits.connectMs);
    // Less than one byte a second for the whole stall time counts as a dead transfer.
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, g_limits.stallSeconds);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, stream);
    const bool done = curl_easy_perform(handle) == CURLE_OK;
    return std::fflush(stream) == 0 && !std::ferror(stream) && done;
}

} // namespace

const DownloadLimits& UsedDownloadLimits()
{
    return g_limits;
}

void SetDownloadLimits(const DownloadLimits& limits)
{
    g_limits = limits;
}

bool DownloadToFile(const std::string& url, const std::string& fileName, UserInterface& ui)
{
    ui.processPendingEvents();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(fileName.c_str(), "wb"), std::fclose);
    return stream && Transfer(url, stream.get());
}

std::string DownloadText(const std::string& url, UserInterface& ui)
{
    // mkstemps makes the file for this fetch alone (mode 0600), so no other process can plant
    // or read it, and two fetches never share a name.
    QByteArray scratch = QFile::encodeName(QDir::tempPath()) + "/karvo-XXXXXX.fil";
    const int fd = ::mkstemps(scratch.data(), 4);
    if (fd < 0) {
        return {};
    }
    ::close(fd);
    std::string text;
    if (DownloadToFile(url, scratch.toStdString(), ui)) {
        QFile file(QFile::decodeName(scratch));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
    }
    ::unlink(scratch.constData());
    return text;
}

bool FetchResultFile(const std::string& url, const std::string& targetFile, UserInterface& ui)
{
    const std::string text = DownloadText(url, ui);
    if (text.empty()) {
        ui.StatusNotice("Error Downloading");
        return false;
    }
    return WriteFileAtomic(targetFile, text);
}

} // namespace karvo
