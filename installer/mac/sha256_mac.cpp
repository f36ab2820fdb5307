#include "installer/sha256.h"

#include <CommonCrypto/CommonDigest.h>

#include <algorithm>
#include <limits>

// SHA-256 from the system's CommonCrypto.
namespace installer {

struct sha256::state {
    CC_SHA256_CTX context{};
};

sha256::sha256() : state_(std::make_unique<state>())
{
    CC_SHA256_Init(&state_->context);
}

sha256::~sha256() = default;

void sha256::update(const void* data, std::size_t size)
{
    // CommonCrypto takes a 32-bit count.
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const auto part = static_cast<CC_LONG>(std::min<std::size_t>(size, std::numeric_limits<CC_LONG>::max()));
        CC_SHA256_Update(&state_->context, bytes, part);
        bytes += part;
        size -= part;
    }
}

std::optional<sha256_sum> sha256::finish()
{
    sha256_sum sum{};
    CC_SHA256_Final(sum.data(), &state_->context);
    return sum;
}

} // namespace installer
