#pragma once

#include "installer/file_engine.h"

#include <optional>

namespace installer::neutral {

// The payload of a kind compiled into the program, with its recorded digest; null when the
// program does not carry it.
std::optional<carried_payload> find_payload(payload_kind kind);

} // namespace installer::neutral
