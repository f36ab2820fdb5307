// The macOS discovery rules on fixture folders: host application bundles with their property lists
// and the host's preference file, written to a temporary folder and read by the real code.
#include "installer/mac/host_bundles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using installer::folder_list;
using lcsdk::filesystem::file_path;

using entries = std::map<std::string, std::string>;

std::string plist_dict(const entries& values)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>";
    for (const auto& [key, value] : values)
        text += "<key>" + key + "</key><string>" + value + "</string>";
    return text + "</dict></plist>\n";
}

class HostBundles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "host_bundles_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    // An application at <root>/<name>/<name>.app; nothing for a key means the key is left out.
    file_path application(const std::string& name, std::optional<std::string> version,
                          std::optional<std::string> signature = "FXTC")
    {
        const fs::path bundle = root / name / (name + ".app");
        fs::create_directories(bundle / "Contents");
        entries info;
        if (version)
            info["CFBundleVersion"] = *version;
        if (signature)
            info["CFBundleSignature"] = *signature;
        std::ofstream(bundle / "Contents" / "Info.plist") << plist_dict(info);
        return file_path(bundle.string());
    }

    std::string plugins(const std::string& name) const { return (root / name / "Plug-ins").string(); }

    file_path preferences(const std::string& text)
    {
        std::ofstream(root / "prefs.plist") << text;
        return file_path((root / "prefs.plist").string());
    }

    std::vector<std::string> found(const std::vector<file_path>& apps, const file_path& prefs) const
    {
        std::vector<std::string> result;
        for (const file_path& folder : installer::mac::plugin_folders_from(apps, prefs))
            result.push_back(folder.native());
        return result;
    }

    fs::path root;
};

TEST_F(HostBundles, VersionPrefixesInOrderWithFirstOrLastFound)
{
    const std::vector<file_path> apps = {
        application("CS3", "8.0.1"),          application("CS4", "9.0"),
        application("CS5 old", "10.0.2"),     application("CS5 new", "10.0.4"),   // the later one stays
        application("CS55", "10.5"),          application("CS6", "11.0.4"),
        application("CC first", "12.2.1"),    application("CC second", "12.0"),   // the first one stays
        application("CC2014 first", "13.0.1"), application("CC2014 second", "13.0"),
        application("Unknown", "15.0"),       application("Thirteen", "13.1"),
    };
    std::vector<std::string> expected(11);
    expected[2] = plugins("CS5 new");
    expected[3] = plugins("CS55");
    expected[4] = plugins("CS6");
    expected[5] = plugins("CC first");
    expected[6] = plugins("CC2014 first");
    EXPECT_EQ(found(apps, file_path((root / "missing.plist").string())), expected);
}

TEST_F(HostBundles, OnlyBundlesSignedAsTheHostCount)
{
    const std::vector<file_path> apps = {
        application("Other", "12.0", "XXXX"), application("Unsigned", "11.0", std::nullopt),
        application("No version", std::nullopt), application("Host", "10.5"),
    };
    std::vector<std::string> expected(11);
    expected[3] = plugins("Host");
    EXPECT_EQ(found(apps, file_path()), expected);
}

TEST_F(HostBundles, PreferenceKeysMatchExactlyAndBackslashesBecomeSlashes)
{
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>13.5</key><dict><key>PluginInstallPath</key><string>/Hosts\\CC2015\\Plug-ins/</string></dict>"
        "<key>13.8</key><dict><key>PluginInstallPath</key><string>/Hosts/CC2015.3</string></dict>"
        "<key>14.0</key><dict><key>PluginInstallPath</key><string>C:\\Hosts\\CC2017</string></dict>"
        "<key>14</key><dict><key>PluginInstallPath</key><string>/Hosts/Fourteen</string></dict>"
        "<key>13.0</key><dict><key>PluginInstallPath</key><string>/Hosts/Thirteen</string></dict>"
        "<key>12</key><string>not a dictionary</string>"
        "<key>11</key><dict><key>Other</key><string>/Hosts/Other</string></dict>"
        "</dict></plist>\n";
    std::vector<std::string> expected(11);
    expected[7] = "/Hosts/CC2015/Plug-ins/";
    expected[8] = "/Hosts/CC2015.3";
    expected[9] = "C:/Hosts/CC2017";
    EXPECT_EQ(found({}, preferences(text)), expected);
}

TEST(HostPluginFolder, BesideTheApplicationAndAbsoluteAtAVolumeRoot)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        // application, its plug-in folder
        {"/Applications/Adobe After Effects CC/Adobe After Effects CC.app", "/Applications/Adobe After Effects CC/Plug-ins"},
        {"/Applications/AE.app/", "/Applications/Plug-ins"},
        {"/AE.app", "/Plug-ins"},
        {"/AE.app/", "/Plug-ins"},
    };
    for (const auto& [application, folder] : cases)
        EXPECT_EQ(installer::mac::plugin_folder_of(file_path(application)).native(), folder) << application;
}

TEST_F(HostBundles, UnreadableFilesLeaveSlotsEmpty)
{
    fs::create_directories(root / "Broken.app" / "Contents");
    std::ofstream(root / "Broken.app" / "Contents" / "Info.plist") << "<plist><dict><key>";
    const std::vector<file_path> apps = {file_path((root / "Broken.app").string()),
                                         file_path((root / "Missing.app").string())};
    EXPECT_EQ(found(apps, preferences("not a property list")), std::vector<std::string>(11));
}

} // namespace
