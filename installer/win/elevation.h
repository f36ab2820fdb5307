#pragma once

namespace installer::win {

// The argument that tells a start that it is the elevated copy.
inline constexpr const wchar_t* elevated_marker = L"/UAC";

// Starts this executable again through the shell's "runas" verb with only the marker as its
// argument, without waiting for it. False when the start failed or the user declined.
bool relaunch_elevated();

} // namespace installer::win
