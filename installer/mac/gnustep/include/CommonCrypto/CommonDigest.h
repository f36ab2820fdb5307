#pragma once

// CommonCrypto's SHA-256 on GNUstep, with the Mac's names and signatures, computed by Nettle.
#include <nettle/sha2.h>

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CC_SHA256_DIGEST_LENGTH 32

typedef uint32_t CC_LONG;

typedef struct CC_SHA256state_st {
    struct sha256_ctx nettle;
} CC_SHA256_CTX;

int CC_SHA256_Init(CC_SHA256_CTX* c);
int CC_SHA256_Update(CC_SHA256_CTX* c, const void* data, CC_LONG len);
int CC_SHA256_Final(unsigned char* md, CC_SHA256_CTX* c);

#ifdef __cplusplus
}
#endif
