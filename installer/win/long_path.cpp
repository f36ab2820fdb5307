#include "installer/win/long_path.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace installer::win {

namespace {

using lcsdk::filesystem::file_path;

// CreateDirectoryW refuses a plain path of this many characters or more: MAX_PATH less room for
// an 8.3 file name ("12345678.123") inside the new folder.
constexpr std::size_t folder_limit = MAX_PATH - 12;

// The path itself while shorter than `limit` characters, otherwise its extended-length form.
file_path extended_from(const file_path& path, std::size_t limit)
{
    const std::wstring& text = path.native();
    // Paths already in the extended or the device form are taken as they are.
    if (text.size() < limit || text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\"))
        return path;
    const DWORD needed = GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(text.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\"))
        return file_path(std::move(full));
    if (full.starts_with(L"\\\\"))
        return file_path(L"\\\\?\\UNC\\" + full.substr(2));
    return file_path(L"\\\\?\\" + full);
}

} // namespace

file_path openable_path(const file_path& path)
{
    return extended_from(path, MAX_PATH);
}

file_path creatable_folder_path(const file_path& path)
{
    return extended_from(path, folder_limit);
}

} // namespace installer::win
