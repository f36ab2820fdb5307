// A small program built from plain toolkit widgets, for looking at the Windows layer and for the
// Wine tests that drive it with real input:
//   toolkit_demo.exe [--log <file>] [--at <x>,<y>] [--size <w>x<h>] [--timer <ms>]
// Without --at the window is centred. The exit code is 40 plus the modal result: closing the window
// gives 40, Escape gives 42.
#include "demo_window.h"
#include "event_log.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

struct arguments {
    std::wstring log_path;
    toolkit_demo::demo_options options;
};

arguments parse(const std::vector<std::wstring>& words)
{
    arguments parsed;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::wstring& key = words[i];
        const std::wstring& value = words[i + 1];
        int a = 0;
        int b = 0;
        if (key == L"--log") {
            parsed.log_path = value;
            ++i;
        } else if (key == L"--at" && std::swscanf(value.c_str(), L"%d,%d", &a, &b) == 2) {
            parsed.options.rect.position = {a, b};
            parsed.options.centred = false;
            ++i;
        } else if (key == L"--size" && std::swscanf(value.c_str(), L"%dx%d", &a, &b) == 2) {
            parsed.options.rect.size = {a, b};
            ++i;
        } else if (key == L"--timer" && std::swscanf(value.c_str(), L"%d", &a) == 1 && a > 0) {
            parsed.options.timer_interval_ms = static_cast<std::uint32_t>(a);
            ++i;
        }
    }
    return parsed;
}

std::vector<std::wstring> command_line_words()
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    if (!words)
        return result;
    for (int i = 1; i < count; ++i)
        result.emplace_back(words[i]);
    LocalFree(words);
    return result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const arguments parsed = parse(command_line_words());
    examples::event_log log(parsed.log_path.empty() ? nullptr : _wfopen(parsed.log_path.c_str(), L"w"));
    int result = 0;
    {
        toolkit_demo::demo_window demo(log, parsed.options);
        result = demo.run();
    }
    log.line("exit " + std::to_string(40 + result));
    return 40 + result;
}
