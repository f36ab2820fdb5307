#include "installer/sha256.h"

#include <nettle/sha2.h>

// SHA-256 in the neutral build, from Nettle.
namespace installer {

struct sha256::state {
    sha256_ctx context{};
};

sha256::sha256() : state_(std::make_unique<state>())
{
    sha256_init(&state_->context);
}

sha256::~sha256() = default;

void sha256::update(const void* data, std::size_t size)
{
    sha256_update(&state_->context, size, static_cast<const std::uint8_t*>(data));
}

std::optional<sha256_sum> sha256::finish()
{
    sha256_sum sum{};
    sha256_digest(&state_->context, sum.size(), sum.data());
    return sum;
}

} // namespace installer
