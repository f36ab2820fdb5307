#pragma once

#include "lcsdk/filesystem/file_path.h"

namespace lcsdk::filesystem {

enum class folder_result {
    created,        // made now
    exists,         // a folder was already there
    parent_missing, // some folder above it does not exist
    failed,         // anything else, including a file standing where the folder should be
};

// Creates one folder; the platform's create-directory call with its C-runtime error mapping.
folder_result make_folder(const file_path& path);

// Creates the folder and every missing folder above it. False for an empty path, or when some
// level cannot be created.
bool create_folders(const file_path& path);

} // namespace lcsdk::filesystem
