#pragma once

#include <windows.h>
#include <ole2.h>

namespace lcsdk::ui {

class native_window;

// COM interfaces are released through Release, never deleted through a base pointer, so they
// declare no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Accepts files dropped from the shell onto a window and hands the widget under the mouse event 30.
// It lives inside its native window, so the reference count never frees it: the owner undoes
// the registration, the external lock and the apartment in its own destruction.
class native_drop_target final : public IDropTarget {
public:
    native_drop_target();
    ~native_drop_target();
    native_drop_target(const native_drop_target&) = delete;
    native_drop_target& operator=(const native_drop_target&) = delete;

    // Binds the target to its window and registers it with OLE; only the first call does anything.
    void attach(native_window& owner_window, HWND window_handle);
    // Withdraws the registration while the window handle is still valid.
    void revoke();
    bool is_registered() const { return registered_; }
    HWND window_handle() const { return handle_; }
    HRESULT ole_result() const { return ole_result_; }
    LONG reference_count() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD key_state, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD key_state, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD key_state, POINTL point, DWORD* effect) override;

private:
    // The effect to answer: a copy over a widget that takes dropped files, when the source allows
    // one; nothing otherwise. Never a move, after which a source may delete the originals.
    DWORD drop_effect(DWORD allowed) const;

    HRESULT ole_result_;
    native_window* owner_ = nullptr;
    HWND handle_ = nullptr;
    volatile LONG references_ = 1;
    bool registered_ = false;
};

#pragma GCC diagnostic pop

} // namespace lcsdk::ui
