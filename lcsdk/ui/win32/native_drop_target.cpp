#include "lcsdk/ui/win32/native_drop_target.h"

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/window.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lcsdk::ui {

namespace {

// Releases a storage medium obtained from a data object, whatever happens in between.
class storage_medium {
public:
    STGMEDIUM medium{};

    storage_medium() = default;
    ~storage_medium() { ReleaseStgMedium(&medium); }
    storage_medium(const storage_medium&) = delete;
    storage_medium& operator=(const storage_medium&) = delete;
};

// The dropped files, without directories and vanished paths, with "\" as the only separator.
std::vector<std::wstring> dropped_files(HDROP drop)
{
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(static_cast<std::size_t>(length) + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(copied);
        if ((GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        std::replace(path.begin(), path.end(), L'/', L'\\');
        files.push_back(std::move(path));
    }
    return files;
}

} // namespace

native_drop_target::native_drop_target() : ole_result_(OleInitialize(nullptr))
{
    CoLockObjectExternal(this, TRUE, FALSE);
}

native_drop_target::~native_drop_target()
{
    revoke();
    // The last unlock lets COM drop the references it took for the lock before this object goes.
    CoLockObjectExternal(this, FALSE, TRUE);
    // Only a successful initialisation is balanced; a thread already in the multithreaded
    // apartment (RPC_E_CHANGED_MODE) or a failed one must not be uninitialised here.
    if (SUCCEEDED(ole_result_))
        OleUninitialize();
}

void native_drop_target::attach(native_window& owner_window, HWND window_handle)
{
    if (handle_)
        return;
    owner_ = &owner_window;
    handle_ = window_handle;
    registered_ = SUCCEEDED(RegisterDragDrop(handle_, this));
}

void native_drop_target::revoke()
{
    if (!registered_)
        return;
    RevokeDragDrop(handle_);
    registered_ = false;
}

HRESULT STDMETHODCALLTYPE native_drop_target::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_FAIL;
    // __uuidof: the IID_ constants come from libuuid, which brings hundreds of others along.
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDropTarget))) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    return E_FAIL;
}

ULONG STDMETHODCALLTYPE native_drop_target::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE native_drop_target::Release()
{
    // The object is a member of its window and is never freed through its count; the window's
    // destruction undoes the lock and the apartment exactly once.
    return static_cast<ULONG>(InterlockedDecrement(&references_));
}

DWORD native_drop_target::drop_effect(DWORD allowed) const
{
    const window* target = owner_ ? owner_->toolkit_window() : nullptr;
    const bool accepts = target && takes_dropped_files(*target);
    return accepts && (allowed & DROPEFFECT_COPY) != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE native_drop_target::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    *effect = drop_effect(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE native_drop_target::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    *effect = drop_effect(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE native_drop_target::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE native_drop_target::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    // What the source learns of the drop: the originals stay where they are, and a drop that
    // delivers nothing did nothing.
    const DWORD answer = effect ? drop_effect(*effect) : DROPEFFECT_NONE;
    if (effect)
        *effect = DROPEFFECT_NONE;
    if (!data)
        return E_FAIL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    std::vector<std::wstring> files;
    {
        storage_medium storage;
        if (FAILED(data->GetData(&format, &storage.medium)))
            return E_FAIL;
        files = dropped_files(static_cast<HDROP>(storage.medium.hGlobal));
    }
    if (effect)
        *effect = answer;
    if (window* target = owner_ ? owner_->toolkit_window() : nullptr)
        translate_files_dropped(*target, &files);
    return S_OK;
}

} // namespace lcsdk::ui
