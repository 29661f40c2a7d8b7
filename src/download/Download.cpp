#include "download/Download.h"

#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Numbers.h"
#include "util/ScratchFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace karvo {

namespace {

constexpr std::size_t kCopyBufferBytes = std::size_t{256} * 1024;

std::string Grouped(long long n)
{
    return FormatNumber("###,###,###,###,###", static_cast<double>(n), NumberFormat::greek());
}

std::string CannotWriteText(const std::string& folder, const std::string& reason)
{
    return "Η λήψη ολοκληρώθηκε, αλλά δεν ήταν δυνατή η εγγραφή στον φάκελο " + folder + ": " + reason;
}

[[noreturn]] void ThrowCannotWrite(const QString& folder, const std::string& reason)
{
    throw KarvoError(CannotWriteText(folder.toStdString(), reason));
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

} // namespace

std::string NamedFailureText(const FetchedBody& result, const std::string& url, const std::string& folder,
                             const DownloadLimits& limits)
{
    const std::string nothingKept = ". Δεν κρατήθηκε τίποτα: " + url;
    switch (result.failure) {
    case FetchFailure::TooLarge:
        return "Η λήψη σταμάτησε, γιατί η απάντηση του διακομιστή ξεπερνά τα " + Grouped(limits.maxBodyBytes)
            + " bytes που δέχεται το πρόγραμμα" + nothingKept;
    case FetchFailure::Stalled:
        return "Η λήψη σταμάτησε, γιατί ο διακομιστής έστελνε λιγότερα από " + Grouped(limits.lowSpeedBytes)
            + " bytes το δευτερόλεπτο επί " + std::to_string(limits.stallSeconds) + " δευτερόλεπτα" + nothingKept;
    case FetchFailure::TimedOut:
        return "Η λήψη σταμάτησε, γιατί δεν τελείωσε μέσα σε " + Grouped((limits.totalMs + 999) / 1000)
            + " δευτερόλεπτα" + nothingKept;
    case FetchFailure::WriteFailed: return CannotWriteText(folder, std::strerror(result.writeError));
    default: return {};
    }
}

DownloadScratch::DownloadScratch()
{
    const std::string folder = TempFolder();
    m_folder = NativePath(WithoutTrailingSlash(folder)).toStdString();
    std::string name = folder;
    name.append(kDownloadScratchPrefix).append(kScratchRandom).append(kDownloadScratchSuffix);
    m_path = QFile::encodeName(NativePath(name)).toStdString();
    m_fd = ::mkstemps(m_path.data(), static_cast<int>(kDownloadScratchSuffix.size()));
    if (m_fd < 0) {
        throw KarvoError(CannotWriteText(m_folder, std::strerror(errno)));
    }
}

DownloadScratch::~DownloadScratch()
{
    ::close(m_fd);
    ::unlink(m_path.c_str());
}

std::int64_t DownloadScratch::size() const
{
    struct stat st;
    return ::fstat(m_fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

void KeepDownload(const DownloadScratch& scratch, const std::string& targetFile)
{
    // Copied a piece at a time: a workbook of tens of megabytes is never held in memory.
    std::string error;
    if (!WriteFileAtomicFrom(targetFile, [&scratch](int fd) { return CopyFile(scratch.fd(), fd); }, &error)) {
        ThrowCannotWrite(QFileInfo(NativePath(targetFile)).absolutePath(), error);
    }
}

} // namespace karvo
