#pragma once

#include <functional>

namespace installer {

class InstallerUI;

// Builds the wizard, runs it modally until it is closed, and destroys it; the destructor waits for
// an installation that is still running. `running`, when given, is handed the wizard before its loop
// starts and nullptr once the loop has ended, before the wizard is destroyed.
void run_installer_ui(const std::function<void(InstallerUI*)>& running = {});

} // namespace installer
