// The copy tool of the GNUstep build, for Linux, which has no ditto:
//   ditto <source> <destination>
// Copies a file, or a folder's whole tree into the destination folder (made when missing), keeping
// the modes of files and folders and copying symbolic links as links. Any failure ends it with
// exit code 1 and a message; what was copied until then stays.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct copy_failure {
    std::string what;
    std::string path;
    int error;
};

[[noreturn]] void fail(const char* what, const std::string& path)
{
    throw copy_failure{what, path, errno};
}

class unique_fd {
public:
    explicit unique_fd(int fd) : fd_(fd) {}
    ~unique_fd() { close(); }
    unique_fd(const unique_fd&) = delete;
    unique_fd& operator=(const unique_fd&) = delete;
    int get() const { return fd_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

struct dir_closer {
    void operator()(DIR* dir) const { closedir(dir); }
};

void copy_file(const std::string& from, const std::string& to, mode_t mode)
{
    unique_fd in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        fail("cannot open", from);
    unique_fd out(open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (out.get() < 0)
        fail("cannot create", to);
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(in.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail("cannot read", from);
        if (got == 0)
            break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = write(out.get(), buffer + done, static_cast<std::size_t>(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                fail("cannot write", to);
            done += put;
        }
    }
    if (fchmod(out.get(), mode) != 0)
        fail("cannot set the mode of", to);
    if (!out.close())
        fail("cannot write", to);
}

void copy_link(const std::string& from, const std::string& to)
{
    std::string target(4096, '\0');
    const ssize_t length = readlink(from.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size())
        fail("cannot read the link", from);
    target.resize(static_cast<std::size_t>(length));
    if (unlink(to.c_str()) != 0 && errno != ENOENT)
        fail("cannot replace", to);
    if (symlink(target.c_str(), to.c_str()) != 0)
        fail("cannot create the link", to);
}

void copy_tree(const std::string& from, const std::string& to);

void copy_entry(const std::string& from, const std::string& to)
{
    struct stat info {};
    if (lstat(from.c_str(), &info) != 0)
        fail("cannot read", from);
    if (S_ISLNK(info.st_mode))
        copy_link(from, to);
    else if (S_ISDIR(info.st_mode))
        copy_tree(from, to);
    else if (S_ISREG(info.st_mode))
        copy_file(from, to, info.st_mode & 07777);
    else {
        errno = ENOTSUP;
        fail("cannot copy the special file", from);
    }
}

// The folder's entries go into `to`, which is made when missing and gets the folder's mode last,
// so that a read-only folder can still be filled.
void copy_tree(const std::string& from, const std::string& to)
{
    struct stat info {};
    if (stat(from.c_str(), &info) != 0)
        fail("cannot read", from);
    if (mkdir(to.c_str(), 0700) != 0 && errno != EEXIST)
        fail("cannot create", to);
    const std::unique_ptr<DIR, dir_closer> dir(opendir(from.c_str()));
    if (!dir)
        fail("cannot list", from);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                fail("cannot list", from);
            break;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        copy_entry(from + "/" + name, to + "/" + name);
    }
    if (chmod(to.c_str(), info.st_mode & 07777) != 0)
        fail("cannot set the mode of", to);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ditto <source> <destination>\n");
        return 1;
    }
    try {
        copy_entry(argv[1], argv[2]);
    } catch (const copy_failure& failure) {
        std::fprintf(stderr, "ditto: %s %s: %s\n", failure.what.c_str(), failure.path.c_str(), std::strerror(failure.error));
        return 1;
    }
    return 0;
}
