#include "lcsdk/ui/native_platform.h"

#include <CoreGraphics/CoreGraphics.h>

#include <algorithm>
#include <array>

namespace lcsdk::ui {

namespace {

// Toolkit key codes that name a modifier or a key by role, and the macOS virtual keys that count
// for each. Any other code is a virtual key itself.
struct named_key {
    int code;
    std::array<CGKeyCode, 2> keys;
    int key_count;
};
constexpr std::array<named_key, 14> named_keys{{
    {-100, {59, 0}, 1},  // left Control
    {-99, {59, 62}, 2},  // either Control
    {-98, {62, 0}, 1},   // right Control
    {-97, {56, 0}, 1},   // left Shift
    {-96, {56, 60}, 2},  // either Shift
    {-95, {60, 0}, 1},   // right Shift
    {-94, {58, 0}, 1},   // Option
    {-93, {58, 0}, 1},
    {-92, {58, 0}, 1},
    {-91, {55, 0}, 1},   // Command
    {-90, {55, 0}, 1},
    {-89, {55, 0}, 1},
    {-88, {49, 0}, 1},   // Space
    {-87, {48, 0}, 1},   // Tab
}};

bool virtual_key_down(CGKeyCode key) { return CGEventSourceKeyState(kCGEventSourceStateCombinedSessionState, key); }

// Whether the key a toolkit key code names is held.
bool key_state(int code)
{
    const auto named = std::find_if(named_keys.begin(), named_keys.end(), [code](const named_key& k) { return k.code == code; });
    if (named == named_keys.end())
        return code >= 0 && code <= 0xFFFF && virtual_key_down(static_cast<CGKeyCode>(code));
    return std::any_of(named->keys.begin(), named->keys.begin() + named->key_count, virtual_key_down);
}

// Tab navigation asks for this code: only the left Shift key reverses it on macOS.
constexpr int left_shift_code = -97;

} // namespace

bool is_shift_down() { return key_state(left_shift_code); }

} // namespace lcsdk::ui
