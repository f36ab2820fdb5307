#pragma once

#include "lcsdk/filesystem/file_path.h"

#include <array>
#include <string>
#include <vector>

namespace installer {

// Index into the catalogue; every per-version array of the installer has these 11 slots in this order.
enum HostVersion : int { CS3, CS4, CS5, CS55, CS6, CC, CC2014, CC2015, CC2015_3, CC2017, Custom };

inline constexpr int host_version_count = 11;

template <typename T>
using per_version = std::array<T, host_version_count>;

extern const per_version<std::string> host_version_names;

using folder_list = std::vector<lcsdk::filesystem::file_path>;

// 11 empty folders.
folder_list empty_folder_list();

} // namespace installer
