#include "installer/posix/payload_table.h"
#include "installer/file_engine.h"
#include "installer/system.h"

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// The neutral build's engine: the Windows program's run on POSIX file calls, with the same file
// name, step codes and status protocol, so that the run can be tested without Windows.
namespace installer {

namespace {

using lcsdk::filesystem::file_path;

constexpr std::string_view plugin_file_name = "Glaive.aex";

// Owns one file descriptor.
class unique_fd {
public:
    explicit unique_fd(int fd) : fd_(fd) {}
    ~unique_fd() { reset(); }
    unique_fd(const unique_fd&) = delete;
    unique_fd& operator=(const unique_fd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false when the close reports that buffered data was lost.
    bool reset()
    {
        if (fd_ < 0)
            return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

// write() may store fewer bytes than asked; the rest is retried until an error stops it.
bool write_all(int fd, const unsigned char* bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the payload into the vendor folder through a side file that replaces the plug-in only
// once complete.
int write_payload(payload_kind kind, const file_path& vendor_folder)
{
    const file_path target = vendor_folder.append_plain(plugin_file_name);
    const std::optional<payload_bytes> payload = find_payload(kind);
    if (!payload)
        return step_payload_missing;

    const file_path side_file = target.with_suffix(".partial");
    unique_fd file(::open(side_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.valid())
        return step_create_failed;
    bool complete = write_all(file.get(), payload->data, payload->size) && ::fsync(file.get()) == 0;
    complete = file.reset() && complete;
    if (!complete) {
        ::unlink(side_file.c_str());
        return step_write_failed;
    }
    if (::rename(side_file.c_str(), target.c_str()) != 0) {
        ::unlink(side_file.c_str());
        return step_create_failed;
    }
    return step_ok;
}

// The first of the machine-wide data folders of the freedesktop base directory rules.
file_path common_app_data_folder()
{
    std::string dirs;
    if (const char* value = std::getenv("XDG_DATA_DIRS"); value != nullptr)
        dirs = value;
    const std::string first = dirs.substr(0, dirs.find(':'));
    return file_path(first.empty() ? std::string("/usr/local/share") : first);
}

} // namespace

void System::install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload)
{
    install_plugin_files(*this, plugin_folders, script_folders, custom_main_payload, write_payload,
                         common_app_data_folder());
}

} // namespace installer
