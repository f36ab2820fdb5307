#pragma once

// The part of Launch Services (and of the Core Foundation types it takes) that the installer's
// discovery calls on macOS, for the GNUstep build, which has neither. The types are toll-free
// bridged as on macOS: a CFURLRef is an NSURL, a CFArrayRef an NSArray. Only the GNUstep build has
// this folder on its include path.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef const void* CFTypeRef;
typedef const struct __CFURL* CFURLRef;
typedef const struct __CFArray* CFArrayRef;

typedef uint32_t OptionBits;
typedef OptionBits LSRolesMask;
enum {
    kLSRolesNone = 0x00000001,
    kLSRolesViewer = 0x00000002,
    kLSRolesEditor = 0x00000004,
    kLSRolesShell = 0x00000008,
    kLSRolesAll = 0xFFFFFFFF,
};

// The file URLs of the applications that can open the document at `inURL`, or NULL when none
// can. The caller owns the array (the Copy rule) and gives it back with CFRelease. Deprecated since
// macOS 12.0.
CFArrayRef LSCopyApplicationURLsForURL(CFURLRef inURL, LSRolesMask inRoleMask)
    __attribute__((deprecated("deprecated since macOS 12.0")));

void CFRelease(CFTypeRef cf);

#ifdef __cplusplus
}
#endif
