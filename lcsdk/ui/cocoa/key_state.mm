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

// Key events carry the key's character: Return (or Enter on the keypad, ETX), Escape, the space,
// and the private-use characters of the function keys.
key key_of(std::uint64_t key_code)
{
    switch (key_code) {
    case 0x0D:
    case 0x03: return key::enter;
    case 0x1B: return key::escape;
    case 0x20: return key::space;
    case 0xF700: return key::up;
    case 0xF701: return key::down;
    case 0xF702: return key::left;
    case 0xF703: return key::right;
    case 0xF729: return key::home;
    case 0xF72B: return key::end;
    case 0xF72C: return key::page_up;
    case 0xF72D: return key::page_down;
    default: return key::other;
    }
}

} // namespace lcsdk::ui
