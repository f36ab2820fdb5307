#pragma once

#include <optional>
#include <string>

namespace installer::win {

// The argument that tells a start that it is the elevated copy.
inline constexpr const wchar_t* elevated_marker = L"/UAC";

// The full path of this program; nothing when it cannot be read whole.
std::optional<std::wstring> executable_path();

// Starts this executable again through the shell's "runas" verb with the marker as its argument,
// and the log option when `log_file` (a full path) is given, without waiting for it. False when
// the start failed or the user declined.
bool relaunch_elevated(const std::wstring& log_file);

} // namespace installer::win
