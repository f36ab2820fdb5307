#include "lcsdk/ui/ime_context.h"

#include "lcsdk/ui/platform_input.h"
#include "lcsdk/ui/screen_geometry.h"
#include "lcsdk/ui/win32/ime_context_impl.h"
#include "lcsdk/ui/win32/ime_rules.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <imm.h>

#include <vector>

namespace lcsdk::ui {

namespace {

enum composition_stage : std::uint64_t { composition_started = 0, composition_changed = 1, composition_result = 2 };

// The window's input context for the duration of one step; absent when input methods are detached.
class input_context {
public:
    explicit input_context(HWND handle) : handle_(handle), context_(ImmGetContext(handle)) {}
    ~input_context()
    {
        if (context_)
            ImmReleaseContext(handle_, context_);
    }
    input_context(const input_context&) = delete;
    input_context& operator=(const input_context&) = delete;

    explicit operator bool() const { return context_ != nullptr; }
    HIMC get() const { return context_; }

private:
    HWND handle_;
    HIMC context_;
};

std::u16string read_string(HIMC context, DWORD which)
{
    const LONG bytes = ImmGetCompositionStringW(context, which, nullptr, 0);
    if (bytes <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(bytes) / sizeof(char16_t), u'\0');
    ImmGetCompositionStringW(context, which, text.data(), static_cast<DWORD>(text.size() * sizeof(char16_t)));
    return text;
}

bool has_target_clause(HIMC context)
{
    const LONG bytes = ImmGetCompositionStringW(context, GCS_COMPATTR, nullptr, 0);
    if (bytes <= 0)
        return false;
    std::vector<unsigned char> attributes(static_cast<std::size_t>(bytes));
    ImmGetCompositionStringW(context, GCS_COMPATTR, attributes.data(), static_cast<DWORD>(attributes.size()));
    for (unsigned char attribute : attributes) {
        if (attribute == ATTR_TARGET_CONVERTED)
            return true;
    }
    return false;
}

} // namespace

ime_context::ime_context(native_window& target) : impl_(std::make_unique<impl>())
{
    impl_->self = this;
    impl_->owner = &target;
    impl_->handle = target.get_impl().handle;
    // Input methods start switched off; a text-editing widget would attach a context again.
    if (impl_->handle)
        ImmAssociateContext(impl_->handle, nullptr);
}

ime_context::~ime_context()
{
    if (composing)
        DestroyCaret();
}

void ime_context::impl::raise(std::uint64_t stage)
{
    if (window* target = owner->toolkit_window())
        translate_composition(*target, static_cast<int>(stage));
}

void ime_context::impl::input_language_changed()
{
    const HKL layout = GetKeyboardLayout(0);
    self->language = LOWORD(reinterpret_cast<std::uintptr_t>(layout));
    self->input_method_active = ImmIsIME(layout) == 1;
    if (!self->composing)
        return;
    // Completing through the input method sends the usual end message.
    if (input_context context{handle})
        ImmNotifyIME(context.get(), NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
}

void ime_context::impl::start_composition()
{
    if (self->composing)
        return;
    CreateCaret(handle, nullptr, 1, 1);
    if (input_context context{handle}) {
        // The caret rectangle is in DIPs like all toolkit geometry; the candidate list wants pixels.
        const native_window::impl& window_state = owner->get_impl();
        const rect_i caret = self->caret;
        const int left = dips_to_pixels(caret.left(), window_state.dpi_x);
        const int top = dips_to_pixels(caret.top(), window_state.dpi_y);
        CANDIDATEFORM candidates{};
        candidates.dwIndex = 0;
        candidates.dwStyle = CFS_EXCLUDE;
        candidates.ptCurrentPos = {left, top};
        candidates.rcArea = {left, top, dips_to_pixels(caret.right(), window_state.dpi_x),
                             dips_to_pixels(caret.bottom(), window_state.dpi_y)};
        ImmSetCandidateWindow(context.get(), &candidates);
    }
    self->composing = true;
    raise(composition_started);
}

void ime_context::impl::record_key()
{
    self->recorded_key = ImmGetVirtualKey(handle);
    self->recorded_char = MapVirtualKeyW(static_cast<UINT>(self->recorded_key), MAPVK_VK_TO_CHAR);
}

void ime_context::impl::update_composition(LPARAM flags)
{
    ime_context& state = *self;
    const int length = static_cast<int>(state.composition.size());
    if (win32::ime_commits_before_update(state.target_clause, state.cursor, length, state.recorded_key, state.recorded_char)) {
        raise(composition_result);
        raise(composition_started);
    }
    state.target_clause = false;
    const bool korean = (state.language & 0x3ff) == LANG_KOREAN;
    if (win32::ime_korean_restart(state.language, (flags & GCS_RESULTSTR) != 0, state.recorded_char))
        raise(composition_started);

    if ((flags & GCS_COMPSTR) == 0)
        return;
    input_context context{handle};
    if (!context)
        return;
    state.composition = read_string(context.get(), GCS_COMPSTR);
    if ((flags & GCS_COMPATTR) != 0)
        state.target_clause = has_target_clause(context.get());
    const int new_length = static_cast<int>(state.composition.size());
    if (korean)
        state.cursor = new_length;
    else if (state.target_clause)
        state.cursor = win32::ime_cursor_after_key(state.cursor, new_length, state.recorded_key);
    else
        state.cursor = static_cast<int>(ImmGetCompositionStringW(context.get(), GCS_CURSORPOS, nullptr, 0));
    raise(composition_changed);
}

void ime_context::impl::end_composition()
{
    ime_context& state = *self;
    if (!state.composing)
        return;
    if (input_context context{handle})
        state.composition = read_string(context.get(), GCS_RESULTSTR);
    state.target_clause = false;
    state.cursor = static_cast<int>(state.composition.size());
    raise(composition_result);
    DestroyCaret();
    state.composing = false;
}

} // namespace lcsdk::ui
