#include "installer/posix/payload_table.h"

#include "installer/system.h"
#include "installer_payload.h"

namespace installer {

// Only the main plug-in is carried, as in the Windows program's resources.
std::optional<payload_bytes> find_payload(int payload_id)
{
    if (payload_id == main_payload_id)
        return payload_bytes{payload::main_payload, payload::main_payload_size};
    return std::nullopt;
}

} // namespace installer
