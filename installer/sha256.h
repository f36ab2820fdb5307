#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>

// SHA-256 by the system's own implementation, defined by each platform: CNG on Windows,
// CommonCrypto on macOS, Nettle in the neutral build. The build records the digests of the
// payloads the program carries; the engines compare what they carry and what they wrote with them.
namespace installer {

using sha256_sum = std::array<unsigned char, 32>;

class sha256 {
public:
    sha256();
    ~sha256();
    sha256(const sha256&) = delete;
    sha256& operator=(const sha256&) = delete;

    void update(const void* data, std::size_t size);
    // The digest of everything given to update(); nothing when the system could not compute it.
    // Called once.
    std::optional<sha256_sum> finish();

private:
    struct state;
    std::unique_ptr<state> state_;
};

// The digest of one block of bytes; nothing when the system could not compute it.
inline std::optional<sha256_sum> sha256_of(const void* data, std::size_t size)
{
    sha256 hash;
    hash.update(data, size);
    return hash.finish();
}

} // namespace installer
