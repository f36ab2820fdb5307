#pragma once

#include "installer/host_versions.h"

#include <string_view>

// The hosts' registry subkeys, one per installed version, named after the version's number.
// Plain C++ on wide strings, so the neutral build's unit tests compile it too.
namespace installer::win {

// What a subkey name means. The two oldest versions are recognised but never offered, since this
// build carries no plug-in for them.
enum class subkey_kind { unknown, ignored, version };

struct subkey_match {
    subkey_kind kind = subkey_kind::unknown;
    HostVersion version = CS3;
};

// Whole-name, case-sensitive comparison: "11" is CS6, "11.0" is nothing.
subkey_match match_host_subkey(std::wstring_view name);

// Records one discovered "PluginInstallPath" in the slot its subkey names, with native separators.
// Unknown and ignored subkeys leave the folders as they are.
void store_plugin_folder(folder_list& folders, std::wstring_view subkey, const lcsdk::filesystem::file_path& value);

} // namespace installer::win
