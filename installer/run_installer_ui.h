#pragma once

#include <functional>

namespace installer {

class InstallerUI;
class install_log;

// Builds the wizard, runs it modally until it is closed, and destroys it; the destructor waits for
// an installation that is still running. `log`, when given, hears what the wizard found and did.
// `running`, when given, is handed the wizard before its loop starts and nullptr once the loop has
// ended, before the wizard is destroyed.
void run_installer_ui(install_log* log = nullptr, const std::function<void(InstallerUI*)>& running = {});

} // namespace installer
