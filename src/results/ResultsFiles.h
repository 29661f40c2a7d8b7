// The stored histories of the draw games on disk: the masked slot files (LOTTO, GOAL, JOKER,
// PROTO, EXTRA) and the KINO month files. Files are read and written whole; a write replaces the
// file atomically, so a failure leaves the old bytes as they were.
//
// Masked slot file: fixed-size records from offset 0, no header. Byte 1 of a record is the day
// (0 = empty slot), byte 2 the month, byte 3 the year - 1950, then the numbers. On disk every
// byte is XORed with its position mask (see PositionMask).
//
// KINO month file, unmasked: 23-byte records. Record 0 is the header, its bytes 1..4 the draw
// number of record 1 (32-bit little-endian, signed); record r >= 1 holds 20 numbers, day, hour
// and minute.
#pragma once

#include "domain/Games.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace karvo {

// Capacity of ResultsBuffer: the largest masked or KINO file the program handles.
inline constexpr std::int64_t ResultsBufferLimit = 20'000'000;
// Capacity of ResultsLines, indexed 0..2,000,000: the largest slot count a view shows.
inline constexpr std::int64_t ResultsLinesLimit = 2'000'001;

// The record size of a KINO month file, as the game table gives it.
inline constexpr int KinoRecordSize = kKinoRecordSize;

// Byte k of a whole file (from 0) XOR ((k + 1) mod 77), in place. Its own inverse.
void PositionMask(std::span<char> bytes);

// The unmasked bytes of a masked slot file, tail after the last whole record included. A missing
// file, or one of fewer than 9 bytes, gives an empty result. A file larger than
// ResultsBufferLimit throws KarvoError and is not read.
std::string ReadMaskedFile(const std::string& path);

// Masks a copy of bytes and replaces the file with it. Throws KarvoError with the platform's
// message when the file cannot be written (the old file stays byte for byte), or when bytes
// exceed ResultsBufferLimit.
void WriteMaskedFile(const std::string& path, std::string_view bytes);

// The bytes of a KINO month file, unmasked as stored; empty for a missing file or one of fewer
// than 9 bytes. Larger than ResultsBufferLimit throws KarvoError.
std::string ReadKinoFile(const std::string& path);
// The same bytes into buffer's room, for reading month after month without an allocation each;
// returns how many of buffer's bytes are the file's (0 as ReadKinoFile gives empty).
std::size_t ReadKinoFileInto(const std::string& path, std::string& buffer);

// Replaces the month file with bytes (header record first, then whole records). Failures as
// WriteMaskedFile.
void WriteKinoFile(const std::string& path, std::string_view bytes);

// The header's draw number (the number of record 1); 0 when the bytes hold no header.
std::int32_t KinoFirstDraw(std::string_view bytes);
// A header record (23 bytes) carrying firstDraw.
std::string KinoHeader(std::int32_t firstDraw);

// The month file of a KINO month, relative to the working folder: "Data/kino_2024_03.qav".
std::string KinoMonthFileName(int year, int month);
// The year and month of a month file's name, with or without its folder ("kino_2024_03.qav");
// false for a name that is no month file's.
bool KinoMonthOfFileName(std::string_view name, int& year, int& month);

} // namespace karvo
