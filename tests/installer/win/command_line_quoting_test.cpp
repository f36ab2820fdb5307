// The quoting of the elevated copy's arguments; plain C++, compiled into these tests from the
// Windows folder.
#include "installer/win/command_line_quoting.h"

#include <gtest/gtest.h>

#include <string>

using namespace installer::win;

TEST(CommandLineQuoting, QuotesWhatTheCopyMustReadBackAsOneArgument)
{
    struct quote_case {
        const wchar_t* argument;
        const wchar_t* quoted;
    };
    // argument | as it stands in the command line
    const quote_case cases[] = {
        {L"/LOG=C:\\logs\\glaive.log", L"/LOG=C:\\logs\\glaive.log"},
        {L"/LOG=C:\\log dir\\x.log", L"\"/LOG=C:\\log dir\\x.log\""},
        {L"", L"\"\""},
        {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
        // Backslashes before a quote, or before the closing one, are doubled; elsewhere kept.
        {L"C:\\a b\\", L"\"C:\\a b\\\\\""},
        {L"a\\\\\"b c", L"\"a\\\\\\\\\\\"b c\""},
        {L"\\\\server\\share dir\\x", L"\"\\\\server\\share dir\\x\""},
    };
    for (const quote_case& c : cases)
        EXPECT_EQ(quote_argument(c.argument), c.quoted) << std::wstring(c.argument).size();
    EXPECT_EQ(elevated_copy_arguments(L""), L"/UAC");
    EXPECT_EQ(elevated_copy_arguments(L"C:\\Temp\\Glaive logs\\install.log"),
              L"/UAC \"/LOG=C:\\Temp\\Glaive logs\\install.log\"");
}
