#include "installer/engine_steps.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

// The engine steps on Win32 file calls; the payload is a resource of the program itself.
namespace installer {

namespace {

using lcsdk::filesystem::file_path;

struct handle_closer {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using unique_file = std::unique_ptr<void, handle_closer>;

unique_file create_for_writing(const file_path& path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return unique_file(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace

int write_payload(int payload_id, const file_path& target)
{
    HRSRC found = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(payload_id), MAKEINTRESOURCEW(10));
    if (found == nullptr)
        return step_payload_missing;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return step_payload_unloadable;
    const DWORD size = SizeofResource(nullptr, found);

    // The host loads "*.aex" files only, so the side file is never picked up half written.
    const file_path side_file = target.with_suffix(L".partial");
    unique_file file = create_for_writing(side_file);
    if (!file)
        return step_create_failed;
    DWORD written = 0;
    const bool complete = WriteFile(file.get(), bytes, size, &written, nullptr) != FALSE && written == size &&
                          FlushFileBuffers(file.get()) != FALSE;
    const bool closed = CloseHandle(file.release()) != FALSE;
    if (!complete || !closed) {
        DeleteFileW(side_file.c_str());
        return step_write_failed;
    }
    // Fails like creating the target would when a running host holds the old plug-in open.
    if (!MoveFileExW(side_file.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(side_file.c_str());
        return step_create_failed;
    }
    return step_ok;
}

file_path common_app_data_folder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return lcsdk::filesystem::with_native_separators(file_path(buffer));
}

} // namespace installer
