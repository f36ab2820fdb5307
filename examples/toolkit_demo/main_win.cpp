// A small program built from plain toolkit widgets, for looking at the Windows layer and for the
// Wine tests that drive it with real input:
//   toolkit_demo.exe [--log <file>] [--at <x>,<y>] [--size <w>x<h>] [--timer <ms>]
// Without --at the window is centred. The exit code is 40 plus the modal result: closing the window
// gives 40, Escape gives 42.
#include "demo_arguments.h"
#include "demo_window.h"
#include "event_log.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

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

// The options are ASCII; anything else only has to stay unequal to them.
std::string ascii_of(const std::wstring& word)
{
    std::string text;
    for (wchar_t c : word)
        text += c < 0x80 ? static_cast<char>(c) : '?';
    return text;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const std::vector<std::wstring> words = command_line_words();
    std::vector<std::string> ascii_words;
    for (const std::wstring& word : words)
        ascii_words.push_back(ascii_of(word));
    const toolkit_demo::demo_arguments parsed = toolkit_demo::parse_demo_arguments(ascii_words);
    examples::event_log log(parsed.log_word < words.size() ? _wfopen(words[parsed.log_word].c_str(), L"w") : nullptr);
    int result = 0;
    {
        toolkit_demo::demo_window demo(log, parsed.options);
        result = demo.run();
    }
    log.line("exit " + std::to_string(40 + result));
    return 40 + result;
}
