#pragma once

#include <windows.h>

#include <array>

namespace installer::win {

// Loads, from the system folder only, the system DLLs the program uses that are not KnownDLLs,
// and keeps them loaded while it lives. Later loads by name, including those that a system DLL
// makes for itself, then find these instead of searching the program's own folder.
class system_dlls {
public:
    system_dlls();
    ~system_dlls();
    system_dlls(const system_dlls&) = delete;
    system_dlls& operator=(const system_dlls&) = delete;

private:
    std::array<HMODULE, 3> modules_{};
};

} // namespace installer::win
