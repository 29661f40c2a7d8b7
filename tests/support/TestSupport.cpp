#include "support/TestSupport.h"

#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <QFile>
#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace karvo::test {

std::string W(const char* utf8)
{
    return Utf8ToCp1253(utf8);
}

std::string U(const std::string& cp1253)
{
    return Cp1253ToUtf8(cp1253);
}

TempFolder::TempFolder() = default;

std::string TempFolder::path() const
{
    return m_dir.path().toStdString() + "/";
}

std::string ReadBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    QFile f(QString::fromStdString(path));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

std::string Bytes(const std::vector<int>& values)
{
    std::string bytes;
    for (int v : values) {
        bytes += static_cast<char>(v);
    }
    return bytes;
}

std::string Masked(std::string bytes)
{
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<char>(static_cast<unsigned char>(bytes[k]) ^ ((k + 1) % 77));
    }
    return bytes;
}

std::string Slot(int day, int month, int year, const std::vector<int>& numbers)
{
    return Bytes({day, month, year - 1950}) + Bytes(numbers);
}

std::string KinoHeaderBytes(std::uint32_t n)
{
    return Bytes({int(n & 0xFF), int(n >> 8 & 0xFF), int(n >> 16 & 0xFF), int(n >> 24)}) + std::string(19, '\0');
}

std::string KinoRecord(const std::vector<int>& numbers, int day, int hour, int minute)
{
    return Bytes(numbers) + std::string(20 - numbers.size(), '\0') + Bytes({day, hour, minute});
}

void WithFileSizeLimit(unsigned long bytes, const std::function<void()>& f)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{bytes, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    f();
    ::setrlimit(RLIMIT_FSIZE, &old);
}

std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const KarvoError& e) {
        return e.what();
    }
    return "no error";
}

bool Fails(const std::function<void()>& f, const std::string& problem)
{
    try {
        f();
    } catch (const KarvoError& e) {
        return std::string(e.what()).find(problem) != std::string::npos;
    }
    return false;
}

std::function<long(int fd, void* buffer, std::size_t count)> FailingRead(long lastByte, int error)
{
    // The position in the file tells how much of it has been read.
    return [lastByte, error](int fd, void* buffer, std::size_t count) -> long {
        const long at = static_cast<long>(::lseek(fd, 0, SEEK_CUR));
        if (at >= lastByte) {
            errno = error;
            return error == 0 ? 0 : -1;
        }
        return static_cast<long>(
            ::read(fd, buffer, std::min<std::size_t>(count, static_cast<std::size_t>(lastByte - at))));
    };
}

FailingReader::FailingReader(long lastByte, int error)
{
    SetFileReadFunction(FailingRead(lastByte, error));
}

FailingReader::~FailingReader()
{
    SetFileReadFunction({});
}

bool AsOrdinaryUser(const std::function<bool()>& check)
{
    if (::geteuid() != 0) {
        return check();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setresgid(nobody, nobody, nobody) == 0
            && ::setresuid(nobody, nobody, nobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace karvo::test
