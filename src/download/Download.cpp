#include "download/Download.h"

#include "domain/UserInterface.h"
#include "download/TransferOptions.h"
#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace karvo {

namespace {

constexpr std::size_t kCopyBufferBytes = 256 * 1024;

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
void ThrowForFailure(const FetchedBody& result, const std::string& url, const QString& folder,
                     const DownloadLimits& limits)
{
    const std::string nothingKept = ". Δεν κρατήθηκε τίποτα: " + url;
    switch (result.failure) {
    case FetchFailure::TooLarge:
        throw KarvoError("Η λήψη σταμάτησε, γιατί η απάντηση του διακομιστή ξεπερνά τα " + Grouped(limits.maxBodyBytes)
                         + " bytes που δέχεται το πρόγραμμα" + nothingKept);
    case FetchFailure::Stalled:
        throw KarvoError("Η λήψη σταμάτησε, γιατί ο διακομιστής έστελνε λιγότερα από " + Grouped(limits.lowSpeedBytes)
                         + " bytes το δευτερόλεπτο επί " + std::to_string(limits.stallSeconds) + " δευτερόλεπτα"
                         + nothingKept);
    case FetchFailure::TimedOut:
        throw KarvoError("Η λήψη σταμάτησε, γιατί δεν τελείωσε μέσα σε " + Grouped((limits.totalMs + 999) / 1000)
                         + " δευτερόλεπτα" + nothingKept);
    case FetchFailure::WriteFailed: ThrowCannotWrite(folder, result.writeError);
    default: break;
    }
}

// Fetches url into the open file fd; false for a plain failure or a stop, KarvoError for a named one.
bool FetchInto(int fd, const std::string& url, const QString& folder, UserInterface& ui, const FetchPoll& poll,
               const DownloadLimits& limits)
{
    ui.processPendingEvents();
    FetchedBody result;
    FetchRunner runner(1, limits);
    runner.add({FetchRequest{url, fd}}, [&result](std::size_t, FetchedBody body) { result = std::move(body); });
    const FetchPoll keepPainted = [&ui] {
        ui.processPendingEvents();
        return false;
    };
    if (!runner.run(poll ? poll : keepPainted)) {
        return false;
    }
    ThrowForFailure(result, url, folder, limits);
    return result.failure == FetchFailure::None;
}

// Copies the whole file behind from into to; 0, or the errno of the failure.
int CopyFile(int from, int to)
{
    std::vector<char> buffer(kCopyBufferBytes);
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(from, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : 0;
        }
        if (const int error = WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(n))); error != 0) {
            return error;
        }
        at += n;
    }
}

// A file of this fetch alone in the temporary folder, closed and removed on every way out.
// mkstemps makes it for this fetch alone (mode 0600), so no other process can plant or read it,
// and two fetches never share a name.
struct ScratchFile
{
    QString folder = QDir::tempPath();
    QByteArray path = QFile::encodeName(folder) + '/'
        + QByteArray::fromStdString(
                          std::string(kDownloadScratchPrefix).append(kScratchRandom).append(kDownloadScratchSuffix));
    int fd = ::mkstemps(path.data(), static_cast<int>(kDownloadScratchSuffix.size()));

    ScratchFile()
    {
        if (fd < 0) {
            ThrowCannotWrite(folder, errno);
        }
    }
    ~ScratchFile()
    {
        ::close(fd);
        ::unlink(path.constData());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
};

} // namespace

bool FetchResultFile(const std::string& url, const std::string& targetFile, UserInterface& ui, const FetchPoll& poll,
                     const DownloadLimits& limits)
{
    ScratchFile scratch;
    struct stat st;
    if (!FetchInto(scratch.fd, url, scratch.folder, ui, poll, limits) || ::fstat(scratch.fd, &st) != 0
        || st.st_size == 0) {
        ui.StatusNotice("Error Downloading");
        return false;
    }
    // Copied a piece at a time: a workbook of tens of megabytes is never held in memory.
    std::string error;
    if (!WriteFileAtomicFrom(
            targetFile, [&scratch](int fd) { return CopyFile(scratch.fd, fd); }, &error)) {
        ThrowCannotWrite(QFileInfo(NativePath(targetFile)).absolutePath(), error);
    }
    return true;
}

} // namespace karvo
