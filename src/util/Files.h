// Whole-file operations. Names are Windows-1253 texts with "/" between folders, absolute or
// relative to the process's working folder; a name whose exact spelling is missing on disk is
// looked up without regard to letter case. A missing file reads as empty; every other failure
// to read or write throws KarvoError naming the file and the system's reason.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace karvo {

// The low-level read every load goes through, as POSIX read(2). A load given none uses the
// program's: the system's, unless SetFileReadFunction put another in.
using FileReadFunction = std::function<long(int fd, void* buffer, std::size_t count)>;

// Only a missing file (no entry of that name) reads as empty. No permission, a folder, FIFO or
// device in the file's place, an I/O error or a file that ends before its size throw KarvoError,
// so that a history that cannot be read is never taken for no history. Nothing waits on a FIFO.
std::string LoadTextFile(const std::string& name, const FileReadFunction& read = {});
std::string LoadTextPrefix(const std::string& name, std::int64_t n, const FileReadFunction& read = {});
// For reading many files one after another: the file's bytes, as its size stood when opened, into
// buffer's own room (grown when too small, never shrunk); returns how many. size is set to the size
// found on opening; a file larger than limit is not read (0). Missing: 0. Fails as LoadTextFile does.
std::size_t LoadFileInto(const std::string& name, std::int64_t limit, std::string& buffer, std::int64_t& size,
                         const FileReadFunction& read = {});
// Lines end at CR; the byte after a CR is skipped as its LF. No empty last line after a final CR LF.
std::vector<std::string> LoadLines(const std::string& name, const FileReadFunction& read = {});
// Both replace the file atomically and throw KarvoError when that fails.
void SaveTextFile(const std::string& name, std::string_view text);
// Each line followed by CR LF.
void SaveLines(const std::string& name, const std::vector<std::string>& lines);

// The program's read for every load given none; an empty function restores the system's.
// Program-wide for the tests that fail a file under an update or a view, which load it many layers down.
void SetFileReadFunction(FileReadFunction read);

// Writes a sibling temporary file, flushes it and renames it over name, so a failure leaves the
// old file whole. A write-protected file is replaced. On failure returns false and, when error
// is given, the platform's message.
bool WriteFileAtomic(const std::string& name, std::string_view bytes, std::string* error = nullptr);
// Writes all of bytes to fd, again after an interruption; 0, or the errno of the failure.
int WriteAll(int fd, std::string_view bytes);
// The same with the bytes written by fill into the open temporary file, for a content too large
// to hold in memory; fill returns 0, or the errno of its failure, which leaves the old file whole.
bool WriteFileAtomicFrom(const std::string& name, const std::function<int(int fd)>& fill, std::string* error = nullptr);
// WriteFileAtomic for files the user must not lose silently: a failure throws KarvoError naming
// the file and carrying the platform's message.
void ReplaceFileOrThrow(const std::string& name, std::string_view bytes);

// A write past the process's file-size limit then fails with EFBIG, reported like any failed
// write, instead of its signal ending the program with the user's work unsaved.
void IgnoreFileSizeSignal();

} // namespace karvo
