// proc_listpids on Linux: the children of a process, read from each process's /proc/<pid>/stat,
// whose fourth field is the parent (after the program name in parentheses, which may hold anything).
#include <libproc.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The parent of a process, or -1 when its status cannot be read (it may have been waited for and
// gone meanwhile, which makes reading fail rather than end).
long parent_of(const std::filesystem::path& process)
{
    const int file = open((process / "stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return -1;
    std::array<char, 512> buffer{};
    const ssize_t got = read(file, buffer.data(), buffer.size());
    close(file);
    if (got <= 0)
        return -1;
    const std::string_view stat(buffer.data(), static_cast<std::size_t>(got));
    const std::size_t name_end = stat.rfind(')');
    // ") S <parent> ..."
    if (name_end == std::string_view::npos || name_end + 4 >= stat.size())
        return -1;
    long parent = -1;
    std::from_chars(stat.data() + name_end + 4, stat.data() + stat.size(), parent);
    return parent;
}

} // namespace

int proc_listpids(uint32_t type, uint32_t typeinfo, void* buffer, int buffersize)
{
    if (type != PROC_PPID_ONLY || buffer == nullptr || buffersize < 0) {
        errno = EINVAL;
        return -1;
    }
    int* pids = static_cast<int*>(buffer);
    const std::size_t room = static_cast<std::size_t>(buffersize) / sizeof(int);
    std::size_t count = 0;
    std::error_code failure;
    for (std::filesystem::directory_iterator entry("/proc", failure), end; !failure && entry != end;
         entry.increment(failure)) {
        const std::string name = entry->path().filename().string();
        int pid = 0;
        const auto [name_end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
        if (error != std::errc() || name_end != name.data() + name.size() || count == room)
            continue;
        if (parent_of(entry->path()) == static_cast<long>(typeinfo))
            pids[count++] = pid;
    }
    if (failure)
        return -1;
    return static_cast<int>(count * sizeof(int));
}
