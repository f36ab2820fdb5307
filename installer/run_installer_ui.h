#pragma once

namespace installer {

// Builds the wizard, runs it modally until it is closed, and destroys it; the destructor waits for
// an installation that is still running.
void run_installer_ui();

} // namespace installer
