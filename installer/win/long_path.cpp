#include "installer/win/long_path.h"

#include <windows.h>

#include <string>

namespace installer::win {

using lcsdk::filesystem::file_path;

file_path openable_path(const file_path& path)
{
    const std::wstring& text = path.native();
    // Paths already in the extended or the device form are taken as they are.
    if (text.size() < MAX_PATH || text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\"))
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

} // namespace installer::win
