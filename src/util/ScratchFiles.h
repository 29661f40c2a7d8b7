// The scratch files of the atomic writer and of the downloads: their names, and the removal of
// those a killed process left behind.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace karvo {

// Scratch file names: the atomic writer's ".karvo-XXXXXX" beside the file it replaces and a
// download's "karvo-XXXXXX.fil" in the temporary folder, the X's being mkstemp's random letters
// and digits. The writers and the cleanup of stale ones share them.
inline constexpr std::string_view kWriteScratchPrefix = ".karvo-";
inline constexpr std::string_view kDownloadScratchPrefix = "karvo-";
inline constexpr std::string_view kDownloadScratchSuffix = ".fil";
inline constexpr std::string_view kScratchRandom = "XXXXXX";

// Removes scratch files older than an hour at now (seconds since 1970) that a killed process
// left: ".karvo-XXXXXX" in folder and in each of its subfolders (names relative to folder),
// "karvo-XXXXXX.fil" in tempFolder.
void RemoveStaleScratchFiles(const std::string& folder, const std::vector<std::string>& subfolders,
                             const std::string& tempFolder, std::time_t now);
// The same for the folder of a file the user chose (a bet file): its old ".karvo-XXXXXX" files.
void RemoveStaleScratchFilesBeside(const std::string& name, std::time_t now);

} // namespace karvo
