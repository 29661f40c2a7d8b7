// Hand-built results files for the tests, made byte by byte without the code under test.
#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdint>

namespace karvo::test {

// One byte for each value.
inline std::string Bytes(const std::vector<int>& values)
{
    std::string bytes;
    for (int v : values) {
        bytes += static_cast<char>(v);
    }
    return bytes;
}

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
    return Bytes({day, month, year - 1950}) + Bytes(numbers);
}

// Slot d of PROPO draw w of year Y, counted by hand: values 2d - 1 and 2d hold its signs.
inline int PropoIndex(int year, int draw) { return (year - 1959) * 60 + draw; }

// A PROPO file: header "HEADER!", the values little-endian, the trailing bytes.
inline std::string PropoBytes(const std::vector<std::uint16_t>& values, const std::string& tail = "\x1A")
{
    std::string bytes = "HEADER!";
    for (std::uint16_t v : values) {
        bytes += Bytes({v & 0xFF, v >> 8});
    }
    return bytes + tail;
}

// KINO: a header record carrying the first draw number little-endian, and a draw record of up to
// 20 numbers, then day, hour and minute.
inline std::string KinoHeaderBytes(std::uint32_t n)
{
    return Bytes({int(n & 0xFF), int(n >> 8 & 0xFF), int(n >> 16 & 0xFF), int(n >> 24)}) + std::string(19, '\0');
}
inline std::string KinoRecord(const std::vector<int>& numbers, int day, int hour, int minute)
{
    return Bytes(numbers) + std::string(20 - numbers.size(), '\0') + Bytes({day, hour, minute});
}

// Limits the size of files this process writes while in scope; writes past it fail with EFBIG.
struct FileSizeLimit
{
    rlimit old {};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit { bytes, old.rlim_max };
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

} // namespace karvo::test
