#pragma once

#include "installer/file_engine.h"

#include <optional>

namespace installer::neutral {

// The payload of a kind compiled into the program; null when the program does not carry it.
std::optional<payload_bytes> find_payload(payload_kind kind);

} // namespace installer::neutral
