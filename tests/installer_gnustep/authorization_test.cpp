// The Authorization Services stand-in answers a request that may not ask the user as macOS does:
// root has the right without a prompt, anyone else is refused.
#include <Security/Authorization.h>
#include <Security/AuthorizationTags.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Asks for the administrator right without interaction; the service's answer.
OSStatus ask_without_interaction()
{
    AuthorizationRef authorization = nullptr;
    if (AuthorizationCreate(nullptr, kAuthorizationEmptyEnvironment, kAuthorizationFlagDefaults, &authorization) !=
        errAuthorizationSuccess)
        return errAuthorizationInternal;
    AuthorizationItem right = {kAuthorizationRightExecute, 0, nullptr, 0};
    const AuthorizationRights rights = {1, &right};
    const OSStatus answer = AuthorizationCopyRights(authorization, &rights, kAuthorizationEmptyEnvironment,
                                                    kAuthorizationFlagExtendRights | kAuthorizationFlagPreAuthorize,
                                                    nullptr);
    AuthorizationFree(authorization, kAuthorizationFlagDestroyRights);
    return answer;
}

} // namespace

TEST(Authorization, WithoutInteractionOnlyRootHasTheRight)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to ask as root and as another user";
    EXPECT_EQ(ask_without_interaction(), errAuthorizationSuccess);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool refused = setgid(65534) == 0 && setuid(65534) == 0 &&
                             ask_without_interaction() == errAuthorizationInteractionNotAllowed;
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "another user got the right without being asked";
}
