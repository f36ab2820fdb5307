#include "installer/discovery.h"
#include "installer/folder_dialog_errors.h"
#include "installer/win/host_subkeys.h"

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/window.h"

#include <windows.h>
#include <comdef.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <memory>
#include <stdexcept>

namespace installer {

namespace {

using lcsdk::filesystem::file_path;

_COM_SMARTPTR_TYPEDEF(IFileOpenDialog, __uuidof(IFileOpenDialog));
_COM_SMARTPTR_TYPEDEF(IShellItem, __uuidof(IShellItem));

struct key_closer {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using unique_key = std::unique_ptr<std::remove_pointer_t<HKEY>, key_closer>;

struct task_memory_free {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// One pass over the hosts' registry keys in the view that `access` selects.
void read_registry_view(folder_list& folders, REGSAM access)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Adobe\\After Effects", 0, access, &opened) != ERROR_SUCCESS)
        return;
    const unique_key hosts(opened);

    DWORD subkey_count = 0;
    if (RegQueryInfoKeyW(hosts.get(), nullptr, nullptr, nullptr, &subkey_count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;

    for (DWORD index = 0; index < subkey_count; ++index) {
        wchar_t name[256] = {};
        DWORD name_length = 255;
        if (RegEnumKeyExW(hosts.get(), index, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        // Up to 255 characters and the terminator; a longer value fails and leaves its version out.
        wchar_t value[256] = {};
        DWORD value_bytes = sizeof(value);
        if (SHRegGetValueW(hosts.get(), name, L"PluginInstallPath", SRRF_RT_REG_SZ, nullptr, value, &value_bytes) !=
            ERROR_SUCCESS)
            continue;
        win::store_plugin_folder(folders, name, file_path(value));
    }
}

} // namespace

folder_list find_plugin_folders()
{
    folder_list folders = empty_folder_list();
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64))
        wow64 = FALSE;
    read_registry_view(folders, KEY_READ);
    // A 32-bit process also reads the 64-bit view, whose entries take precedence.
    if (wow64)
        read_registry_view(folders, KEY_READ | KEY_WOW64_64KEY);
    return folders;
}

file_path select_folder(const std::string& title, lcsdk::ui::window* owner, const file_path& initial_folder)
{
    IFileOpenDialogPtr dialog;
    // __uuidof instead of CLSID_FileOpenDialog: that constant lives in libuuid beside hundreds of
    // others, which all come into the program with it.
    if (FAILED(dialog.CreateInstance(__uuidof(FileOpenDialog), nullptr, CLSCTX_INPROC_SERVER)) || !dialog)
        throw std::runtime_error(folder_dialog_errors::create);

    FILEOPENDIALOGOPTIONS options = 0;
    HRESULT setup = dialog->GetOptions(&options);
    if (SUCCEEDED(setup))
        setup = dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    if (SUCCEEDED(setup))
        setup = dialog->SetTitle(file_path::from_utf8(title).c_str());
    if (FAILED(setup))
        throw std::runtime_error(folder_dialog_errors::setup);

    if (!initial_folder.empty()) {
        IShellItemPtr start;
        if (SUCCEEDED(SHCreateItemFromParsingName(initial_folder.c_str(), nullptr, IID_PPV_ARGS(&start))) && start)
            dialog->SetFolder(start);
    }

    HWND owner_handle = nullptr;
    if (owner != nullptr && owner->native)
        owner_handle = static_cast<HWND>(owner->native->native_handle());
    const HRESULT shown = dialog->Show(owner_handle);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return {};
    if (FAILED(shown))
        throw std::runtime_error(folder_dialog_errors::display);

    IShellItemPtr chosen;
    if (FAILED(dialog->GetResult(&chosen)) || !chosen)
        throw std::runtime_error(folder_dialog_errors::selection);
    wchar_t* path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr)
        throw std::runtime_error(folder_dialog_errors::result);
    const std::unique_ptr<wchar_t, task_memory_free> owned_path(path);
    return lcsdk::filesystem::with_native_separators(file_path(owned_path.get()));
}

} // namespace installer
