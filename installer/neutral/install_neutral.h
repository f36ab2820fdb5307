#pragma once

#include "installer/file_engine.h"

// The neutral build's engine: the Windows program's run on POSIX file calls, with the same file
// name, statuses and status protocol, so that the run can be tested without Windows.
namespace installer::neutral {

// The POSIX file calls the neutral engine runs on (one for the process; it holds no state).
// Tests wrap them to make one call fail.
file_calls& posix_file_calls();

// The file whose flock is the install lock from now on; empty (the start): no lock.
void set_install_lock_file(lcsdk::filesystem::file_path file);

} // namespace installer::neutral
