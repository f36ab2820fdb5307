// CGEventSourceKeyState on X11: the macOS virtual key codes the Cocoa layer asks about, read from
// the X server's keyboard state. Command and Option are the keys GNUstep itself takes for them by
// default (left and right Alt).
#include <CoreGraphics/CoreGraphics.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

struct virtual_key {
    CGKeyCode code;
    KeySym symbol;
};
constexpr std::array<virtual_key, 8> virtual_keys{{
    {48, XK_Tab},
    {49, XK_space},
    {55, XK_Alt_L},     // Command
    {56, XK_Shift_L},
    {58, XK_Alt_R},     // Option
    {59, XK_Control_L},
    {60, XK_Shift_R},
    {62, XK_Control_R},
}};

struct display_closer {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// A connection of its own to the display GNUstep uses, opened on first use for the process.
Display* keyboard_display()
{
    static const std::unique_ptr<Display, display_closer> display(XOpenDisplay(nullptr));
    return display.get();
}

} // namespace

bool CGEventSourceKeyState(CGEventSourceStateID /*stateID: X has one keyboard state*/, CGKeyCode key)
{
    const auto found = std::find_if(virtual_keys.begin(), virtual_keys.end(), [key](const virtual_key& k) { return k.code == key; });
    Display* display = keyboard_display();
    if (found == virtual_keys.end() || display == nullptr)
        return false;
    const KeyCode x_key = XKeysymToKeycode(display, found->symbol);
    if (x_key == 0)
        return false;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    return (static_cast<unsigned char>(keys[x_key / 8]) >> (x_key % 8) & 1) != 0;
}
