"""Real X input on the toolkit demo on GNUstep: enter and leave, clicks by their click count, the
wheel in lines of 40, keys with their characters and commands, the modifier keys, and Tab
navigation that only the left Shift key reverses."""
import ctypes
import time

import demo as d
import gnustep_support as g
import x11_harness as h

MOUSE_KINDS = {1, 2, 3, 4, 5, 6, 7}
KEY_KINDS = {8, 9, 10, 11}
DOUBLE_CLICK_TIME = 0.6  # seconds; GNUstep's default is shorter


def events_of(demo, mark, sender, kinds):
    return [(kind, param) for who, kind, param in demo.log.events_since(mark) if who == sender and kind in kinds]


def check_enter_and_leave(demo):
    mark = demo.log.mark()
    demo.move_to(*d.centre_of("red"))
    demo.move_to(d.centre_of("red")[0] + 2, d.centre_of("red")[1])
    demo.log.wait_for(r"^event red 5 0$", mark)
    # Leaving the window reaches the widget under the mouse as a leave.
    mark = demo.log.mark()
    h.move_mouse(2, 2)
    demo.log.wait_for(r"^event red 6 0$", mark)
    mark = demo.log.mark()
    demo.move_to(*d.centre_of("green"))
    demo.move_to(d.centre_of("green")[0] + 2, d.centre_of("green")[1])
    demo.log.wait_for(r"^event green 5 0$", mark)
    h.check(("red", 5, "0") not in demo.log.events_since(mark), "red heard an enter after the mouse left it")


def check_clicks(demo):
    x, y = d.centre_of("blue")
    cases = [
        # X button, click count, events on blue
        (1, 1, [(2, "0"), (1, "0")]),
        (1, 2, [(2, "0"), (1, "0"), (3, "0"), (1, "0")]),
        (1, 3, [(2, "0"), (1, "0"), (3, "0"), (1, "0"), (2, "0"), (1, "0")]),
        (3, 1, [(2, "2"), (1, "2")]),
    ]
    for index, (button, count, expected) in enumerate(cases):
        # Presses closer in time and place than a double click would count on from the case
        # before: each case clicks elsewhere, after the double-click time.
        demo.move_to(x - 30 + 20 * index, y)
        time.sleep(DOUBLE_CLICK_TIME)
        demo.sync()
        mark = demo.log.mark()
        h.xdotool("click", "--repeat", count, "--delay", 60, button)
        demo.sync()
        got = events_of(demo, mark, "blue", {1, 2, 3})
        h.check(got == expected, f"X button {button} clicked {count} times: {got}, expected {expected}")


def check_wheel(demo):
    demo.move_to(*d.centre_of("green"))
    for button, delta in ((4, "40.0"), (5, "-40.0")):
        demo.sync()
        mark = demo.log.mark()
        h.click(button)
        demo.sync()
        got = events_of(demo, mark, "green", {4})
        h.check(got == [(4, delta)], f"one wheel line with X button {button}: {got}")


def check_keys(demo):
    demo.click_at(*d.centre_of("red"))
    demo.sync()
    cases = [
        # keys, events on the focused widget; None stands for the native key code
        ("a", [(9, (None, 0x41)), (8, "65"), (11, "97"), (10, "65")]),
        ("shift", [(8, "56"), (9, (56, 56)), (10, "56")]),
        ("BackSpace", [(9, (None, 127)), (8, "127"), (11, "127"), (10, "127")]),
        ("Return", [(9, (None, 13)), (8, "13"), (11, "13"), (10, "13")]),
        # Function keys report private-use characters; they stay as they are.
        ("Left", [(9, (None, 0xF702)), (8, str(0xF702)), (10, str(0xF702))]),
    ]
    for keys, expected in cases:
        mark = demo.log.mark()
        h.key(keys)
        demo.sync()
        got = events_of(demo, mark, "red", KEY_KINDS)[:len(expected)]
        h.check(len(got) == len(expected), f"{keys}: {got}")
        for (kind, param), (want_kind, want) in zip(got, expected):
            if isinstance(want, tuple):
                code, detail = (int(v, 16) if i else int(v) for i, v in enumerate(param.split(":")))
                ok = kind == want_kind and detail == want[1] and (want[0] is None or code == want[0])
            else:
                ok = (kind, param) == (want_kind, want)
            h.check(ok, f"{keys}: {got}, expected {expected}")
        h.check(events_of(demo, mark, "window", KEY_KINDS)[:len(expected)] == got,
                f"{keys}: the window did not hear the same events after the widget")


class XTest:
    """Presses single X key codes: xdotool holds both Shift keys when asked for the right one."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.display = ctypes.c_void_p(self.x11.XOpenDisplay(None))
        h.check(self.display, "cannot open the X display")
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XStringToKeysym.restype = ctypes.c_ulong

    def code(self, name):
        return self.x11.XKeysymToKeycode(self.display, ctypes.c_ulong(self.x11.XStringToKeysym(name.encode())))

    def send(self, name, down):
        self.xtest.XTestFakeKeyEvent(self.display, self.code(name), 1 if down else 0, 0)
        self.x11.XFlush(self.display)


def check_tab(demo):
    xtest = XTest()
    # The focus starts on red; green and blue are the other focusable panels.
    cases = [
        # keys held with Tab, widget that gains the focus
        ((), "green"),
        (("Shift_L",), "red"),
        (("Shift_R",), "green"),  # only the left Shift key reverses on macOS
        ((), "blue"),
    ]
    for held, expected in cases:
        demo.sync()
        mark = demo.log.mark()
        # The key state is read when the Tab character is handled: the modifier stays down until then.
        for name in held:
            xtest.send(name, True)
        xtest.send("Tab", True)
        xtest.send("Tab", False)
        demo.log.wait_for(rf"^event {expected} 23 1$", mark)
        for name in held:
            xtest.send(name, False)
        demo.sync()
        chars = [(who, param) for who, kind, param in demo.log.events_since(mark) if kind == 11]
        h.check(chars == [("window", "9")], f"Tab with {held}: characters {chars}, expected 9 to the window only")


def main():
    demo = d.start("demo_input")
    # Shown, the window became key and main: one focus event.
    focus = [event for event in demo.log.events_since(0) if event[0] == "window" and event[1] in (23, 24)]
    h.check(focus == [("window", 23, "0")], f"the window's focus events: {focus}")
    for check in (check_enter_and_leave, check_clicks, check_wheel, check_keys, check_tab):
        check(demo)
    # Escape is character 27 (cancelOperation:) and key 27, which ends the demo with its result.
    mark = demo.log.mark()
    h.key("Escape")
    h.check(demo.finish() == 42, "Escape did not end the demo with exit code 42")
    h.check(("window", 11, "27") in demo.log.events_since(mark), "Escape gave no character 27")
    h.check(not demo.zombie_messages(), f"messages to released objects: {demo.zombie_messages()}")


if __name__ == "__main__":
    g.run(main)
