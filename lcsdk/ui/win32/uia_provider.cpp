#include "lcsdk/ui/win32/uia_provider.h"

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/screen_geometry.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/win32/wide_text.h"
#include "lcsdk/ui/window.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace lcsdk::ui::win32 {

namespace {

namespace access = accessibility;

// A question for the window's thread, and its answer. The answer stays "not available" when the
// question never ran: the window was destroyed, or is being destroyed.
struct question {
    HRESULT (*ask)(window&, void*);
    void* context;
    HRESULT answer = uia::element_not_available;
};

template <typename Ask>
HRESULT ask_window(HWND handle, Ask&& ask)
{
    using callable = std::remove_reference_t<Ask>;
    question asked{[](window& target, void* context) { return (*static_cast<callable*>(context))(target); },
                   static_cast<void*>(&ask)};
    // Runs at once on the window's own thread; from another thread it waits until the window's
    // thread takes sent messages, which its message loop and every wait of its own in a sent
    // message or a COM call do.
    SendMessageW(handle, uia_question_message, 0, reinterpret_cast<LPARAM>(&asked));
    return asked.answer;
}

// COM methods must not let an exception out.
template <typename Body>
HRESULT guarded(Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return E_FAIL;
    }
}

CONTROLTYPEID control_type(access::role kind)
{
    switch (kind) {
    case access::role::window: return uia::window_control;
    case access::role::button: return uia::button_control;
    case access::role::check_box: return uia::check_box_control;
    case access::role::static_text: return uia::text_control;
    case access::role::scroll_pane: return uia::pane_control;
    case access::role::scroll_bar: return uia::scroll_bar_control;
    case access::role::picture: return uia::image_control;
    }
    return uia::pane_control;
}

HRESULT not_done(access::outcome result)
{
    switch (result) {
    case access::outcome::done: return S_OK;
    case access::outcome::gone: return uia::element_not_available;
    case access::outcome::not_enabled: return uia::element_not_enabled;
    case access::outcome::not_supported: return uia::invalid_operation;
    }
    return E_FAIL;
}

void set_bool(VARIANT& value, bool flag)
{
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

void set_int(VARIANT& value, int number)
{
    value.vt = VT_I4;
    value.lVal = number;
}

void set_text(VARIANT& value, const std::string& text)
{
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(utf8_to_wide(text).c_str());
}

// The Scroll pattern's values, for a pane that scrolls in the direction asked about.
double scroll_percent(const access::scroll_state& at)
{
    return at.maximum > 0 ? 100.0 * at.position / at.maximum : uia::no_scroll;
}

double view_size(const access::scroll_state& at)
{
    return at.page + at.maximum > 0 ? 100.0 * at.page / (at.page + at.maximum) : 100.0;
}

BOOL can_scroll(const access::scroll_state& at) { return at.maximum > 0; }

// Screen DIPs of the toolkit to the device pixels of the screen, exact at the window's client
// origin (which the DIP position of the origin may have rounded).
struct screen_scale {
    POINT origin_pixels{0, 0};
    vec2i origin_dips;
    int dpi_x = 96;
    int dpi_y = 96;

    screen_scale(HWND handle, const window& target)
        : origin_dips(target.native->client_screen_position()), dpi_x(target.native->get_impl().dpi_x),
          dpi_y(target.native->get_impl().dpi_y)
    {
        ClientToScreen(handle, &origin_pixels);
    }
    int x_pixels(int dips) const { return origin_pixels.x + dips_to_pixels(dips - origin_dips.x, dpi_x); }
    int y_pixels(int dips) const { return origin_pixels.y + dips_to_pixels(dips - origin_dips.y, dpi_y); }
    vec2i dips(double x, double y) const
    {
        return origin_dips + vec2i{pixels_to_dips(static_cast<int>(std::lround(x)) - origin_pixels.x, dpi_x),
                                   pixels_to_dips(static_cast<int>(std::lround(y)) - origin_pixels.y, dpi_y)};
    }
};

// Interfaces are released through Release, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// One element of a window for UI Automation. Made for each answer that names an element; UI
// Automation tells two apart by their runtime ids.
class element_provider final : public IRawElementProviderSimple,
                               public IRawElementProviderFragment,
                               public IRawElementProviderFragmentRoot,
                               public IInvokeProvider,
                               public IToggleProvider,
                               public IScrollProvider,
                               public com_counted<element_provider> {
public:
    element_provider(HWND handle, access::element_id id, access::element_id window_id)
        : handle_(handle), id_(id), window_id_(window_id)
    {
    }
    ~element_provider() = default;
    element_provider(const element_provider&) = delete;
    element_provider& operator=(const element_provider&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return add_ref(); }
    ULONG STDMETHODCALLTYPE Release() override { return release(); }

    // IRawElementProviderSimple
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override;
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** provider) override;
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override;

    // IRawElementProviderFragment
    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction, IRawElementProviderFragment** found) override;
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) override;
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* bounds) override;
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** roots) override;
    HRESULT STDMETHODCALLTYPE SetFocus() override;
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** root) override;

    // IRawElementProviderFragmentRoot (the window's element only)
    HRESULT STDMETHODCALLTYPE ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** found) override;
    HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** focused) override;

    // IInvokeProvider
    HRESULT STDMETHODCALLTYPE Invoke() override;

    // IToggleProvider
    HRESULT STDMETHODCALLTYPE Toggle() override;
    HRESULT STDMETHODCALLTYPE get_ToggleState(int* state) override;

    // IScrollProvider
    HRESULT STDMETHODCALLTYPE Scroll(int horizontal_amount, int vertical_amount) override;
    HRESULT STDMETHODCALLTYPE SetScrollPercent(double horizontal_percent, double vertical_percent) override;
    HRESULT STDMETHODCALLTYPE get_HorizontalScrollPercent(double* percent) override;
    HRESULT STDMETHODCALLTYPE get_VerticalScrollPercent(double* percent) override;
    HRESULT STDMETHODCALLTYPE get_HorizontalViewSize(double* percent) override;
    HRESULT STDMETHODCALLTYPE get_VerticalViewSize(double* percent) override;
    HRESULT STDMETHODCALLTYPE get_HorizontallyScrollable(BOOL* scrollable) override;
    HRESULT STDMETHODCALLTYPE get_VerticallyScrollable(BOOL* scrollable) override;

private:
    bool is_root() const { return id_ == window_id_; }
    com_ref<element_provider> provider_for(access::element_id id) const
    {
        return make_com_object<element_provider>(handle_, id, window_id_);
    }
    // Asks `with` (window&, const element&) -> HRESULT about this element on the window's thread.
    template <typename With>
    HRESULT about(With&& with) const;
    // As `about`, for an action: refused while the window takes no input.
    template <typename With>
    HRESULT act(With&& with) const;
    // Answers with the element that `find` (window&, const element&) -> element_id names, or with
    // none when it names none.
    template <typename Find>
    HRESULT hand_out(IRawElementProviderFragment** found, Find&& find) const;
    // A value of the Scroll pattern in one direction: `of` the pane's state when it scrolls that way,
    // else `otherwise`.
    template <typename Value>
    HRESULT along(bool vertical, Value* out, Value otherwise, Value (*of)(const access::scroll_state&)) const;

    HWND handle_;
    access::element_id id_;
    access::element_id window_id_;
};

#pragma GCC diagnostic pop

template <typename With>
HRESULT element_provider::about(With&& with) const
{
    return ask_window(handle_, [this, &with](window& target) -> HRESULT {
        if (access::window_element(target) != window_id_)
            return uia::element_not_available;
        const std::optional<access::element> now = access::describe(target, id_);
        if (!now)
            return uia::element_not_available;
        return with(target, *now);
    });
}

template <typename With>
HRESULT element_provider::act(With&& with) const
{
    return about([&](window& target, const access::element& now) {
        if (!IsWindowEnabled(handle_))
            return uia::element_not_enabled;
        return with(target, now);
    });
}

template <typename Find>
HRESULT element_provider::hand_out(IRawElementProviderFragment** found, Find&& find) const
{
    if (!found)
        return E_POINTER;
    *found = nullptr;
    return guarded([&] {
        access::element_id named;
        const HRESULT result = about([&](window& target, const access::element& now) {
            named = find(target, now);
            return S_OK;
        });
        if (SUCCEEDED(result) && named)
            *found = provider_for(named).detach();
        return result;
    });
}

template <typename Value>
HRESULT element_provider::along(bool vertical, Value* out, Value otherwise, Value (*of)(const access::scroll_state&)) const
{
    if (!out)
        return E_POINTER;
    *out = otherwise;
    return guarded([&] {
        return about([&](window&, const access::element& now) {
            if (!now.scroll)
                return uia::invalid_operation;
            if (now.scroll->vertical == vertical)
                *out = of(*now.scroll);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IRawElementProviderSimple)))
        *object = static_cast<IRawElementProviderSimple*>(this);
    else if (IsEqualIID(iid, __uuidof(IRawElementProviderFragment)))
        *object = static_cast<IRawElementProviderFragment*>(this);
    else if (IsEqualIID(iid, __uuidof(IRawElementProviderFragmentRoot)) && is_root())
        *object = static_cast<IRawElementProviderFragmentRoot*>(this);
    else if (IsEqualIID(iid, __uuidof(IInvokeProvider)))
        *object = static_cast<IInvokeProvider*>(this);
    else if (IsEqualIID(iid, __uuidof(IToggleProvider)))
        *object = static_cast<IToggleProvider*>(this);
    else if (IsEqualIID(iid, __uuidof(IScrollProvider)))
        *object = static_cast<IScrollProvider*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE element_provider::get_ProviderOptions(ProviderOptions* options)
{
    if (!options)
        return E_POINTER;
    // Called on UI Automation's threads, which the provider hands over to the window's itself.
    *options = ProviderOptions_ServerSideProvider;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE element_provider::GetPatternProvider(PATTERNID pattern, IUnknown** provider)
{
    if (!provider)
        return E_POINTER;
    *provider = nullptr;
    return guarded([&] {
        return about([&](window&, const access::element& now) {
            IUnknown* supported = nullptr;
            if (pattern == UIA_InvokePatternId && now.default_action == access::action::press)
                supported = static_cast<IInvokeProvider*>(this);
            else if (pattern == UIA_TogglePatternId && now.checked)
                supported = static_cast<IToggleProvider*>(this);
            else if (pattern == UIA_ScrollPatternId && now.scroll)
                supported = static_cast<IScrollProvider*>(this);
            if (supported) {
                supported->AddRef();
                *provider = supported;
            }
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::GetPropertyValue(PROPERTYID property, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    VariantInit(value);
    return guarded([&] {
        return about([&](window&, const access::element& now) {
            switch (property) {
            case UIA_NamePropertyId: set_text(*value, now.name); break;
            case UIA_ControlTypePropertyId: set_int(*value, control_type(now.kind)); break;
            case UIA_IsEnabledPropertyId: set_bool(*value, now.enabled); break;
            case UIA_HasKeyboardFocusPropertyId: set_bool(*value, now.focused); break;
            case UIA_IsKeyboardFocusablePropertyId: set_bool(*value, now.focusable && now.enabled); break;
            case UIA_IsOffscreenPropertyId: set_bool(*value, !now.visible); break;
            case UIA_IsInvokePatternAvailablePropertyId:
                set_bool(*value, now.default_action == access::action::press);
                break;
            case UIA_IsTogglePatternAvailablePropertyId: set_bool(*value, now.checked.has_value()); break;
            case UIA_IsScrollPatternAvailablePropertyId: set_bool(*value, now.scroll.has_value()); break;
            case UIA_ToggleToggleStatePropertyId:
                if (now.checked)
                    set_int(*value, *now.checked ? uia::toggle_on : uia::toggle_off);
                break;
            case UIA_AriaPropertiesPropertyId:
                // The state once more, for clients that cannot read the Toggle pattern (Wine's).
                if (now.checked)
                    set_text(*value, *now.checked ? "checked=true" : "checked=false");
                break;
            case UIA_HelpTextPropertyId:
                if (!now.help.empty())
                    set_text(*value, now.help);
                break;
            default: break; // VT_EMPTY: UI Automation asks the host window's provider, or has a default
            }
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::get_HostRawElementProvider(IRawElementProviderSimple** host)
{
    if (!host)
        return E_POINTER;
    *host = nullptr;
    const uia::functions* api = uia::library();
    // The window's element is hosted by the window itself, which gives it the window's own
    // properties (its handle, its process); the other elements live inside it.
    return is_root() && api ? api->host_provider_from_hwnd(handle_, host) : S_OK;
}

HRESULT STDMETHODCALLTYPE element_provider::Navigate(NavigateDirection direction, IRawElementProviderFragment** found)
{
    // The window's parent is the desktop, which UI Automation finds through the window.
    return hand_out(found, [&](window& target, const access::element& now) -> access::element_id {
        if (direction == NavigateDirection_Parent)
            return now.parent;
        if (direction == NavigateDirection_FirstChild || direction == NavigateDirection_LastChild) {
            if (now.children.empty())
                return {};
            return direction == NavigateDirection_FirstChild ? now.children.front() : now.children.back();
        }
        if (!now.parent)
            return {};
        const std::optional<access::element> parent = access::describe(target, now.parent);
        if (!parent)
            return {};
        const auto& siblings = parent->children;
        const auto at = std::find(siblings.begin(), siblings.end(), id_);
        if (at == siblings.end())
            return {};
        if (direction == NavigateDirection_NextSibling && at + 1 != siblings.end())
            return *(at + 1);
        if (direction == NavigateDirection_PreviousSibling && at != siblings.begin())
            return *(at - 1);
        return {};
    });
}

HRESULT STDMETHODCALLTYPE element_provider::GetRuntimeId(SAFEARRAY** id)
{
    if (!id)
        return E_POINTER;
    *id = nullptr;
    // The window's element takes the runtime id of its window.
    if (is_root())
        return S_OK;
    SAFEARRAY* numbers = SafeArrayCreateVector(VT_I4, 0, 3);
    if (!numbers)
        return E_OUTOFMEMORY;
    LONG values[3]{uia::append_runtime_id, static_cast<LONG>(id_.widget & 0x7FFFFFFF), id_.part};
    for (LONG i = 0; i < 3; ++i)
        SafeArrayPutElement(numbers, &i, &values[i]);
    *id = numbers;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE element_provider::get_BoundingRectangle(UiaRect* bounds)
{
    if (!bounds)
        return E_POINTER;
    *bounds = {};
    return guarded([&] {
        return about([&](window& target, const access::element& now) {
            if (!now.visible)
                return S_OK;
            const screen_scale scale(handle_, target);
            const int left = scale.x_pixels(now.bounds.left());
            const int top = scale.y_pixels(now.bounds.top());
            *bounds = {static_cast<double>(left), static_cast<double>(top),
                       static_cast<double>(scale.x_pixels(now.bounds.right()) - left),
                       static_cast<double>(scale.y_pixels(now.bounds.bottom()) - top)};
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::GetEmbeddedFragmentRoots(SAFEARRAY** roots)
{
    if (!roots)
        return E_POINTER;
    *roots = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE element_provider::SetFocus()
{
    return guarded([&] {
        return act([&](window& target, const access::element&) { return not_done(access::set_focus(target, id_)); });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::get_FragmentRoot(IRawElementProviderFragmentRoot** root)
{
    if (!root)
        return E_POINTER;
    *root = nullptr;
    return guarded([&] {
        *root = provider_for(window_id_).detach();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE element_provider::ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** found)
{
    return hand_out(found, [&](window& target, const access::element&) {
        return access::element_at(target, screen_scale(handle_, target).dips(x, y));
    });
}

HRESULT STDMETHODCALLTYPE element_provider::GetFocus(IRawElementProviderFragment** focused)
{
    return hand_out(focused, [](window& target, const access::element&) { return access::focused_element(target); });
}

HRESULT STDMETHODCALLTYPE element_provider::Invoke()
{
    return guarded([&] {
        return act([&](window&, const access::element& now) {
            if (!now.visible)
                return uia::element_not_available;
            if (!now.enabled)
                return uia::element_not_enabled;
            if (now.default_action != access::action::press)
                return uia::invalid_operation;
            // Invoke returns before the press: it may open a question and wait in its loop.
            PostMessageW(handle_, uia_press_message, static_cast<WPARAM>(id_.widget), static_cast<LPARAM>(id_.part));
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::Toggle()
{
    return guarded([&] {
        return act([&](window& target, const access::element&) {
            return not_done(access::perform(target, id_, access::action::toggle));
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::get_ToggleState(int* state)
{
    if (!state)
        return E_POINTER;
    *state = uia::toggle_off;
    return guarded([&] {
        return about([&](window&, const access::element& now) {
            if (!now.checked)
                return uia::invalid_operation;
            *state = *now.checked ? uia::toggle_on : uia::toggle_off;
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::Scroll(int horizontal_amount, int vertical_amount)
{
    return guarded([&] {
        return act([&](window& target, const access::element& now) {
            if (!now.scroll)
                return uia::invalid_operation;
            const access::scroll_state& at = *now.scroll;
            // A pane scrolls one way only; an amount the other way cannot be done.
            const int along = at.vertical ? vertical_amount : horizontal_amount;
            if ((at.vertical ? horizontal_amount : vertical_amount) != uia::no_amount)
                return uia::invalid_operation;
            int position = at.position;
            switch (along) {
            case uia::small_increment: position += at.step; break;
            case uia::small_decrement: position -= at.step; break;
            case uia::large_increment: position += at.page; break;
            case uia::large_decrement: position -= at.page; break;
            case uia::no_amount: return S_OK;
            default: return E_INVALIDARG;
            }
            return not_done(access::scroll_to(target, id_, std::clamp(position, 0, at.maximum)));
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::SetScrollPercent(double horizontal_percent, double vertical_percent)
{
    return guarded([&] {
        return act([&](window& target, const access::element& now) {
            if (!now.scroll)
                return uia::invalid_operation;
            const access::scroll_state& at = *now.scroll;
            const double along = at.vertical ? vertical_percent : horizontal_percent;
            const double across = at.vertical ? horizontal_percent : vertical_percent;
            if (across != uia::no_scroll)
                return uia::invalid_operation;
            if (along == uia::no_scroll)
                return S_OK;
            if (!(along >= 0.0 && along <= 100.0))
                return E_INVALIDARG;
            const int position = static_cast<int>(std::lround(along * at.maximum / 100.0));
            return not_done(access::scroll_to(target, id_, position));
        });
    });
}

HRESULT STDMETHODCALLTYPE element_provider::get_HorizontalScrollPercent(double* percent)
{
    return along(false, percent, uia::no_scroll, scroll_percent);
}

HRESULT STDMETHODCALLTYPE element_provider::get_VerticalScrollPercent(double* percent)
{
    return along(true, percent, uia::no_scroll, scroll_percent);
}

HRESULT STDMETHODCALLTYPE element_provider::get_HorizontalViewSize(double* percent)
{
    return along(false, percent, 100.0, view_size);
}

HRESULT STDMETHODCALLTYPE element_provider::get_VerticalViewSize(double* percent)
{
    return along(true, percent, 100.0, view_size);
}

HRESULT STDMETHODCALLTYPE element_provider::get_HorizontallyScrollable(BOOL* scrollable)
{
    return along(false, scrollable, FALSE, can_scroll);
}

HRESULT STDMETHODCALLTYPE element_provider::get_VerticallyScrollable(BOOL* scrollable)
{
    return along(true, scrollable, FALSE, can_scroll);
}

com_ref<element_provider> make_provider(HWND handle, const window& target, access::element_id id)
{
    return make_com_object<element_provider>(handle, id, access::window_element(target));
}

com_ref<IRawElementProviderSimple> simple(com_ref<element_provider> provider)
{
    return com_ref<IRawElementProviderSimple>::adopt(static_cast<IRawElementProviderSimple*>(provider.detach()));
}

} // namespace

std::optional<LRESULT> uia_host::answer_get_object(HWND handle, const window& target, WPARAM wparam, LPARAM lparam)
{
    if (static_cast<LONG>(lparam) != uia::root_object_id)
        return std::nullopt;
    const uia::functions* api = uia::library();
    if (!api)
        return std::nullopt;
    served_ = true;
    const com_ref<IRawElementProviderSimple> root = root_provider(handle, target);
    // UI Automation takes its own reference; ours ends here.
    return api->return_raw_element_provider(handle, wparam, lparam, root.get());
}

void uia_host::queue(HWND handle, const accessibility::notification& change)
{
    if (!served_ && !uia::asked_for())
        return;
    if (std::find(queued_.begin(), queued_.end(), change) == queued_.end())
        queued_.push_back(change);
    if (!raise_posted_)
        raise_posted_ = PostMessageW(handle, uia_raise_message, 0, 0) != FALSE;
}

void uia_host::raise_queued(HWND handle, window& target)
{
    raise_posted_ = false;
    const std::vector<accessibility::notification> changes = std::exchange(queued_, {});
    const uia::functions* api = uia::library();
    // Windows advises raising nothing nobody listens to; some systems do not implement every event.
    if (!api || !api->clients_are_listening())
        return;
    for (const accessibility::notification& change : changes) {
        const std::optional<access::element> now = access::describe(target, change.subject);
        if (!now)
            continue;
        const com_ref<element_provider> provider = make_provider(handle, target, change.subject);
        IRawElementProviderSimple* subject = provider.get();
        switch (change.what) {
        case access::change::focus:
            api->raise_automation_event(subject, uia::focus_changed_event);
            break;
        case access::change::shown:
            api->raise_automation_event(subject, uia::window_opened_event);
            break;
        case access::change::toggled: {
            const bool on = now->checked.value_or(false);
            VARIANT before{};
            VARIANT after{};
            set_int(before, on ? uia::toggle_off : uia::toggle_on);
            set_int(after, on ? uia::toggle_on : uia::toggle_off);
            api->raise_property_changed_event(subject, UIA_ToggleToggleStatePropertyId, before, after);
            break;
        }
        case access::change::structure: {
            int runtime_id[3]{uia::append_runtime_id, static_cast<int>(change.subject.widget & 0x7FFFFFFF), 0};
            api->raise_structure_changed_event(subject, uia::children_invalidated, runtime_id, 3);
            break;
        }
        }
    }
}

void uia_host::disconnect(HWND handle)
{
    if (!served_)
        return;
    if (const uia::functions* api = uia::library())
        api->return_raw_element_provider(handle, 0, 0, nullptr);
    served_ = false;
}

LRESULT answer_question(window& target, LPARAM asked)
{
    question& q = *reinterpret_cast<question*>(asked);
    q.answer = q.ask(target, q.context);
    return 0;
}

void press_posted(window& target, WPARAM serial, LPARAM part)
{
    // A question may have opened over the window since Invoke was called.
    if (!IsWindowEnabled(static_cast<HWND>(target.native->native_handle())))
        return;
    access::perform(target, {static_cast<std::uint64_t>(serial), static_cast<int>(part)}, access::action::press);
}

com_ref<IRawElementProviderSimple> root_provider(HWND handle, const window& target)
{
    return simple(make_provider(handle, target, access::window_element(target)));
}

com_ref<IRawElementProviderSimple> root_provider(HWND handle)
{
    access::element_id root;
    ask_window(handle, [&root](window& target) {
        root = access::window_element(target);
        return S_OK;
    });
    if (!root)
        return {};
    return simple(make_com_object<element_provider>(handle, root, root));
}

} // namespace lcsdk::ui::win32
