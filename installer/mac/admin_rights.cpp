#include "installer/mac/admin_rights.h"

#include "lcsdk/ui/cocoa/allow_deprecated.h"

#include <Security/AuthorizationTags.h>
#include <libproc.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

namespace installer::mac {

namespace {

// Interaction allowed, extend rights, pre-authorize.
constexpr AuthorizationFlags ask_flags =
    kAuthorizationFlagInteractionAllowed | kAuthorizationFlagExtendRights | kAuthorizationFlagPreAuthorize;

// This process's children, those that have ended and not been waited for included, in ascending order.
std::vector<int> child_processes()
{
    std::vector<int> children(1024);
    const int bytes = proc_listpids(PROC_PPID_ONLY, static_cast<std::uint32_t>(getpid()), children.data(),
                                    static_cast<int>(children.size() * sizeof(int)));
    children.resize(bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(int) : 0);
    std::sort(children.begin(), children.end());
    return children;
}

// The one child that is not among `before`; nothing when there is none, or more than one to choose from.
std::optional<pid_t> new_child(const std::vector<int>& before)
{
    const std::vector<int> now = child_processes();
    std::vector<int> added;
    std::set_difference(now.begin(), now.end(), before.begin(), before.end(), std::back_inserter(added));
    if (added.size() != 1)
        return std::nullopt;
    return added.front();
}

// The exit status of a child, or nothing when it did not end normally or cannot be waited for.
std::optional<int> wait_for(pid_t child)
{
    int status = 0;
    pid_t ended = 0;
    do {
        ended = waitpid(child, &status, 0);
    } while (ended < 0 && errno == EINTR);
    if (ended != child || !WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

} // namespace

admin_rights::admin_rights()
{
    if (AuthorizationCreate(nullptr, kAuthorizationEmptyEnvironment, kAuthorizationFlagDefaults, &authorization_) !=
        errAuthorizationSuccess)
        authorization_ = nullptr;
}

admin_rights::~admin_rights()
{
    if (authorization_ != nullptr)
        AuthorizationFree(authorization_, kAuthorizationFlagDestroyRights);
}

bool admin_rights::acquire()
{
    if (authorization_ == nullptr)
        return false;
    AuthorizationItem right = {kAuthorizationRightExecute, 0, nullptr, 0};
    const AuthorizationRights rights = {1, &right};
    return AuthorizationCopyRights(authorization_, &rights, kAuthorizationEmptyEnvironment, ask_flags, nullptr) ==
           errAuthorizationSuccess;
}

std::optional<int> admin_rights::run(const char* tool, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words = arguments;
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // The service forks the tool's process before it knows whether the tool can run, and hands
    // back the tool's output but not its process: the process is the one child the call added. A
    // start that fails leaves that child behind; it is reaped here, so that no later wait takes its
    // end for another tool's.
    const std::vector<int> before = child_processes();
    FILE* output = nullptr;
    // Deprecated since macOS 10.7. Its successor, a privileged helper tool that the application
    // installs and registers with launchd, needs a signed helper inside the bundle, which this
    // installer does not carry; the call is still provided and is what runs the system's tools here.
    LCSDK_ALLOW_DEPRECATED_BEGIN
    const OSStatus started =
        AuthorizationExecuteWithPrivileges(authorization_, tool, kAuthorizationFlagDefaults, argv.data(), &output);
    LCSDK_ALLOW_DEPRECATED_END
    const std::optional<pid_t> child = new_child(before);
    if (started != errAuthorizationSuccess) {
        if (child)
            wait_for(*child);
        return std::nullopt;
    }
    // The tool's output ends when the tool does; it is read only to wait for that.
    if (output != nullptr) {
        char buffer[4096];
        while (std::fread(buffer, 1, sizeof buffer, output) > 0) {
        }
        std::fclose(output);
    }
    return child ? wait_for(*child) : std::nullopt;
}

} // namespace installer::mac
