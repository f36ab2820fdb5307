#include "lcsdk/filesystem/file_path.h"
#include "lcsdk/filesystem/folder_creation.h"

#include <windows.h>

#include <cerrno>
#include <direct.h>

namespace lcsdk::filesystem {

file_path file_path::from_utf8(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return file_path(std::move(wide));
}

std::string file_path::to_utf8() const
{
    if (text_.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text_.data(), static_cast<int>(text_.size()), nullptr, 0,
                                           nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text_.data(), static_cast<int>(text_.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

folder_result make_folder(const file_path& path)
{
    if (_wmkdir(path.c_str()) == 0)
        return folder_result::created;
    switch (errno) {
    case EEXIST: {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                   ? folder_result::exists
                   : folder_result::failed;
    }
    case ENOENT:
        return folder_result::parent_missing;
    default:
        return folder_result::failed;
    }
}

} // namespace lcsdk::filesystem
