// Whole-file reading within a buffer limit, shared by the results-file formats.
#pragma once

#include <cstdint>
#include <string>

namespace karvo {

// The file's bytes; empty when missing. A file longer than limit bytes throws KarvoError
// before anything is read, so it is never handled in part and written back truncated; so does
// a file that cannot be read (see LoadTextFile).
std::string LoadWithinLimit(const std::string& path, std::int64_t limit);

// A KarvoError for a file or content larger than limit bytes.
[[noreturn]] void ThrowTooLarge(const std::string& path, std::int64_t size, std::int64_t limit);

} // namespace karvo
