#pragma once

#include "lcsdk/filesystem/file_path.h"

namespace installer::posix {

// The file whose flock is the machine's install lock; each POSIX platform names it. Empty: no
// lock on this machine.
lcsdk::filesystem::file_path install_lock_file();

} // namespace installer::posix
