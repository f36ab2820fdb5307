// Starts a program, waits for it and prints its whole exit code, which the exit status of the Wine
// loader cuts to 8 bits:
//   run_program.exe [--unelevated] <program> [arguments...]
// prints "exit <code>". The program shares this one's standard streams. With --unelevated it runs
// on the limited token linked to this process's elevated one, as an administrator's programs run
// when they were not elevated.
#include "installer/win/command_line_quoting.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    int first = 1;
    const bool unelevated = argc > 1 && std::wcscmp(argv[1], L"--unelevated") == 0;
    if (unelevated)
        ++first;
    if (argc <= first)
        return 2;
    std::wstring command_line;
    for (int i = first; i < argc; ++i)
        command_line += (i == first ? L"" : L" ") + installer::win::quote_argument(argv[i]);

    HANDLE token = nullptr;
    if (unelevated) {
        HANDLE own = nullptr;
        TOKEN_LINKED_TOKEN linked{};
        DWORD size = 0;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &own) ||
            !GetTokenInformation(own, TokenLinkedToken, &linked, sizeof(linked), &size) ||
            !DuplicateTokenEx(linked.LinkedToken, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary,
                              &token))
            return 3;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const BOOL started =
        token != nullptr
            ? CreateProcessAsUserW(token, nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &process)
            : CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                             &process);
    if (!started)
        return 4;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit %lu\n", code);
    return 0;
}
