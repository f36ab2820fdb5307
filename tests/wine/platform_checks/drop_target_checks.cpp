#include "check.h"
#include "recorder.h"

#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace ui = lcsdk::ui;

namespace platform_checks {

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A data object as the shell hands it over: a CF_HDROP list of paths, or no file list at all.
class file_list_data final : public IDataObject {
public:
    explicit file_list_data(std::vector<std::wstring> paths, bool has_file_list = true)
        : paths_(std::move(paths)), has_file_list_(has_file_list)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!has_file_list_ || format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        // DROPFILES, then each path with its terminator, then one more terminator.
        std::size_t characters = 1;
        for (const std::wstring& path : paths_)
            characters += path.size() + 1;
        const std::size_t bytes = sizeof(DROPFILES) + characters * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GHND, bytes);
        auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
        for (const std::wstring& path : paths_) {
            std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
            text += path.size() + 1;
        }
        *text = L'\0';
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    std::vector<std::wstring> paths_;
    bool has_file_list_;
};

#pragma GCC diagnostic pop

std::wstring temp_folder()
{
    wchar_t path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, path);
    std::wstring folder = std::wstring(path) + L"lcsdk_drop_check";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

} // namespace

void check_drop_target(results& r)
{
    r.section("drop target");
    ui::window w;
    w.create("drop", {{0, 0}, {200, 150}});
    ui::widget accepting;
    accepting.create(w.root, {{0, 0}, {100, 150}});
    std::vector<std::vector<std::wstring>> deliveries;
    ui::add_handler(&accepting, &accepting, ui::files_dropped, [&](const ui::event_info& e) {
        deliveries.push_back(*reinterpret_cast<const std::vector<std::wstring>*>(e.param));
    });
    ui::native_drop_target& target = w.native->get_impl().drop_target;
    r.expect(target.is_registered(), "the window is registered for drag and drop");
    r.expect(SUCCEEDED(target.ole_result()), "OLE was initialised for the window's thread");

    void* object = reinterpret_cast<void*>(0x1234);
    r.expect(target.QueryInterface(IID_IDataObject, &object) == E_FAIL && object == reinterpret_cast<void*>(0x1234),
             "QueryInterface for another interface fails with E_FAIL and leaves the pointer");
    r.expect(target.QueryInterface(IID_IDropTarget, nullptr) == E_FAIL, "QueryInterface without an out pointer fails");
    const LONG before = target.reference_count();
    r.expect(target.QueryInterface(IID_IDropTarget, &object) == S_OK && object == static_cast<IDropTarget*>(&target),
             "QueryInterface for IDropTarget gives the object");
    r.expect(target.reference_count() == before + 1, "QueryInterface adds a reference");
    target.Release();

    // Over the accepting widget, then over the bare root.
    POINT inside{20, 20};
    ClientToScreen(w.native->get_impl().handle, &inside);
    POINT outside{150, 20};
    ClientToScreen(w.native->get_impl().handle, &outside);
    // The answer is a copy, never a move: after a move a source may delete the originals.
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    SetCursorPos(inside.x, inside.y);
    file_list_data offered({L"C:\\offered.txt"});
    target.DragEnter(&offered, 0, {inside.x, inside.y}, &effect);
    r.expect(effect == DROPEFFECT_COPY, "entering over a widget with a drop handler answers a copy");
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target.DragOver(0, {inside.x, inside.y}, &effect);
    r.expect(effect == DROPEFFECT_COPY, "a widget with a drop handler accepts the drop as a copy");
    effect = DROPEFFECT_MOVE;
    target.DragOver(0, {inside.x, inside.y}, &effect);
    r.expect(effect == DROPEFFECT_NONE, "a source that only allows a move is refused");
    SetCursorPos(outside.x, outside.y);
    effect = DROPEFFECT_COPY;
    target.DragOver(0, {outside.x, outside.y}, &effect);
    r.expect(effect == DROPEFFECT_NONE, "a widget without a drop handler refuses it");
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(&offered, 0, {outside.x, outside.y}, &effect);
    r.expect(effect == DROPEFFECT_NONE, "entering over a widget without a drop handler refuses it");

    const std::wstring folder = temp_folder();
    const std::wstring file = folder + L"\\dropped.txt";
    HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(created);
    std::wstring forward = file;
    for (wchar_t& c : forward)
        c = c == L'\\' ? L'/' : c;

    SetCursorPos(inside.x, inside.y);
    file_list_data files({folder, forward, folder + L"\\vanished.txt"});
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    r.expect(target.Drop(&files, 0, {inside.x, inside.y}, &effect) == S_OK, "a file list is dropped");
    r.expect(effect == DROPEFFECT_COPY, "the drop is reported to the source as a copy");
    r.expect(deliveries.size() == 1 && deliveries[0] == std::vector<std::wstring>{file},
             "only the existing file arrives, with backslashes");

    file_list_data no_files({}, false);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    r.expect(target.Drop(&no_files, 0, {inside.x, inside.y}, &effect) == E_FAIL, "data without a file list fails");
    r.expect(effect == DROPEFFECT_NONE, "and is reported as no drop");
    r.expect(deliveries.size() == 1, "and delivers nothing");

    file_list_data only_folder({folder});
    target.Drop(&only_folder, 0, {inside.x, inside.y}, &effect);
    r.expect(deliveries.size() == 2 && deliveries[1].empty(), "an empty list is still delivered");

    SetCursorPos(outside.x, outside.y);
    file_list_data elsewhere({file});
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.Drop(&elsewhere, 0, {outside.x, outside.y}, &effect);
    r.expect(deliveries.size() == 2, "a drop over a widget without a handler reaches no one");
    r.expect(effect == DROPEFFECT_NONE, "and is reported as refused");

    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace platform_checks
