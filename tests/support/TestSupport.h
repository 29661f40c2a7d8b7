// Shared test helpers: temporary working folders, Windows-1253 literals written in UTF-8, results
// files built by hand and forced write failures.
#pragma once

#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace karvo::test {

// UTF-8 source text to a Windows-1253 text.
std::string W(const char* utf8);
// Windows-1253 to UTF-8, for readable failure messages.
std::string U(const std::string& cp1253);

// A fresh temporary folder; path() ends in "/".
class TempFolder
{
public:
    TempFolder();
    std::string path() const;
    std::string file(const std::string& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// A read for the loads (a FileReadFunction) that fails once lastByte bytes of the file have been
// read: with error (EIO, ...), or with error 0 as if the file ended there.
std::function<long(int fd, void* buffer, std::size_t count)> FailingRead(long lastByte, int error);

// While it lives, every file the program reads fails as FailingRead's do.
class FailingReader
{
public:
    FailingReader(long lastByte, int error);
    ~FailingReader();
    FailingReader(const FailingReader&) = delete;
    FailingReader& operator=(const FailingReader&) = delete;
};

// check() run where a missing read permission bites: as root in a child process that has become
// "nobody", otherwise in this process. Folders on the way must let others through.
bool AsOrdinaryUser(const std::function<bool()>& check);

// Whole-file helpers for tests that must not depend on the code under test.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Results-file bytes built by hand: each value one byte; masked as stored, byte k XOR ((k + 1) mod 77).
std::string Bytes(const std::vector<int>& values);
std::string Masked(std::string bytes);
// One slot record: day, month, year - 1950, then the numbers.
std::string Slot(int day, int month, int year, const std::vector<int>& numbers);
// KINO: a header with the first draw number (little-endian); a record of 20 numbers, day, hour, minute.
std::string KinoHeaderBytes(std::uint32_t firstDraw);
std::string KinoRecord(const std::vector<int>& numbers, int day, int hour, int minute);

// Runs f while writes past bytes fail with EFBIG (instead of a signal), then lifts the limit.
void WithFileSizeLimit(unsigned long bytes, const std::function<void()>& f);
// The message of the KarvoError thrown by f, or "no error".
std::string ErrorOf(const std::function<void()>& f);
// Whether f throws a KarvoError whose message holds problem ("": any message).
bool Fails(const std::function<void()>& f, const std::string& problem = "");

} // namespace karvo::test
