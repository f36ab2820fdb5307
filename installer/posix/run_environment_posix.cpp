#include "installer/run_environment.h"

#include "installer/posix/write_all.h"

#include <ctime>
#include <string>

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace installer {

namespace {

class posix_append_file final : public append_file {
public:
    explicit posix_append_file(int fd) : fd_(fd) {}
    ~posix_append_file() override { ::close(fd_); }
    posix_append_file(const posix_append_file&) = delete;
    posix_append_file& operator=(const posix_append_file&) = delete;

    bool write(std::string_view bytes) override { return posix::write_all(fd_, bytes.data(), bytes.size()); }

private:
    int fd_;
};

} // namespace

clock_reading read_clock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
            static_cast<int>(local.tm_gmtoff / 60)};
}

std::string user_name()
{
    const uid_t user = geteuid();
    passwd entry{};
    passwd* found = nullptr;
    std::string buffer(16384, '\0');
    if (getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return found->pw_name;
    return "uid " + std::to_string(user);
}

bool running_elevated()
{
    return geteuid() == 0;
}

std::unique_ptr<append_file> open_for_appending(const lcsdk::filesystem::file_path& file)
{
    // A program run as root must not follow a link that someone planted in the log's place.
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    return std::make_unique<posix_append_file>(fd);
}

void write_standard_error(std::string_view text)
{
    posix::write_all(STDERR_FILENO, text.data(), text.size());
}

} // namespace installer
