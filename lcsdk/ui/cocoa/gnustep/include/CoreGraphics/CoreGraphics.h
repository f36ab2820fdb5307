#pragma once

// The CoreGraphics calls of the Cocoa layer that GNUstep does not have, with the framework's names,
// types and values, so that the layer's code is the same as on a Mac. Only the GNUstep build has
// this folder on its include path.

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t CGKeyCode;

typedef int32_t CGEventSourceStateID;
enum {
    kCGEventSourceStatePrivate = -1,
    kCGEventSourceStateCombinedSessionState = 0,
    kCGEventSourceStateHIDSystemState = 1,
};

// Whether the key with this macOS virtual key code is held now.
bool CGEventSourceKeyState(CGEventSourceStateID stateID, CGKeyCode key);

#ifdef __cplusplus
}
#endif
