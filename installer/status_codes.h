#pragma once

#include <array>
#include <cstdint>

// Every status a catalogue slot can carry, by name. The engines report these names and the outcome
// texts (messages.cpp) are keyed by them, so a code cannot move in one place and not the other.
namespace installer {

using status_code = std::int32_t;

// A slot's progress through a run.
inline constexpr status_code status_not_attempted = 0;
inline constexpr status_code status_installing = 1;
inline constexpr status_code status_installed = 2;

// No worker thread could be started, so nothing was attempted. The outcome texts have no row for
// it: the user sees it with the unknown-error text.
inline constexpr status_code status_not_started = 10;

// Another installer held the machine's install lock for as long as a run waits for it, so nothing
// was attempted. The number is the Windows error for an installation already in progress; the
// outcome texts have no row for it either.
inline constexpr status_code status_installer_busy = 1618;

// The engines that write the plug-in as one file (Windows, and the neutral build) number their
// steps; a failing step's status is its number times ten.
inline constexpr status_code status_payload_missing = 20;    // step 2: the program carries no such payload
inline constexpr status_code status_payload_unloadable = 30; // step 3: the payload is unreadable or damaged (macOS too)
inline constexpr status_code status_create_failed = 40;      // step 4: the file cannot be created or put in place
inline constexpr status_code status_write_failed = 50;       // step 5: not every byte reached the disk intact

// The macOS engine, which copies a bundle with administrator rights.
inline constexpr status_code status_rights_refused = 400; // the administrator rights were refused
inline constexpr status_code status_copy_failed = 401;    // the bundle could not be copied intact or put in place

// Steps that no engine of this installer performs (script files, assets, the installer package).
// The outcome texts keep their rows so that every engine reports through the one table.
inline constexpr std::array<status_code, 5> statuses_script_unloadable{60, 110, 111, 112, 130};
inline constexpr std::array<status_code, 2> statuses_script_uncreatable{120, 131};
inline constexpr std::array<status_code, 5> statuses_script_undecompressable{121, 122, 123, 124, 200};
inline constexpr std::array<status_code, 4> statuses_assets_unloadable{210, 211, 212, 230};
inline constexpr std::array<status_code, 2> statuses_assets_uncreatable{220, 231};
inline constexpr std::array<status_code, 5> statuses_assets_undecompressable{221, 222, 223, 224, 300};
inline constexpr status_code status_package_missing = 1000;
inline constexpr status_code status_package_corrupt = 1001;

} // namespace installer
