#pragma once

#include "lcsdk/filesystem/file_path.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace installer {

// Index into the catalogue; every per-version array of the installer has these 11 slots in this order.
enum HostVersion : int { CS3, CS4, CS5, CS55, CS6, CC, CC2014, CC2015, CC2015_3, CC2017, Custom };

inline constexpr int host_version_count = 11;

template <typename T>
using per_version = std::array<T, host_version_count>;

extern const per_version<std::string> host_version_names;

using folder_list = std::vector<lcsdk::filesystem::file_path>;

// What a host's registry subkey name means. The two oldest versions are recognised but never
// offered, since this build carries no plug-in for them.
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

// 11 empty folders.
folder_list empty_folder_list();

} // namespace installer
