#pragma once

#include <cstddef>

namespace installer::posix {

// Writes every byte to `fd`: write() may store fewer bytes than asked, and the rest is retried
// until an error other than an interruption stops it. False when not every byte was written.
bool write_all(int fd, const void* data, std::size_t size);

} // namespace installer::posix
