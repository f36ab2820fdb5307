// The hosts' registry subkeys; plain C++, compiled into these tests from the Windows folder.
#include "installer/win/host_subkeys.h"

#include <gtest/gtest.h>

#include <string>

using namespace installer;
using namespace installer::win;
using lcsdk::filesystem::file_path;

namespace {

struct subkey_case {
    const wchar_t* name;
    subkey_kind kind;
    HostVersion version;
};

TEST(Catalogue, SubkeysMatchWholeNameCaseSensitive)
{
    // subkey | what it means | slot (when a version)
    const subkey_case cases[] = {
        {L"8.0", subkey_kind::ignored, CS3},
        {L"9.0", subkey_kind::ignored, CS4},
        {L"10.0", subkey_kind::version, CS5},
        {L"10.5", subkey_kind::version, CS55},
        {L"11", subkey_kind::version, CS6},
        {L"12", subkey_kind::version, CC},
        {L"13", subkey_kind::version, CC2014},
        {L"13.5", subkey_kind::version, CC2015},
        {L"13.8", subkey_kind::version, CC2015_3},
        {L"14.0", subkey_kind::version, CC2017},
        {L"11.0", subkey_kind::unknown, CS3},
        {L"10", subkey_kind::unknown, CS3},
        {L"14", subkey_kind::unknown, CS3},
        {L"13.5 ", subkey_kind::unknown, CS3},
        {L" 12", subkey_kind::unknown, CS3},
        {L"8", subkey_kind::unknown, CS3},
        {L"", subkey_kind::unknown, CS3},
        {L"Custom", subkey_kind::unknown, CS3},
        {L"CC", subkey_kind::unknown, CS3},
    };
    for (const subkey_case& c : cases) {
        const subkey_match match = match_host_subkey(c.name);
        EXPECT_EQ(match.kind, c.kind) << std::wstring(c.name).size();
        if (c.kind != subkey_kind::unknown) {
            EXPECT_EQ(match.version, c.version);
        }
    }
}

TEST(Catalogue, StoringFillsTheNamedSlotWithNativeSeparators)
{
    folder_list folders = empty_folder_list();
    store_plugin_folder(folders, L"11", file_path(std::string("C:\\Hosts\\CS6\\Plug-ins\\")));
    store_plugin_folder(folders, L"14.0", file_path(std::string("/opt/cc2017/Plug-ins")));
    EXPECT_EQ(folders[CS6].native(), "C:/Hosts/CS6/Plug-ins/");
    EXPECT_EQ(folders[CC2017].native(), "/opt/cc2017/Plug-ins");
    for (int i : {CS3, CS4, CS5, CS55, CC, CC2014, CC2015, CC2015_3, Custom})
        EXPECT_TRUE(folders[static_cast<std::size_t>(i)].empty()) << i;
}

TEST(Catalogue, IgnoredAndUnknownSubkeysStoreNothingAndLaterValuesReplace)
{
    folder_list folders = empty_folder_list();
    store_plugin_folder(folders, L"8.0", file_path(std::string("/old/cs3")));
    store_plugin_folder(folders, L"9.0", file_path(std::string("/old/cs4")));
    store_plugin_folder(folders, L"11.0", file_path(std::string("/not/cs6")));
    for (const file_path& folder : folders)
        EXPECT_TRUE(folder.empty());

    store_plugin_folder(folders, L"12", file_path(std::string("/first")));
    store_plugin_folder(folders, L"12", file_path(std::string("/second")));
    EXPECT_EQ(folders[CC].native(), "/second");
}

} // namespace
