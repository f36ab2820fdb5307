#include "installer/sha256.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <limits>

// SHA-256 from the system's CNG (bcrypt.dll, delay-loaded and loaded from the system folder only).
namespace installer {

struct sha256::state {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool failed = false;

    ~state()
    {
        if (hash != nullptr)
            BCryptDestroyHash(hash);
        if (algorithm != nullptr)
            BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};

sha256::sha256() : state_(std::make_unique<state>())
{
    // The hash object lives in memory that CNG itself provides.
    state_->failed =
        !BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
        !BCRYPT_SUCCESS(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0));
}

sha256::~sha256() = default;

void sha256::update(const void* data, std::size_t size)
{
    // CNG takes a 32-bit count and a pointer it does not write through.
    auto* bytes = static_cast<unsigned char*>(const_cast<void*>(data));
    while (!state_->failed && size > 0) {
        const auto part = static_cast<ULONG>(std::min<std::size_t>(size, std::numeric_limits<ULONG>::max()));
        state_->failed = !BCRYPT_SUCCESS(BCryptHashData(state_->hash, bytes, part, 0));
        bytes += part;
        size -= part;
    }
}

std::optional<sha256_sum> sha256::finish()
{
    sha256_sum sum{};
    if (state_->failed ||
        !BCRYPT_SUCCESS(BCryptFinishHash(state_->hash, sum.data(), static_cast<ULONG>(sum.size()), 0)))
        return std::nullopt;
    return sum;
}

} // namespace installer
