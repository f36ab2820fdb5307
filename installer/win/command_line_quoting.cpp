#include "installer/win/command_line_quoting.h"

namespace installer::win {

std::wstring quote_argument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(argument);
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count as escapes only before a quote.
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    // ... and before the closing one.
    quoted.append(2 * backslashes, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring elevated_copy_arguments(std::wstring_view log_file)
{
    std::wstring arguments = L"/UAC";
    if (!log_file.empty())
        arguments += L" " + quote_argument(L"/LOG=" + std::wstring(log_file));
    return arguments;
}

} // namespace installer::win
