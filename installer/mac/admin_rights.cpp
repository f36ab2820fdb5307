#include "installer/mac/admin_rights.h"

#include "lcsdk/ui/cocoa/allow_deprecated.h"

#include <Security/AuthorizationTags.h>

#include <cerrno>
#include <cstdio>

#include <sys/wait.h>

namespace installer::mac {

namespace {

// Interaction allowed, extend rights, pre-authorize.
constexpr AuthorizationFlags ask_flags =
    kAuthorizationFlagInteractionAllowed | kAuthorizationFlagExtendRights | kAuthorizationFlagPreAuthorize;

// The tool was started through the authorization service, which hands back its output but not its
// process; the tool is this process's child all the same, and the only one while a run goes on
// (each tool is waited for before the next starts), so the next child to end is the tool.
std::optional<int> wait_for_tool()
{
    int status = 0;
    pid_t ended = 0;
    do {
        ended = waitpid(-1, &status, 0);
    } while (ended < 0 && errno == EINTR);
    if (ended < 0 || !WIFEXITED(status))
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

    FILE* output = nullptr;
    // Deprecated since macOS 10.7. Its successor, a privileged helper tool that the application
    // installs and registers with launchd, needs a signed helper inside the bundle, which this
    // installer does not carry; the call is still provided and is what runs the system's tools here.
    LCSDK_ALLOW_DEPRECATED_BEGIN
    const OSStatus started =
        AuthorizationExecuteWithPrivileges(authorization_, tool, kAuthorizationFlagDefaults, argv.data(), &output);
    LCSDK_ALLOW_DEPRECATED_END
    if (started != errAuthorizationSuccess)
        return std::nullopt;
    // The tool's output ends when the tool does; it is read only to wait for that.
    if (output != nullptr) {
        char buffer[4096];
        while (std::fread(buffer, 1, sizeof buffer, output) > 0) {
        }
        std::fclose(output);
    }
    return wait_for_tool();
}

} // namespace installer::mac
