#pragma once

// The part of UI Automation the layer uses. mingw-w64 declares the provider interfaces of the
// fragment tree and the property and pattern numbers; the rest is declared here: the pattern
// interfaces, their enumerations, the control types, events and error codes (its API header does
// not compile as C++). No import library exists for uiautomationcore.dll either, so its functions
// are looked up at run time.

#include <windows.h>
#include <ole2.h>

#include <uiautomationclient.h>
#include <uiautomationcore.h>

namespace lcsdk::ui::win32::uia {

// WM_GETOBJECT's object id of UI Automation, and the first number of a runtime id that its
// window completes.
constexpr LONG root_object_id = -25;
constexpr int append_runtime_id = 3;

constexpr HRESULT element_not_enabled = static_cast<HRESULT>(0x80040200);
constexpr HRESULT element_not_available = static_cast<HRESULT>(0x80040201);
constexpr HRESULT invalid_operation = static_cast<HRESULT>(0x80131509);

// Control types.
constexpr CONTROLTYPEID button_control = 50000;
constexpr CONTROLTYPEID check_box_control = 50002;
constexpr CONTROLTYPEID image_control = 50006;
constexpr CONTROLTYPEID scroll_bar_control = 50014;
constexpr CONTROLTYPEID text_control = 50020;
constexpr CONTROLTYPEID window_control = 50032;
constexpr CONTROLTYPEID pane_control = 50033;

// Events.
constexpr EVENTID focus_changed_event = 20005;
constexpr EVENTID window_opened_event = 20016;

enum structure_change_type : int { children_invalidated = 2 };

enum toggle_state : int { toggle_off = 0, toggle_on = 1 };

enum scroll_amount : int {
    large_decrement = 0,
    small_decrement = 1,
    no_amount = 2,
    large_increment = 3,
    small_increment = 4,
};

// A scroll percentage that says "does not scroll this way", and "leave it" in SetScrollPercent.
constexpr double no_scroll = -1.0;

} // namespace lcsdk::ui::win32::uia

// Interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

MIDL_INTERFACE("54fcb24b-e18e-47a2-b4d3-eccbe77599a2")
IInvokeProvider : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};
__CRT_UUID_DECL(IInvokeProvider, 0x54fcb24b, 0xe18e, 0x47a2, 0xb4, 0xd3, 0xec, 0xcb, 0xe7, 0x75, 0x99, 0xa2)

MIDL_INTERFACE("56d00bd0-c4f4-433c-a836-1a52a57e0892")
IToggleProvider : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Toggle() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ToggleState(int* state) = 0;
};
__CRT_UUID_DECL(IToggleProvider, 0x56d00bd0, 0xc4f4, 0x433c, 0xa8, 0x36, 0x1a, 0x52, 0xa5, 0x7e, 0x08, 0x92)

MIDL_INTERFACE("b38b8077-1fc3-42a5-8cae-d40c2215055a")
IScrollProvider : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Scroll(int horizontal_amount, int vertical_amount) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetScrollPercent(double horizontal_percent, double vertical_percent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HorizontalScrollPercent(double* percent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_VerticalScrollPercent(double* percent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HorizontalViewSize(double* percent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_VerticalViewSize(double* percent) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HorizontallyScrollable(BOOL* scrollable) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_VerticallyScrollable(BOOL* scrollable) = 0;
};
__CRT_UUID_DECL(IScrollProvider, 0xb38b8077, 0x1fc3, 0x42a5, 0x8c, 0xae, 0xd4, 0x0c, 0x22, 0x15, 0x05, 0x5a)

#pragma GCC diagnostic pop

namespace lcsdk::ui::win32::uia {

// The functions of uiautomationcore.dll the layer calls.
struct functions {
    LRESULT(WINAPI* return_raw_element_provider)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
    HRESULT(WINAPI* host_provider_from_hwnd)(HWND, IRawElementProviderSimple**) = nullptr;
    BOOL(WINAPI* clients_are_listening)() = nullptr;
    HRESULT(WINAPI* raise_automation_event)(IRawElementProviderSimple*, EVENTID) = nullptr;
    HRESULT(WINAPI* raise_property_changed_event)(IRawElementProviderSimple*, PROPERTYID, VARIANT, VARIANT) = nullptr;
    HRESULT(WINAPI* raise_structure_changed_event)(IRawElementProviderSimple*, int, int*, int) = nullptr;
};

// The functions, loaded on first use from uiautomationcore.dll in the system folder only (never
// from the program's folder, where a planted copy could wait), and kept for the life of the
// process; null when the DLL or one of them is missing, and then the windows offer no provider.
const functions* library();
// Whether library() has been asked for, by this window or another: a client has talked to the
// process, and may listen to windows it has not asked about yet (a question just opened).
bool asked_for();

} // namespace lcsdk::ui::win32::uia
