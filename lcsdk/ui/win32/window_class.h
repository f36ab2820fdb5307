#pragma once

#include <windows.h>

namespace lcsdk::ui::win32 {

// Registers the toolkit's window class on the first call of the process and returns its name on
// every call. When another module already owns the name, "0" is appended until it is free.
const wchar_t* register_window_class(HINSTANCE instance, WNDPROC procedure);

} // namespace lcsdk::ui::win32
