#pragma once

#include <string_view>

// Names of what is installed, as the user and the host see them.
namespace installer {

inline constexpr std::string_view product_name = "Glaive";
inline constexpr std::string_view product_version = "1.0.39";
inline constexpr std::string_view product_title = "Glaive for After Effects";

// The plug-in goes into this vendor folder of each host's plug-in folder, and the same vendor
// folder is made under the machine-wide application data folder.
inline constexpr std::string_view vendor_folder_name = "Lumacraft";

} // namespace installer
