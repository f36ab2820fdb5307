#include "installer/command_line.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace installer;

namespace {

constexpr option_syntax win = option_syntax::windows;
constexpr option_syntax mac = option_syntax::mac;

struct parse_case {
    option_syntax syntax;
    std::vector<std::string> arguments;
    bool unattended;
    std::vector<int> versions; // slots named; {-1}: no versions option
    std::string folder;
    std::string log;
    std::string error; // a part of the message; empty: valid
};

per_version<bool> slots(const std::vector<int>& chosen)
{
    per_version<bool> result{};
    for (const int slot : chosen)
        result[static_cast<std::size_t>(slot)] = true;
    return result;
}

} // namespace

TEST(CommandLine, ReadsBothSpellingsAndRefusesWhatAnUnattendedRunDoesNotKnow)
{
    const std::vector<int> all{-1};
    // syntax | arguments | unattended | versions | folder | log | error
    const parse_case cases[] = {
        // The wizard as it always started: whatever else is there is left alone.
        {win, {}, false, all, "", "", ""},
        {win, {"/UAC"}, false, all, "", "", ""},
        {win, {"--x/UACy", "whatever"}, false, all, "", "", ""},
        {mac, {"-GSBackHandlesWindowDecorations", "NO", "-psn_0_1234"}, false, all, "", "", ""},
        // The log works in the wizard; the versions and the folder do not.
        {win, {"/UAC", "/LOG=C:\\logs\\glaive.log"}, false, all, "", "C:\\logs\\glaive.log", ""},
        {mac, {"--log=relative.log"}, false, all, "", "relative.log", ""},
        {win, {"/VERSIONS=CS6"}, false, {CS6}, "", "", "belong to an unattended run: add /S"},
        {mac, {"--folder=/Custom"}, false, all, "/Custom", "", "belong to an unattended run: add --silent"},
        // Unattended, every option.
        {win, {"/S"}, true, all, "", "", ""},
        {win, {"/s", "/versions=cs6, CC2017", "/d=C:/Custom Target/", "/Log=C:\\x.log"}, true, {CS6, CC2017},
         "C:\\Custom Target\\", "C:\\x.log", ""},
        {win, {"/S", "/D=\\\\server\\share\\Plug-ins", "/UAC"}, true, all, "\\\\server\\share\\Plug-ins", "", ""},
        {mac, {"--silent", "--versions=CS3,CC2015.3,CS55", "--folder=/Library/Custom", "--log=/var/log/g.log"}, true,
         {CS3, CC2015_3, CS55}, "/Library/Custom", "/var/log/g.log", ""},
        // Faults; the log option still counts when another argument is wrong.
        {win, {"/S", "/X", "/LOG=C:\\x.log"}, true, all, "", "C:\\x.log", "unknown option \"/X\""},
        {mac, {"--silent", "--Silent"}, true, all, "", "", "unknown option \"--Silent\""},
        {mac, {"--silent", "-GSBackHandlesWindowDecorations", "NO"}, true, all, "", "", "unknown option"},
        {win, {"/S", "/VERSIONS=CS6,CS7"}, true, all, "", "", "unknown version \"CS7\" in /VERSIONS; the versions are CS3, CS4"},
        {win, {"/S", "/VERSIONS=Custom"}, true, all, "", "", "unknown version \"Custom\""},
        {mac, {"--silent", "--versions=CS6,,CC"}, true, all, "", "", "--versions has an empty version name"},
        {win, {"/S", "/VERSIONS="}, true, all, "", "", "/VERSIONS needs a value"},
        {win, {"/S", "/LOG"}, true, all, "", "", "/LOG needs a value: /LOG=<file>"},
        {mac, {"--silent", "--log", "/tmp/x"}, true, all, "", "", "--log needs a value"},
        {win, {"/S", "/D=Plug-ins"}, true, all, "", "", "/D needs a full path, not \"Plug-ins\""},
        {win, {"/S", "/D=C:relative"}, true, all, "", "", "/D needs a full path"},
        {mac, {"--silent", "--folder=Library/X"}, true, all, "", "", "--folder needs a full path"},
        {win, {"/S", "/LOG=a.log", "/LOG=b.log"}, true, all, "", "a.log", "/LOG is given twice"},
        // Windows spelling on macOS and the other way round are unknown.
        {mac, {"--silent", "/LOG=x"}, true, all, "", "", "unknown option \"/LOG=x\""},
        {win, {"/S", "--log=x"}, true, all, "", "", "unknown option \"--log=x\""},
    };
    for (const parse_case& c : cases) {
        std::string row;
        for (const std::string& argument : c.arguments)
            row += argument + " ";
        SCOPED_TRACE(row);
        const command_options options = read_command_line(c.arguments, c.syntax);
        EXPECT_EQ(options.unattended, c.unattended);
        if (c.error.empty()) {
            EXPECT_EQ(options.error, "");
        } else {
            EXPECT_NE(options.error.find(c.error), std::string::npos) << options.error;
            EXPECT_EQ(options.log_file, c.log);
            continue;
        }
        EXPECT_EQ(options.versions.has_value(), c.versions != all);
        if (options.versions && c.versions != all) {
            EXPECT_EQ(*options.versions, slots(c.versions));
        }
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.log_file, c.log);
    }
}
