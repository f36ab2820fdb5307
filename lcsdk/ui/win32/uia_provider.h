#pragma once

#include "lcsdk/ui/accessibility.h"
#include "lcsdk/ui/win32/com_object.h"
#include "lcsdk/ui/win32/uia_api.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace lcsdk::ui {
class window;
}

// UI Automation for the toolkit's windows: one fragment root per window and one fragment per
// element of its accessibility description (accessibility.h), with the Invoke pattern on
// elements that are pressed, Toggle on check boxes and Scroll on scrolling panes.
//
// Clients in other processes reach the providers on a thread of UI Automation's, not on the
// window's: every question a provider answers is sent to the window's thread as a private message
// and answered there from the live tree, so nothing of the toolkit is touched from another thread.
// A provider holds only its window's handle and its element's id; when either is gone it answers
// UIA_E_ELEMENTNOTAVAILABLE. Invoke only checks on the window's thread and posts the press, which
// runs from the window's message loop: a press may open a question, whose modal loop must not run
// while the client waits. A window that takes no input (a question is open over it) refuses every
// action, as it refuses the mouse and the keyboard.
namespace lcsdk::ui::win32 {

// The private messages of the toolkit's window class that carry this work to the window's thread.
constexpr UINT uia_question_message = WM_USER + 0x101; // lparam: the question
constexpr UINT uia_press_message = WM_USER + 0x102;    // wparam: widget serial, lparam: part
constexpr UINT uia_raise_message = WM_USER + 0x103;    // raise the queued events

// The UI Automation state of one native window.
class uia_host {
public:
    // WM_GETOBJECT: for UI Automation's own object id the window's provider (loading
    // uiautomationcore.dll on the first request), nothing for other ids or without the DLL.
    std::optional<LRESULT> answer_get_object(HWND handle, const window& target, WPARAM wparam, LPARAM lparam);
    // What the toolkit announced; dropped until a client has asked some window of the process for
    // its provider. The event is raised later, from uia_raise_message: the tree may be in the
    // middle of a change.
    void queue(HWND handle, const accessibility::notification& change);
    // uia_raise_message: raises the queued events, when clients listen.
    void raise_queued(HWND handle, window& target);
    // Before the window is destroyed: its providers are gone for UI Automation.
    void disconnect(HWND handle);

private:
    bool served_ = false;
    bool raise_posted_ = false;
    std::vector<accessibility::notification> queued_;
};

// uia_question_message: answers the question on the window's thread.
LRESULT answer_question(window& target, LPARAM question);
// uia_press_message: presses the element that Invoke was called on, if it still can be pressed.
void press_posted(window& target, WPARAM serial, LPARAM part);

// The window's root provider, as UI Automation receives it.
com_ref<IRawElementProviderSimple> root_provider(HWND handle, const window& target);
// The same from any thread (for tests inside the process, which act as a client would); null when
// the window is not a toolkit window.
com_ref<IRawElementProviderSimple> root_provider(HWND handle);

} // namespace lcsdk::ui::win32
