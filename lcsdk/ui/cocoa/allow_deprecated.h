#pragma once

// Brackets a call of a system function that the SDK marks deprecated and that has to stay (each use
// says why): the warning, an error under -Werror, is silenced for that call and nowhere else.
#if defined(__clang__)
#define LCSDK_ALLOW_DEPRECATED_BEGIN \
    _Pragma("clang diagnostic push") _Pragma("clang diagnostic ignored \"-Wdeprecated-declarations\"")
#define LCSDK_ALLOW_DEPRECATED_END _Pragma("clang diagnostic pop")
#else
#define LCSDK_ALLOW_DEPRECATED_BEGIN \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wdeprecated-declarations\"")
#define LCSDK_ALLOW_DEPRECATED_END _Pragma("GCC diagnostic pop")
#endif
