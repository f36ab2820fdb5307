#pragma once

#include "lcsdk/ui/ime_context.h"

#include <windows.h>

namespace lcsdk::ui {

// The Win32 side of a window's input-method context, fed by the window procedure and the modal loop.
struct ime_context::impl {
    ime_context* self = nullptr;
    native_window* owner = nullptr;
    HWND handle = nullptr;

    void input_language_changed();
    void start_composition();
    void update_composition(LPARAM flags);
    void end_composition();
    // Called for every WM_KEYDOWN while composing, before the message is translated.
    void record_key();

private:
    void raise(std::uint64_t stage);
};

} // namespace lcsdk::ui
