#pragma once

#include "installer/host_versions.h"

#include <vector>

// How the macOS program tells host versions and their plug-in folders from the host's application
// bundles and its preference file.
namespace installer::mac {

// Reads the given application bundles in order (their Contents/Info.plist), then the preference
// file, and returns the 11 plug-in folders. A bundle is a host only when it carries the host's
// signature; one whose property list has no signature at all is not. Versions match by prefix in
// a fixed order: for CS5 to CS6 a later bundle replaces an earlier one, for CC and CC2014 the first
// found stays. The preference file's keys "13.5", "13.8" and "14.0" (exactly) name the folders of
// CC2015, CC2015.3 and CC2017.
folder_list plugin_folders_from(const std::vector<lcsdk::filesystem::file_path>& applications,
                                const lcsdk::filesystem::file_path& preference_file);

// The plug-in folder of a host application: "Plug-ins" beside the application bundle, "/Plug-ins"
// for one at the root of a volume.
lcsdk::filesystem::file_path plugin_folder_of(const lcsdk::filesystem::file_path& application);

} // namespace installer::mac
