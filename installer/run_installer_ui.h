#pragma once

namespace installer {

class install_log;

// Builds the wizard, runs it modally until it is closed, and destroys it; the destructor waits for
// an installation that is still running. `log`, when given, hears what the wizard found and did.
void run_installer_ui(install_log* log = nullptr);

} // namespace installer
