#include "installer/run_installer_ui.h"

#include "installer/installer_ui.h"

namespace installer {

void run_installer_ui(const std::function<void(InstallerUI*)>& running)
{
    InstallerUI wizard;
    if (running)
        running(&wizard);
    // The result (Finish or a confirmed Cancel) does not change what the program does next.
    wizard.show_modal();
    if (running)
        running(nullptr);
}

} // namespace installer
