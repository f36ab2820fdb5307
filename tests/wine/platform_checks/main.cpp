// White-box checks of the Windows platform layer that need a real Win32 environment (run under
// Wine by the test harness):  platform_checks.exe <results file>
// Writes one line per expectation and exits with the number of failures.
#include "check.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace platform_checks {

void results::expect(bool condition, const std::string& what, std::source_location where)
{
    std::string line = condition ? "ok   " : "FAIL ";
    line += current_section_ + ": " + what;
    if (!condition) {
        line += " (line " + std::to_string(where.line()) + ")";
        ++failures_;
    }
    lines_.push_back(line);
}

} // namespace platform_checks

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring path = words && count > 1 ? words[1] : L"platform_checks.txt";
    LocalFree(words);

    platform_checks::results r;
    // The class check must come first: it needs the process's first toolkit window.
    platform_checks::check_window_class(r);
    platform_checks::check_geometry(r);
    platform_checks::check_messages(r);
    platform_checks::check_timers(r);
    platform_checks::check_modal_loops(r);
    platform_checks::check_drop_target(r);
    platform_checks::check_input_method(r);
    platform_checks::check_fonts(r);
    platform_checks::check_capture_loss(r);
    platform_checks::check_dpi_change(r);

    if (std::FILE* out = _wfopen(path.c_str(), L"w")) {
        for (const std::string& line : r.lines())
            std::fprintf(out, "%s\n", line.c_str());
        std::fprintf(out, "%d failed\n", r.failures());
        std::fclose(out);
    }
    return r.failures();
}
