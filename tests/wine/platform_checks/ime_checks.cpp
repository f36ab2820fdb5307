#include "check.h"
#include "recorder.h"

#include "lcsdk/ui/ime_context.h"
#include "lcsdk/ui/widget.h"
#include "lcsdk/ui/win32/ime_rules.h"
#include "lcsdk/ui/win32/native_window_impl.h"
#include "lcsdk/ui/window.h"

#include <windows.h>
#include <imm.h>

#include <string>
#include <vector>

namespace ui = lcsdk::ui;
namespace win32 = lcsdk::ui::win32;

namespace platform_checks {

namespace {

void check_rules(results& r)
{
    const struct {
        int cursor, length;
        std::uint64_t key;
        int expected;
    } moves[] = {
        {3, 5, VK_LEFT, 2}, {3, 5, VK_RIGHT, 4}, {3, 5, VK_HOME, 0}, {3, 5, VK_END, 5},
        {0, 5, VK_LEFT, 0}, {5, 5, VK_RIGHT, 5}, {3, 5, 'A', 3},
    };
    for (const auto& m : moves) {
        r.expect(win32::ime_cursor_after_key(m.cursor, m.length, m.key) == m.expected,
                 "cursor " + std::to_string(m.cursor) + " of " + std::to_string(m.length) + " after key " +
                     std::to_string(m.key) + " is " + std::to_string(m.expected));
    }

    const struct {
        bool clause;
        int cursor, length;
        std::uint64_t key, character;
        bool commits;
        const char* why;
    } commits[] = {
        {true, 5, 5, 'K', 'k', true, "a letter at the end of a converted clause commits"},
        {true, 5, 5, VK_BACK, 8, false, "Backspace does not"},
        {true, 5, 5, VK_RETURN, 13, false, "Enter does not"},
        {true, 5, 5, VK_SPACE, ' ', false, "Space does not"},
        {true, 4, 5, 'K', 'k', false, "not at the end"},
        {false, 5, 5, 'K', 'k', false, "without a converted clause"},
        {true, 5, 5, VK_LEFT, 0, false, "a key without a character"},
        {true, 5, 5, 'K', 0x100, false, "a character whose low byte is 0"},
    };
    for (const auto& c : commits)
        r.expect(win32::ime_commits_before_update(c.clause, c.cursor, c.length, c.key, c.character) == c.commits, c.why);

    const std::uint16_t korean = MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN);
    const std::uint16_t japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    r.expect(win32::ime_korean_restart(korean, true, 'k'), "a Korean result restarts the composition");
    r.expect(!win32::ime_korean_restart(korean, false, 'k'), "not without a result string");
    r.expect(!win32::ime_korean_restart(japanese, true, 'k'), "not for other languages");
}

} // namespace

void check_input_method(results& r)
{
    r.section("input method");
    check_rules(r);

    ui::window w;
    w.create("ime", {{0, 0}, {200, 150}});
    const HWND handle = w.native->get_impl().handle;
    r.expect(ImmGetContext(handle) == nullptr, "the window starts with its input context detached");

    ui::widget editor;
    editor.focusable = true;
    editor.create(w.root, {{0, 0}, {100, 40}});
    w.set_focus(&editor, ui::focus_by_program);
    recorder seen;
    seen.watch(editor, "editor", {ui::ime_composition});
    seen.watch(w, "window", {ui::ime_composition});
    ui::ime_context& ime = *w.ime;

    SendMessageW(handle, WM_IME_STARTCOMPOSITION, 0, 0);
    SendMessageW(handle, WM_IME_STARTCOMPOSITION, 0, 0);
    r.expect(ime.composing, "composition start marks the context composing");
    r.expect(seen.events == std::vector<recorded_event>{{"editor", ui::ime_composition, 0}},
             "a second start while composing does nothing; the window hears none");

    // Typing on at the end of a converted clause commits it before the update.
    seen.events.clear();
    ime.composition = u"abcde";
    ime.cursor = 5;
    ime.target_clause = true;
    ime.recorded_key = 'K';
    ime.recorded_char = 'k';
    SendMessageW(handle, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    r.expect(seen.events == std::vector<recorded_event>{{"editor", ui::ime_composition, 2}, {"editor", ui::ime_composition, 0}},
             "a letter after a converted clause gives 2 then 0");
    r.expect(!ime.target_clause, "the update clears the converted-clause flag");
    seen.events.clear();
    ime.target_clause = true;
    ime.recorded_key = VK_BACK;
    ime.recorded_char = 8;
    SendMessageW(handle, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    r.expect(seen.events.empty(), "Backspace commits nothing (and no context means no update)");

    seen.events.clear();
    SendMessageW(handle, WM_IME_ENDCOMPOSITION, 0, 0);
    SendMessageW(handle, WM_IME_ENDCOMPOSITION, 0, 0);
    r.expect(!ime.composing, "composition end leaves the composing state");
    r.expect(seen.events == std::vector<recorded_event>{{"editor", ui::ime_composition, 2}},
             "a second end while idle does nothing");
    r.expect(ime.cursor == static_cast<int>(ime.composition.size()), "the cursor sits after the result");

    SendMessageW(handle, WM_INPUTLANGCHANGE, 0, 0);
    r.expect(ime.language == LOWORD(reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0))),
             "an input-language change reads the active layout's language");
}

} // namespace platform_checks
