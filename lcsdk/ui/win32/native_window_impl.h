#pragma once

#include "lcsdk/ui/native_window.h"
#include "lcsdk/ui/timer_table.h"
#include "lcsdk/ui/win32/native_drop_target.h"
#include "lcsdk/ui/win32/uia_provider.h"
#include "lcsdk/ui/win32/window_dpi.h"

#include <windows.h>

namespace lcsdk::ui {

// The Win32 state behind one native_window; the drawer and the input-method context reach the
// window handle and the DPI through it.
struct native_window::impl {
    native_window* self = nullptr;
    HWND handle = nullptr;
    window* toolkit_window = nullptr;
    bool modal_running = false;
    // Whether the owner was enabled when this window's modal loop began: a popup over a popup must
    // not re-enable the owner that the first one still disables.
    bool owner_was_enabled = true;
    timer_table timers;
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD ex_style = 0;
    int resize_border = 8;
    bool resizable = false;
    // The DPI of the window: the screen's (or its owner's) when it is created, then that of each
    // monitor it moves to (WM_DPICHANGED). Every DIP/pixel conversion of the window uses it.
    int dpi_x = 96;
    int dpi_y = 96;
    // How the system scales the window: it decides which frame surrounds the client area.
    win32::dpi_awareness awareness = win32::dpi_awareness::system_aware;
    // Set while the toolkit releases the capture itself, whose WM_CAPTURECHANGED is no loss.
    bool releasing_capture = false;
    SIZE min_client{0, 0};
    SIZE max_client{100000, 100000};
    native_drop_target drop_target;
    win32::uia_host uia;
};

} // namespace lcsdk::ui
