#include "installer/neutral/install_neutral.h"

#include "installer/neutral/payload_table.h"
#include "installer/posix/lock_file.h"
#include "installer/posix/write_all.h"
#include "installer/system.h"

#include "lcsdk/filesystem/folder_creation.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace installer {

namespace {

using lcsdk::filesystem::file_path;

// One file descriptor, closed by close() or at the latest by the destructor.
class posix_file final : public open_file {
public:
    explicit posix_file(int fd) : fd_(fd) {}
    ~posix_file() override { close(); }
    posix_file(const posix_file&) = delete;
    posix_file& operator=(const posix_file&) = delete;

    bool write(const payload_bytes& payload) override { return posix::write_all(fd_, payload.data, payload.size); }
    bool flush() override { return ::fsync(fd_) == 0; }
    // Reads to the end: the SHA-256 of what was read, or nothing when reading fails.
    std::optional<sha256_sum> read_digest()
    {
        return digest_of_reads([this](unsigned char* buffer, std::size_t size) -> std::ptrdiff_t {
            for (;;) {
                const ssize_t got = ::read(fd_, buffer, size);
                if (got >= 0 || errno != EINTR)
                    return got;
            }
        });
    }
    bool close() override
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

class posix_calls final : public file_calls {
public:
    payload_lookup find_payload(payload_kind kind) override
    {
        if (const std::optional<carried_payload> payload = neutral::find_payload(kind))
            return *payload;
        return status_payload_missing;
    }
    void make_folder(const file_path& folder) override { lcsdk::filesystem::make_folder(folder); }
    std::unique_ptr<open_file> create(const file_path& file) override
    {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        return fd < 0 ? nullptr : std::make_unique<posix_file>(fd);
    }
    bool replace(const file_path& from, const file_path& to) override
    {
        return ::rename(from.c_str(), to.c_str()) == 0;
    }
    void remove(const file_path& file) override { ::unlink(file.c_str()); }
    std::optional<sha256_sum> read_back(const file_path& file) override
    {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        return posix_file(fd).read_digest();
    }
    // The first of the machine-wide data folders of the freedesktop base directory rules.
    file_path app_data_folder() override
    {
        std::string dirs;
        if (const char* value = std::getenv("XDG_DATA_DIRS"); value != nullptr)
            dirs = value;
        const std::string first = dirs.substr(0, dirs.find(':'));
        return file_path(first.empty() ? std::string("/usr/local/share") : first);
    }
};

lcsdk::filesystem::file_path& lock_file()
{
    static lcsdk::filesystem::file_path file;
    return file;
}

} // namespace

void neutral::set_install_lock_file(lcsdk::filesystem::file_path file)
{
    lock_file() = std::move(file);
}

lcsdk::filesystem::file_path posix::install_lock_file()
{
    return lock_file();
}

file_calls& neutral::posix_file_calls()
{
    static posix_calls calls;
    return calls;
}

void System::install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload)
{
    install_plugin_files(*this, plugin_folders, script_folders, custom_main_payload, neutral::posix_file_calls());
}

} // namespace installer
