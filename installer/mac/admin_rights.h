#pragma once

#include <Security/Authorization.h>

#include <optional>
#include <string>
#include <vector>

namespace installer::mac {

// One authorization reference for a run: administrator rights asked for once, system tools run
// with them, and the reference freed with its rights destroyed when the run leaves, on every path.
class admin_rights {
public:
    admin_rights();
    ~admin_rights();
    admin_rights(const admin_rights&) = delete;
    admin_rights& operator=(const admin_rights&) = delete;

    // Asks for "system.privilege.admin", letting the system ask the user. False when refused.
    bool acquire();

    // Runs a tool (absolute path) with the rights and waits until it has ended. Its exit status,
    // or nothing when it could not be started or its end could not be observed. The tool's process
    // is told from the others by being the one child process the start added: nothing else in the
    // program starts child processes while a tool runs.
    std::optional<int> run(const char* tool, const std::vector<std::string>& arguments);

private:
    AuthorizationRef authorization_ = nullptr;
};

} // namespace installer::mac
