// File names on disk: case-insensitive look-up of each missing part, listing and deleting by
// wildcard mask, sizes, permissions and the folder helpers. Names are Windows-1253 texts with "/"
// between folders, absolute or relative to the process's working folder.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace karvo {

// The name on disk: UTF-8 path, each missing component matched case-insensitively.
QString NativePath(const std::string& name);

// Which directory entries a listing returns; the values are the codes callers have always used.
enum class ListKinds { Files = 1, Folders = 2, Both = 3 };

// Entry names without their folder, in the file system's order; "." and ".." never. Mask
// wildcards "*" and "?" match without regard to letter case.
std::vector<std::string> ListFiles(const std::string& mask, ListKinds kinds);
void DeleteFiles(const std::string& mask);
std::int64_t FileSizeOf(const std::string& name);
// Gives the owner write permission back (the read-only attribute of other systems).
void MakeWritable(const std::string& name);
void CreateFolder(const std::string& path);
// The working folder, ending in "/".
std::string CurrentFolder();
// A folder's path ending in "/", or without its last "/" (the root "/" keeps it); empty stays empty.
std::string WithTrailingSlash(const std::string& path);
std::string WithoutTrailingSlash(const std::string& path);
// The folder for scratch files, ending in "/": TMPDIR (else /tmp) when it is a folder this user
// can write in, else the working folder, else /tmp. None of them: throws KarvoError naming them.
std::string TempFolder();

} // namespace karvo
