#pragma once

#include "installer/host_versions.h"

#include <optional>
#include <string_view>
#include <vector>

// How the macOS program tells host versions and their plug-in folders from the host's application
// bundles and its preference file.
namespace installer::mac {

// The signature every host application bundle carries.
inline constexpr std::string_view host_signature = "FXTC";

// The slot a host bundle's version string belongs to, matched by prefix in a fixed order; nothing
// for versions that are ignored or unknown.
std::optional<HostVersion> slot_of_bundle_version(std::string_view version);

// The slot of a key of the preference file (exact comparison); nothing for other keys.
std::optional<HostVersion> slot_of_preference_key(std::string_view key);

// Reads the given application bundles in order (their Contents/Info.plist), then the preference
// file, and returns the 11 plug-in folders. Bundles without the host signature are not hosts.
folder_list plugin_folders_from(const std::vector<lcsdk::filesystem::file_path>& applications,
                                const lcsdk::filesystem::file_path& preference_file);

} // namespace installer::mac
