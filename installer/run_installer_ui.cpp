#include "installer/run_installer_ui.h"

#include "installer/installer_ui.h"

namespace installer {

void run_installer_ui(install_log* log)
{
    InstallerUI wizard(log);
    // The result (Finish or a confirmed Cancel) does not change what the program does next.
    wizard.show_modal();
}

} // namespace installer
