#pragma once

#include "lcsdk/filesystem/file_path.h"

namespace installer::win {

// A form of `path` that the file calls open whatever its length: the path itself while it fits
// MAX_PATH, otherwise the extended-length form of its full path ("\\?\C:\...",
// "\\?\UNC\server\share\..."). That form reaches the file system unchanged, so it is made from the
// full path as Windows reads the plain one: absolute, single separators, "." and ".." resolved.
lcsdk::filesystem::file_path openable_path(const lcsdk::filesystem::file_path& path);

// The same for a folder to be created: CreateDirectoryW takes a plain path only while it leaves
// room for an 8.3 file name below MAX_PATH, so the extended form starts at 248 characters.
lcsdk::filesystem::file_path creatable_folder_path(const lcsdk::filesystem::file_path& path);

} // namespace installer::win
