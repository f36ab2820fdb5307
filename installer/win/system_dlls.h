#pragma once

#include <windows.h>

#include <array>
#include <string_view>

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

    // The name of the first DLL that did not load, or an empty name when all did. The program must
    // not start without them: a delay-loaded call into a missing DLL would crash it.
    std::wstring_view missing() const;

private:
    std::array<HMODULE, 4> modules_{};
};

} // namespace installer::win
