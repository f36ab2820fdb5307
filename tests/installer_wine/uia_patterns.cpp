// The wizard's UI Automation patterns (Invoke, Toggle, Scroll) driven the way UI Automation drives
// them for a client in another process: through the providers, from a thread that is not the
// window's. Wine's client side cannot call patterns, so the wizard runs here, in the test's own
// process, and a thread of the test plays UI Automation. uia_patterns: one line per failed check;
// exit code 0 when every check passed.
#include "installer/installer_ui.h"

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/win32/uia_provider.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using lcsdk::ui::win32::com_ref;
namespace uia = lcsdk::ui::win32::uia;
using provider = com_ref<IRawElementProviderSimple>;

std::vector<std::string> failures;

void check(bool passed, const std::string& what)
{
    if (!passed)
        failures.push_back(what);
}

template <class T>
com_ref<T> query(IUnknown* from)
{
    T* found = nullptr;
    if (from)
        from->QueryInterface(__uuidof(T), reinterpret_cast<void**>(&found));
    return com_ref<T>::adopt(found);
}

VARIANT property(const provider& element, PROPERTYID id)
{
    VARIANT value;
    VariantInit(&value);
    element->GetPropertyValue(id, &value);
    return value;
}

std::wstring name_of(const provider& element)
{
    VARIANT value = property(element, UIA_NamePropertyId);
    std::wstring name = value.vt == VT_BSTR && value.bstrVal ? value.bstrVal : L"";
    VariantClear(&value);
    return name;
}

int control_type_of(const provider& element)
{
    VARIANT value = property(element, UIA_ControlTypePropertyId);
    return value.vt == VT_I4 ? static_cast<int>(value.lVal) : 0;
}

provider step(const provider& from, NavigateDirection direction)
{
    const auto fragment = query<IRawElementProviderFragment>(from.get());
    IRawElementProviderFragment* next = nullptr;
    if (fragment)
        fragment->Navigate(direction, &next);
    const auto owned = com_ref<IRawElementProviderFragment>::adopt(next);
    return query<IRawElementProviderSimple>(owned.get());
}

// The first element, depth first, that `matches`.
provider find(const provider& from, const std::function<bool(const provider&)>& matches)
{
    if (!from || matches(from))
        return from;
    for (provider child = step(from, NavigateDirection_FirstChild); child; child = step(child, NavigateDirection_NextSibling))
        if (provider found = find(child, matches))
            return found;
    return {};
}

provider named(const provider& root, const std::wstring& name)
{
    return find(root, [&](const provider& e) { return name_of(e) == name; });
}

// Polls until `ready` holds, for at most 20 seconds.
bool wait_for(const std::function<bool()>& ready)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

provider wait_named(const provider& root, const std::wstring& name)
{
    provider found;
    check(wait_for([&] { return static_cast<bool>(found = named(root, name)); }),
          "no element named " + std::string(name.begin(), name.end()) + " appeared");
    return found;
}

template <class T>
com_ref<T> pattern(const provider& element, PATTERNID id)
{
    IUnknown* found = nullptr;
    if (element)
        element->GetPatternProvider(id, &found);
    const auto owned = com_ref<IUnknown>::adopt(found);
    return query<T>(owned.get());
}

HRESULT invoke(const provider& element)
{
    const auto invoker = pattern<IInvokeProvider>(element, UIA_InvokePatternId);
    return invoker ? invoker->Invoke() : E_NOINTERFACE;
}

int toggle_state(const com_ref<IToggleProvider>& toggler)
{
    int state = -1;
    if (toggler)
        toggler->get_ToggleState(&state);
    return state;
}

double scrolled(const com_ref<IScrollProvider>& scroller)
{
    double percent = -2.0;
    if (scroller)
        scroller->get_VerticalScrollPercent(&percent);
    return percent;
}

// Everything a client does, page by page, until "Finish".
void act_as_client(HWND wizard)
{
    const provider root = lcsdk::ui::win32::root_provider(wizard);
    check(static_cast<bool>(root), "the wizard has no root provider");

    // Page 0: a disabled button refuses; its bounds are the button's pixels on the screen.
    const provider next = wait_named(root, L"Next >");
    check(invoke(named(root, L"< Back")) == uia::element_not_enabled, "a disabled \"< Back\" was invoked");
    const auto next_fragment = query<IRawElementProviderFragment>(next.get());
    UiaRect bounds{};
    if (next_fragment)
        next_fragment->get_BoundingRectangle(&bounds);
    POINT origin{0, 0};
    ClientToScreen(wizard, &origin);
    check(bounds.left == origin.x + 290 && bounds.top == origin.y + 320 && bounds.width == 85 && bounds.height == 30,
          "\"Next >\" is not where it is drawn");

    // The Exit question: while it is open the wizard takes no action; "Cancel" answers it.
    check(invoke(named(root, L"Cancel")) == S_OK, "\"Cancel\" could not be invoked");
    HWND question = nullptr;
    check(wait_for([&] { return (question = FindWindowW(nullptr, L"Exit Installer")) && IsWindowVisible(question); }),
          "the Exit question did not open");
    check(invoke(next) == uia::element_not_enabled, "the wizard took an action while its question was open");
    const provider answer = question ? named(lcsdk::ui::win32::root_provider(question), L"Cancel") : provider();
    check(invoke(answer) == S_OK, "the question's \"Cancel\" could not be invoked");
    check(wait_for([&] { return !IsWindowVisible(question); }), "the question stayed open");

    // Page 1: the "Custom" check box toggles, and "Plugin Path" follows it.
    check(invoke(next) == S_OK, "\"Next >\" could not be invoked");
    const provider custom = wait_named(root, L"Custom");
    const auto toggler = pattern<IToggleProvider>(custom, UIA_TogglePatternId);
    check(toggle_state(toggler) == uia::toggle_off, "\"Custom\" did not start unchecked");
    check(toggler && toggler->Toggle() == S_OK && toggle_state(toggler) == uia::toggle_on, "\"Custom\" did not toggle on");
    check(static_cast<bool>(named(root, L"Plugin Path")), "\"Plugin Path\" did not appear with \"Custom\"");
    const auto focusable = query<IRawElementProviderFragment>(custom.get());
    check(focusable && focusable->SetFocus() == S_OK, "\"Custom\" did not take the focus");
    VARIANT focused = property(custom, UIA_HasKeyboardFocusPropertyId);
    check(focused.vt == VT_BOOL && focused.boolVal != VARIANT_FALSE, "\"Custom\" does not say it has the focus");
    check(toggler && toggler->Toggle() == S_OK && toggle_state(toggler) == uia::toggle_off, "\"Custom\" did not toggle off");
    check(!named(root, L"Plugin Path"), "\"Plugin Path\" stayed without \"Custom\"");
    check(!pattern<IInvokeProvider>(custom, UIA_InvokePatternId), "a check box offers Invoke");

    // Page 2: the summary pane scrolls, by amount, by percentage and by its arrows.
    check(invoke(next) == S_OK, "\"Next >\" could not be invoked on the versions page");
    provider pane;
    check(wait_for([&] { return static_cast<bool>(pane = find(root, [](const provider& e) { return control_type_of(e) == uia::pane_control; })); }),
          "no scrolling pane on the summary page");
    const auto scroller = pattern<IScrollProvider>(pane, UIA_ScrollPatternId);
    BOOL scrollable = FALSE;
    if (scroller)
        scroller->get_VerticallyScrollable(&scrollable);
    check(scrollable && scrolled(scroller) == 0.0, "the summary should be scrollable and at its start");
    check(scroller && scroller->Scroll(uia::no_amount, uia::small_increment) == S_OK && scrolled(scroller) > 0.0,
          "a small increment did not scroll the summary");
    check(scroller && scroller->Scroll(uia::small_increment, uia::no_amount) == uia::invalid_operation,
          "the summary scrolled sideways");
    check(scroller && scroller->SetScrollPercent(uia::no_scroll, 100.0) == S_OK && scrolled(scroller) == 100.0,
          "the summary did not scroll to its end");
    check(invoke(named(pane, L"Scroll up")) == S_OK && wait_for([&] { return scrolled(scroller) < 100.0; }),
          "the up arrow did not scroll the summary back");

    // Page 3: the run, then "Finish".
    check(invoke(next) == S_OK, "\"Next >\" could not be invoked on the summary");
    check(invoke(wait_named(root, L"Finish")) == S_OK, "\"Finish\" could not be invoked");
}

} // namespace

int wmain()
{
    installer::InstallerUI wizard;
    const HWND handle = static_cast<HWND>(wizard.native->native_handle());
    const DWORD window_thread = GetCurrentThreadId();
    std::thread client([handle, window_thread] {
        act_as_client(handle);
        // Every window left open (a question over the wizard, then the wizard) closes, so that a
        // failed check never leaves the test hanging.
        if (!failures.empty())
            EnumThreadWindows(
                window_thread,
                [](HWND open, LPARAM) {
                    PostMessageW(open, WM_CLOSE, 0, 0);
                    return TRUE;
                },
                0);
    });
    const int result = wizard.show_modal();
    client.join();
    check(result == 1, "the wizard did not end with Finish");
    for (const std::string& failure : failures)
        std::printf("FAILED: %s\n", failure.c_str());
    std::printf("%s\n", failures.empty() ? "all checks passed" : "some checks failed");
    return failures.empty() ? 0 : 1;
}
