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

class spawn_actions {
public:
    spawn_actions() { posix_spawn_file_actions_init(&actions_); }
    ~spawn_actions() { posix_spawn_file_actions_destroy(&actions_); }
    spawn_actions(const spawn_actions&) = delete;
    spawn_actions& operator=(const spawn_actions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
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
    int ends[2] = {-1, -1};
    spawn_actions actions;
    if (communicationsPipe != nullptr) {
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            return errAuthorizationToolExecuteFailure;
        posix_spawn_file_actions_adddup2(actions.get(), ends[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(actions.get(), ends[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t child = 0;
    const int spawned = posix_spawn(&child, tool, actions.get(), nullptr, argv.data(), environ);
    if (communicationsPipe == nullptr)
        return spawned == 0 ? errAuthorizationSuccess : errAuthorizationToolExecuteFailure;

    close(ends[1]);
    FILE* pipe = spawned == 0 ? fdopen(ends[0], "r+") : nullptr;
    if (pipe == nullptr) {
        close(ends[0]);
        return errAuthorizationToolExecuteFailure;
    }
    *communicationsPipe = pipe;
    return errAuthorizationSuccess;
}
