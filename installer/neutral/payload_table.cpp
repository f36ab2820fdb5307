#include "installer/neutral/payload_table.h"

#include "installer/payload/payload_digest.h"

#include "installer_payload.h"

namespace installer::neutral {

// Only the main plug-in is carried, as in the Windows program's resources.
std::optional<carried_payload> find_payload(payload_kind kind)
{
    if (kind == payload_kind::main)
        return carried_payload{{payload::main_payload, payload::main_payload_size}, payload::main_payload_sha256};
    return std::nullopt;
}

} // namespace installer::neutral
