#pragma once

#include <cstddef>
#include <optional>

namespace installer {

// A payload compiled into the program.
struct payload_bytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

std::optional<payload_bytes> find_payload(int payload_id);

} // namespace installer
