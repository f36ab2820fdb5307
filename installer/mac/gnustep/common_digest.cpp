#include <CommonCrypto/CommonDigest.h>

// Each call succeeds, as CommonCrypto's do: they return 1.
extern "C" {

int CC_SHA256_Init(CC_SHA256_CTX* c)
{
    sha256_init(&c->nettle);
    return 1;
}

int CC_SHA256_Update(CC_SHA256_CTX* c, const void* data, CC_LONG len)
{
    sha256_update(&c->nettle, len, static_cast<const uint8_t*>(data));
    return 1;
}

int CC_SHA256_Final(unsigned char* md, CC_SHA256_CTX* c)
{
    sha256_digest(&c->nettle, CC_SHA256_DIGEST_LENGTH, md);
    return 1;
}

} // extern "C"
