#pragma once

#include "lcsdk/filesystem/file_path.h"

namespace installer::win {

// A form of `path` that the file calls open whatever its length: the path itself while it fits
// MAX_PATH, otherwise the extended-length form of its full path ("\\?\C:\...",
// "\\?\UNC\server\share\..."). That form reaches the file system unchanged, so it is made from the
// full path as Windows reads the plain one: absolute, single separators, "." and ".." resolved.
lcsdk::filesystem::file_path openable_path(const lcsdk::filesystem::file_path& path);

} // namespace installer::win
