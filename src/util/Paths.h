// The file-name conversions between Windows-1253 names inside the program and UTF-8 names on
// disk.
#pragma once

#include <QString>
#include <string>

namespace karvo {

// Windows-1253 (or already UTF-8) path to the platform's Unicode path.
QString PathToWide(const std::string& path);
// UTF-8 path to Windows-1253, keeping a part unchanged when the code page lacks a character.
std::string PathToSingleByte(const std::string& utf8Path);
// The folder of a path, ending in "/"; empty for a bare file name.
std::string FolderOf(const std::string& path);

} // namespace karvo
