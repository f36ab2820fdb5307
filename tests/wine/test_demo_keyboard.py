"""Real X keyboard input on the toolkit demo: key down, its native detail, the character and key
up reach the focused widget and then the window; Tab and Shift+Tab move the focus; Alt+F4 closes
the window like its close button."""
import demo_support as d
import wine_harness as h

KEY_KINDS = {8, 9, 10, 11}
VK_A = 65
SCAN_A = 0x1E


def check_key_events(demo):
    h.move_mouse(*demo.centre_of("red"))
    h.click(1)
    demo.log.wait_for(r"^event red 1 0$")
    demo.sync()
    mark = demo.log.mark()
    h.key("a")
    demo.log.wait_for(rf"^event window 10 {VK_A}$", mark)
    events = [e for e in demo.log.events_since(mark) if e[1] in KEY_KINDS]
    kinds = [(sender, kind) for sender, kind, _ in events]
    h.check(kinds == [("red", 8), ("window", 8), ("red", 9), ("window", 9), ("red", 11), ("window", 11),
                      ("red", 10), ("window", 10)], f"events of one key press: {events}")
    params = {(sender, kind): param for sender, kind, param in events}
    h.check(params[("red", 8)] == str(VK_A) and params[("red", 10)] == str(VK_A), f"key codes: {events}")
    h.check(params[("red", 11)] == str(ord("a")), f"character: {params[('red', 11)]}")
    key_code, detail = params[("red", 9)].split(":")
    detail = int(detail, 16)
    h.check(int(key_code) == VK_A, f"native detail key code {key_code}")
    h.check(detail & 0xFFFF == 1, f"repeat count in the native detail is {detail & 0xFFFF}")
    h.check((detail >> 16) & 0xFF == SCAN_A, f"scan code in the native detail is {(detail >> 16) & 0xFF:#x}")
    h.check(detail >> 31 == 0, "a key-down detail carries the transition bit")


def press_tab(demo, keys, expected_focus, previous):
    demo.sync()
    mark = demo.log.mark()
    h.key(keys)
    demo.log.wait_for(rf"^event {expected_focus} 23 1$", mark)
    demo.sync()
    events = demo.log.events_since(mark)
    h.check((previous, 24, "1") in events, f"{keys}: {previous} did not lose the focus: {events}")
    h.check(("window", 11, "9") in events, f"{keys}: the window did not get the Tab character: {events}")
    h.check(not any(kind == 11 and sender != "window" for sender, kind, _ in events),
            f"{keys}: the Tab character reached a widget: {events}")


def check_tab(demo):
    press_tab(demo, "Tab", "green", "red")
    press_tab(demo, "Tab", "blue", "green")
    press_tab(demo, "Tab", "red", "blue")  # wraps round: the other panels are not focusable
    press_tab(demo, "shift+Tab", "blue", "red")


def main():
    demo = d.Demo("demo_keyboard")
    check_key_events(demo)
    check_tab(demo)
    demo.sync()
    mark = demo.log.mark()
    h.key("alt+F4")
    h.check(demo.finish() == 40, "Alt+F4 did not close the window and end the program with exit code 40")
    h.check(("window", 8, "115") in demo.log.events_since(mark), "F4 with Alt did not reach the window as a key")
    h.check("modal_result 0" in demo.log.lines(), "closing did not leave the modal result at 0")


if __name__ == "__main__":
    h.run_test(main)
