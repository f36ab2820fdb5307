#include "lcsdk/filesystem/file_path.h"
#include "lcsdk/filesystem/folder_creation.h"

#include <cerrno>
#include <sys/stat.h>

namespace lcsdk::filesystem {

file_path file_path::from_utf8(std::string_view text)
{
    return file_path(path_string(text));
}

std::string file_path::to_utf8() const
{
    return text_;
}

folder_result make_folder(const file_path& path)
{
    if (::mkdir(path.c_str(), 0755) == 0)
        return folder_result::created;
    switch (errno) {
    case EEXIST: {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? folder_result::exists
                                                                          : folder_result::failed;
    }
    case ENOENT:
        return folder_result::parent_missing;
    default:
        return folder_result::failed;
    }
}

} // namespace lcsdk::filesystem
