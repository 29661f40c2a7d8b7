#include "download/Download.h"

#include "download/TransferOptions.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"
#include "util/UserInterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <curl/curl.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace karvo {

namespace {

DownloadLimits g_limits;

// How a transfer ended, as far as the user must be told more than "Error Downloading".
enum class TransferEnd { Done, Failed, TooLarge, Stalled, WriteFailed };

// Where the body goes: a file written as it arrives, never held in memory.
struct BodySink
{
    int fd;
    long long written = 0;
    bool tooLarge = false;
    int writeError = 0;
};

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* sink = static_cast<BodySink*>(user);
    const std::size_t total = size * count;
    // A body without an announced length (or with a false one) stops at the limit too.
    if (sink->written + static_cast<long long>(total) > g_limits.maxBodyBytes) {
        sink->tooLarge = true;
        return 0;
    }
    for (std::size_t done = 0; done < total;) {
        const ssize_t n = ::write(sink->fd, data + done, total - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            sink->writeError = n < 0 ? errno : EIO;
            return 0;
        }
        done += static_cast<std::size_t>(n);
    }
    sink->written += static_cast<long long>(total);
    return total;
}

// One GET of url into sink's file, whatever the status code.
TransferEnd Transfer(const std::string& url, BodySink& sink)
{
    InitialiseCurl();
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        return TransferEnd::Failed;
    }
    CURL* handle = curl.get();
    SetTransferOptions(handle, url, g_limits);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    const CURLcode code = curl_easy_perform(handle);
    if (code == CURLE_OK) {
        return TransferEnd::Done;
    }
    if (sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return TransferEnd::TooLarge;
    }
    if (sink.writeError != 0) {
        return TransferEnd::WriteFailed;
    }
    // A time-out after the request went out is a server that stopped sending, not one never reached.
    long requestBytes = 0;
    curl_easy_getinfo(handle, CURLINFO_REQUEST_SIZE, &requestBytes);
    return code == CURLE_OPERATION_TIMEDOUT && requestBytes > 0 ? TransferEnd::Stalled : TransferEnd::Failed;
}

std::string Grouped(long long n)
{
    return FormatNumber("###,###,###,###,###", static_cast<double>(n), NumberFormat::greek());
}

[[noreturn]] void ThrowCannotWrite(const QString& folder, const std::string& reason)
{
    throw KarvoError("Η λήψη ολοκληρώθηκε, αλλά δεν ήταν δυνατή η εγγραφή στον φάκελο " + folder.toStdString() + ": "
                     + reason);
}

[[noreturn]] void ThrowCannotWrite(const QString& folder, int error)
{
    ThrowCannotWrite(folder, std::string(std::strerror(error)));
}

// The message of a named failure; a plain failure only returns false.
void ThrowForEnd(TransferEnd end, const std::string& url, const QString& folder, int error)
{
    switch (end) {
    case TransferEnd::TooLarge:
        throw KarvoError("Η λήψη σταμάτησε, γιατί η απάντηση του διακομιστή ξεπερνά τα "
                         + Grouped(g_limits.maxBodyBytes)
                         + " bytes που δέχεται το πρόγραμμα. Δεν κρατήθηκε τίποτα: " + url);
    case TransferEnd::Stalled:
        throw KarvoError("Η λήψη σταμάτησε, γιατί ο διακομιστής έστελνε λιγότερα από " + Grouped(g_limits.lowSpeedBytes)
                         + " bytes το δευτερόλεπτο επί " + std::to_string(g_limits.stallSeconds)
                         + " δευτερόλεπτα. Δεν κρατήθηκε τίποτα: " + url);
    case TransferEnd::WriteFailed: ThrowCannotWrite(folder, error);
    default: break;
    }
}

// Fetches url into the open file fd; false for a plain failure, KarvoError for a named one.
bool FetchInto(int fd, const std::string& url, const QString& folder, UserInterface& ui)
{
    ui.processPendingEvents();
    BodySink sink{fd};
    const TransferEnd end = Transfer(url, sink);
    ThrowForEnd(end, url, folder, sink.writeError);
    return end == TransferEnd::Done;
}

// The whole file behind fd, read once into the text that is returned.
std::string ReadBack(int fd, const QString& folder)
{
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ThrowCannotWrite(folder, errno);
    }
    std::string text(static_cast<std::size_t>(st.st_size), '\0');
    for (std::size_t used = 0; used < text.size();) {
        const ssize_t n = ::pread(fd, text.data() + used, text.size() - used, static_cast<off_t>(used));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ThrowCannotWrite(folder, n < 0 ? errno : EIO);
        }
        used += static_cast<std::size_t>(n);
    }
    return text;
}

// A file of this fetch alone, closed and removed on every way out.
struct ScratchFile
{
    QByteArray path;
    int fd;
    ~ScratchFile()
    {
        if (fd >= 0) {
            ::close(fd);
            ::unlink(path.constData());
        }
    }
};

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
    const QString folder = QFileInfo(QFile::decodeName(fileName.c_str())).absolutePath();
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        ThrowCannotWrite(folder, errno);
    }
    bool done = false;
    try {
        done = FetchInto(fd, url, folder, ui);
    } catch (...) {
        ::close(fd);
        ::unlink(fileName.c_str());
        throw;
    }
    if (::close(fd) != 0 && done) {
        const int error = errno;
        ::unlink(fileName.c_str());
        ThrowCannotWrite(folder, error);
    }
    if (!done) {
        ::unlink(fileName.c_str());
    }
    return done;
}

std::string DownloadText(const std::string& url, UserInterface& ui)
{
    // mkstemps makes the file for this fetch alone (mode 0600), so no other process can plant
    // or read it, and two fetches never share a name.
    const QString folder = QDir::tempPath();
    const std::string name = std::string(kDownloadScratchPrefix).append(kScratchRandom).append(kDownloadScratchSuffix);
    ScratchFile scratch{QFile::encodeName(folder) + '/' + QByteArray::fromStdString(name), -1};
    scratch.fd = ::mkstemps(scratch.path.data(), static_cast<int>(kDownloadScratchSuffix.size()));
    if (scratch.fd < 0) {
        ThrowCannotWrite(folder, errno);
    }
    if (!FetchInto(scratch.fd, url, folder, ui)) {
        return {};
    }
    return ReadBack(scratch.fd, folder);
}

bool FetchResultFile(const std::string& url, const std::string& targetFile, UserInterface& ui)
{
    const std::string text = DownloadText(url, ui);
    if (text.empty()) {
        ui.StatusNotice("Error Downloading");
        return false;
    }
    std::string error;
    if (!WriteFileAtomic(targetFile, text, &error)) {
        ThrowCannotWrite(QFileInfo(NativePath(targetFile)).absolutePath(), error);
    }
    return true;
}

} // namespace karvo
