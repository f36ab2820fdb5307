#pragma once

#include "installer/install_run.h"

#include <cstddef>
#include <optional>

namespace installer {

// A payload compiled into the program.
struct payload_bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// Null when the program does not carry that payload.
std::optional<payload_bytes> find_payload(payload_kind kind);

} // namespace installer
