// Authorization Services on GNUstep. As on macOS, asking for rights shows a prompt in a separate
// agent process; the rights are granted only when the tools can then really run as root, that is
// when this process is root. Every request asks again. Tools run as children of this process, by
// absolute path and with their arguments as separate argv entries, never through a shell.
#include <Security/Authorization.h>

#import <Foundation/Foundation.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct AuthorizationOpaqueRef {
    bool granted = false;
};

namespace {

// Where the GNUstep build keeps the prompt and the copy tool that Linux lacks (set by the build).
constexpr const char* agent_path = LCSDK_AUTHENTICATION_AGENT;
constexpr const char* ditto_path = LCSDK_DITTO;

constexpr const char* admin_right = "system.privilege.admin";

// The agent's answers, as its exit codes.
constexpr int agent_allowed = 0;
constexpr int agent_cancelled = 1;

// Two descriptors (a pipe's or a socket pair's ends), closed with the pair unless handed on.
struct descriptor_pair {
    int fds[2] = {-1, -1};
    descriptor_pair() = default;
    descriptor_pair(const descriptor_pair&) = delete;
    descriptor_pair& operator=(const descriptor_pair&) = delete;
    ~descriptor_pair()
    {
        close(0);
        close(1);
    }
    void close(int which)
    {
        if (fds[which] >= 0)
            ::close(fds[which]);
        fds[which] = -1;
    }
};

// Exit status of a child, or -1 when it did not end normally or cannot be waited for.
int wait_for(pid_t child)
{
    int status = 0;
    pid_t ended = 0;
    do {
        ended = waitpid(child, &status, 0);
    } while (ended < 0 && errno == EINTR);
    if (ended != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

bool asks_for_admin(const AuthorizationRights* rights)
{
    if (rights == nullptr || rights->count == 0 || rights->items == nullptr)
        return false;
    for (UInt32 i = 0; i < rights->count; ++i) {
        const char* name = rights->items[i].name;
        if (name == nullptr || std::strcmp(name, admin_right) != 0)
            return false;
    }
    return true;
}

// Shows the prompt and returns the agent's exit code (-1 when it could not be shown). The agent
// gets this program's name, and GNUstep's window decoration setting when this program was given
// one, so that its window looks like this program's.
int ask_user()
{
    NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
    std::vector<std::string> words{agent_path, "--program", [[[NSProcessInfo processInfo] processName] UTF8String]};
    if (id decorations = [[NSUserDefaults standardUserDefaults] objectForKey:@"GSBackHandlesWindowDecorations"]) {
        words.push_back("-GSBackHandlesWindowDecorations");
        words.push_back([[decorations description] UTF8String]);
    }
    [pool drain];

    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t agent = 0;
    if (posix_spawn(&agent, agent_path, nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return wait_for(agent);
}

} // namespace

OSStatus AuthorizationCreate(const AuthorizationRights* /*rights: none are asked for at creation here*/,
                             const AuthorizationEnvironment* /*environment*/, AuthorizationFlags /*flags*/,
                             AuthorizationRef* authorization)
{
    if (authorization == nullptr)
        return errAuthorizationInvalidPointer;
    *authorization = std::make_unique<AuthorizationOpaqueRef>().release();
    return errAuthorizationSuccess;
}

OSStatus AuthorizationFree(AuthorizationRef authorization, AuthorizationFlags /*flags: rights always go with it*/)
{
    if (authorization == nullptr)
        return errAuthorizationInvalidRef;
    const std::unique_ptr<AuthorizationOpaqueRef> owned(const_cast<AuthorizationOpaqueRef*>(authorization));
    return errAuthorizationSuccess;
}

OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const AuthorizationRights* rights,
                                 const AuthorizationEnvironment* /*environment*/, AuthorizationFlags flags,
                                 AuthorizationRights** authorizedRights)
{
    if (authorization == nullptr)
        return errAuthorizationInvalidRef;
    if (authorizedRights != nullptr)
        *authorizedRights = nullptr;
    if (!asks_for_admin(rights))
        return errAuthorizationDenied;
    if ((flags & kAuthorizationFlagInteractionAllowed) == 0)
        return errAuthorizationInteractionNotAllowed;

    auto& state = const_cast<AuthorizationOpaqueRef&>(*authorization);
    switch (ask_user()) {
    case agent_allowed:
        if (geteuid() != 0)
            return errAuthorizationDenied;
        state.granted = true;
        return errAuthorizationSuccess;
    case agent_cancelled:
        return errAuthorizationCanceled;
    default:
        return errAuthorizationInternal;
    }
}

OSStatus AuthorizationExecuteWithPrivileges(AuthorizationRef authorization, const char* pathToTool,
                                            AuthorizationFlags /*options*/, char* const* arguments,
                                            FILE** communicationsPipe)
{
    if (authorization == nullptr)
        return errAuthorizationInvalidRef;
    if (!authorization->granted)
        return errAuthorizationDenied;
    if (pathToTool == nullptr || pathToTool[0] != '/')
        return errAuthorizationToolExecuteFailure;
    // Linux has no ditto of its own; the build's stands in for it.
    const char* tool = pathToTool;
    if (std::strcmp(pathToTool, "/usr/bin/ditto") == 0 && access(pathToTool, X_OK) != 0)
        tool = ditto_path;

    std::vector<char*> argv{const_cast<char*>(pathToTool)};
    for (char* const* argument = arguments; argument != nullptr && *argument != nullptr; ++argument)
        argv.push_back(*argument);
    argv.push_back(nullptr);

    // The tool's standard input and output are one end of a socket pair; the caller reads the other.
    descriptor_pair ends;
    if (communicationsPipe != nullptr && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.fds) != 0)
        return errAuthorizationToolExecuteFailure;
    // The child reports a failed exec through this pipe, which closes unwritten when the exec works.
    descriptor_pair report;
    if (pipe2(report.fds, O_CLOEXEC) != 0)
        return errAuthorizationToolExecuteFailure;

    // As on macOS, the process is forked before it is known whether the tool can run; when it then
    // cannot, the call fails and leaves that child, unreaped, to its caller.
    const pid_t child = fork();
    if (child < 0)
        return errAuthorizationToolExecuteFailure;
    if (child == 0) {
        // Between fork and exec only calls that are safe in the child of a threaded process.
        const int io = communicationsPipe != nullptr ? ends.fds[1] : open("/dev/null", O_RDWR);
        if (io < 0 || dup2(io, STDIN_FILENO) < 0 || dup2(io, STDOUT_FILENO) < 0)
            _exit(127);
        execve(tool, argv.data(), environ);
        const int error = errno;
        [[maybe_unused]] const ssize_t written = write(report.fds[1], &error, sizeof error);
        _exit(127);
    }
    report.close(1);
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report.fds[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got != 0)
        return errAuthorizationToolExecuteFailure;
    if (communicationsPipe == nullptr)
        return errAuthorizationSuccess;

    ends.close(1);
    FILE* pipe = fdopen(ends.fds[0], "r+");
    if (pipe == nullptr)
        return errAuthorizationToolExecuteFailure;
    ends.fds[0] = -1; // the stream owns it now
    *communicationsPipe = pipe;
    return errAuthorizationSuccess;
}
