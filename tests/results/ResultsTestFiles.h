// Hand-built results files for the tests, made byte by byte without the code under test.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

namespace karvo::test {

// Masks plain bytes as the files store them: byte k XOR ((k + 1) mod 77).
inline std::string Masked(std::string bytes)
{
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<char>(static_cast<unsigned char>(bytes[k]) ^ ((k + 1) % 77));
    }
    return bytes;
}

// One slot record: day, month, year - 1950, then the numbers.
inline std::string Slot(int day, int month, int year, const std::vector<int>& numbers)
{
    std::string record = {static_cast<char>(day), static_cast<char>(month), static_cast<char>(year - 1950)};
    for (int n : numbers) {
        record += static_cast<char>(n);
    }
    return record;
}

inline std::string EmptySlot(int recordSize)
{
    return std::string(static_cast<std::size_t>(recordSize), '\0');
}

// A PROPO file: header "HEADER!", the values little-endian, the end mark.
inline std::string PropoBytes(const std::vector<std::uint16_t>& values, const std::string& tail = "\x1A")
{
    std::string bytes = "HEADER!";
    for (std::uint16_t v : values) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    return bytes + tail;
}

inline std::string KinoHeaderBytes(std::uint32_t first)
{
    std::string header(23, '\0');
    for (int i = 0; i < 4; ++i) {
        header[static_cast<std::size_t>(i)] = static_cast<char>((first >> (8 * i)) & 0xFF);
    }
    return header;
}

inline std::string KinoRecord(const std::vector<int>& numbers, int day, int hour, int minute)
{
    std::string record(23, '\0');
    for (std::size_t k = 0; k < numbers.size() && k < 20; ++k) {
        record[k] = static_cast<char>(numbers[k]);
    }
    record[20] = static_cast<char>(day);
    record[21] = static_cast<char>(hour);
    record[22] = static_cast<char>(minute);
    return record;
}

// Limits the size of files this process writes while in scope; writes past it fail with EFBIG.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};

} // namespace karvo::test
