// The install lock as an exclusive flock on a lock file. The file stays; only the lock comes and
// goes, and the system drops it with the last descriptor, also when the process ends abruptly.
#include "installer/install_lock.h"

#include "installer/posix/lock_file.h"

#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace installer {

namespace {

// How often a waiting run tries again: flock itself waits without a limit.
constexpr std::chrono::milliseconds retry_interval{100};

} // namespace

struct install_lock::native {
    int fd = -1;
    bool held = false;
};

install_lock::install_lock()
{
    const lcsdk::filesystem::file_path file = posix::install_lock_file();
    if (file.empty())
        return;
    // Root makes the file; others open it for reading, which flock needs no more than. Never
    // through a link, and never inherited by the tools a run starts, which could outlive it.
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        native_ = std::make_unique<native>(native{fd, false});
}

install_lock::~install_lock()
{
    if (!native_)
        return;
    if (native_->held)
        ::flock(native_->fd, LOCK_UN);
    ::close(native_->fd);
}

bool install_lock::try_take()
{
    if (!native_)
        return true;
    native_->held = ::flock(native_->fd, LOCK_EX | LOCK_NB) == 0;
    return native_->held;
}

bool install_lock::take(std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!try_take()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(retry_interval);
    }
    return true;
}

} // namespace installer
