#include "installer/neutral/payload_table.h"

#include "installer_payload.h"

namespace installer::neutral {

// Only the main plug-in is carried, as in the Windows program's resources.
std::optional<payload_bytes> find_payload(payload_kind kind)
{
    if (kind == payload_kind::main)
        return payload_bytes{payload::main_payload, payload::main_payload_size};
    return std::nullopt;
}

} // namespace installer::neutral
