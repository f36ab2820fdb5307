#include "installer/file_engine.h"
#include "installer/system.h"
#include "installer/win/long_path.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

// The Windows engine: the plug-in is a resource of the program itself, written with Win32 file
// calls into each chosen folder.
namespace installer {

namespace {

using lcsdk::filesystem::file_path;

constexpr std::wstring_view plugin_file_name = L"Glaive.aex";

// Resource identifiers (type RT_RCDATA) of the two payloads.
int payload_resource(payload_kind kind) { return kind == payload_kind::main ? 400 : 300; }

struct handle_closer {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using unique_file = std::unique_ptr<void, handle_closer>;

unique_file create_for_writing(const file_path& path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return unique_file(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// Writes the payload into the vendor folder. The file appears complete or not at all: the bytes go to a side
// file in the same folder that replaces the target only once it has been written in full, so a
// failure leaves the previous plug-in (or none) where the host loads it.
int write_payload(payload_kind kind, const file_path& vendor_folder)
{
    const file_path target = vendor_folder.append_plain(plugin_file_name);
    HRSRC found = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(payload_resource(kind)), MAKEINTRESOURCEW(10));
    if (found == nullptr)
        return step_payload_missing;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return step_payload_unloadable;
    const DWORD size = SizeofResource(nullptr, found);

    // The host loads "*.aex" files only, so the side file is never picked up half written. Its
    // name is longer than the target's, so it takes the long form where the target just fits.
    const file_path side_file = win::openable_path(target.with_suffix(L".partial"));
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

// The machine-wide application data folder; empty when the system cannot say.
file_path common_app_data_folder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return lcsdk::filesystem::with_native_separators(file_path(buffer));
}

} // namespace

void System::install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload)
{
    install_plugin_files(*this, plugin_folders, script_folders, custom_main_payload, write_payload,
                         common_app_data_folder());
}

} // namespace installer
