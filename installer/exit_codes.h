#pragma once

// The exit codes of an unattended run, the same on both programs, in the numbers that deployment
// tools already read. A POSIX exit status keeps only the low 8 bits, so a caller on macOS sees each
// code modulo 256 (the second column); every code stays distinct there too. The wizard's own exit
// status is not one of these: it ends with 0, or 1 when it cannot go on.
namespace installer {

//                                                       macOS sees
inline constexpr int exit_installed = 0;            //  0    every chosen version was installed
inline constexpr int exit_invalid_arguments = 87;   // 87    an unknown option or version, or a malformed value; nothing written
inline constexpr int exit_elevation_required = 740; // 228   not run as administrator (Windows) or root (macOS); nothing written
inline constexpr int exit_install_failed = 1603;    // 67    at least one chosen version failed; the log says which and why
inline constexpr int exit_no_host = 1605;           // 69    no host version found (none of those named) and no folder given; nothing written
inline constexpr int exit_installer_busy = 1618;    // 82    another installer kept the machine's install lock past the wait; nothing written

} // namespace installer
