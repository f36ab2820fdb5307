"""Real X mouse input on the toolkit demo: the first move into the window raises nothing, enter and
leave follow the pointer between widgets, a click gives 2 then 1 on the widget under the pointer,
and one wheel notch gives +60 or -60."""
import demo_support as d
import wine_harness as h

MOUSE_KINDS = {1, 2, 3, 4, 5, 6, 7}


def mouse_events(demo, mark):
    return [e for e in demo.log.events_since(mark) if e[1] in MOUSE_KINDS]


def move_outside(demo):
    # Wine passes keys on only while the pointer is over one of its windows, so nothing here
    # synchronises on a key press while the pointer is outside.
    x, y = demo.desktop
    h.move_mouse(x + 4, y + 760)  # on the desktop, clear of the window


def check_first_move_is_silent(demo):
    # Bring the pointer into the window and let red become the hovered widget.
    for step in range(3):
        demo.move_to(30 + 2 * step, 30 + step)
    demo.log.wait_for(r"^event red 5 0$")
    # Leaving clears the window's mouse-inside state (Wine notices a leave on a timer, hence the wait).
    mark = demo.log.mark()
    move_outside(demo)
    demo.log.wait_for(r"^event red 6 0$", mark)

    mark = demo.log.mark()
    demo.move_to(40, 40)
    demo.sync()
    h.check(mouse_events(demo, mark) == [], f"the first move into the window raised {mouse_events(demo, mark)}")

    # The second move is an ordinary move over the widget that is still the hovered one.
    mark = demo.log.mark()
    demo.move_to(42, 41)
    demo.log.wait_for(r"^event red 7 0$", mark)
    demo.sync()
    h.check(mouse_events(demo, mark) == [("red", 7, "0")], f"second move: {mouse_events(demo, mark)}")


def check_enter_and_leave(demo):
    mark = demo.log.mark()
    h.move_mouse(*demo.centre_of("green"))
    demo.log.wait_for(r"^event green 5 0$", mark)
    demo.sync()
    h.check(mouse_events(demo, mark) == [("red", 6, "0"), ("green", 5, "0")],
            f"moving from red to green: {mouse_events(demo, mark)}")

    # Leaving the window: the hovered widget hears it, and the next move inside is silent again.
    mark = demo.log.mark()
    move_outside(demo)
    demo.log.wait_for(r"^event green 6 0$", mark)
    mark = demo.log.mark()
    h.move_mouse(*demo.centre_of("blue"))
    demo.sync()
    h.check(mouse_events(demo, mark) == [], f"re-entering raised {mouse_events(demo, mark)}")
    bx, by = demo.centre_of("blue")
    h.move_mouse(bx + 1, by)
    demo.log.wait_for(r"^event blue 5 0$", mark)
    demo.sync()
    h.check(mouse_events(demo, mark) == [("green", 6, "0"), ("blue", 5, "0")],
            f"the second move after re-entering: {mouse_events(demo, mark)}")


def check_clicks(demo):
    h.move_mouse(*demo.centre_of("blue"))
    for xbutton, button in ((1, 0), (3, 2), (2, 1)):
        demo.sync()
        mark = demo.log.mark()
        h.click(xbutton)
        demo.log.wait_for(rf"^event blue 1 {button}$", mark)
        presses = [e for e in demo.log.events_since(mark) if e[1] in (1, 2)]
        h.check(presses == [("blue", 2, str(button)), ("blue", 1, str(button))],
                f"X button {xbutton}: expected 2 then 1 on blue, got {presses}")
    h.check(("blue", 23, "0") in demo.log.events_since(0), "the click did not give blue the focus (reason 0)")


def check_wheel(demo):
    h.move_mouse(*demo.centre_of("green"))
    for xbutton, delta in ((4, "60.0"), (5, "-60.0")):
        demo.sync()
        mark = demo.log.mark()
        h.click(xbutton)
        demo.log.wait_for(r"^event green 4 ", mark)
        wheel = [e for e in demo.log.events_since(mark) if e[1] == 4]
        h.check(wheel == [("green", 4, delta)], f"one notch with X button {xbutton}: {wheel}")


def main():
    demo = d.Demo("demo_mouse")
    for check in (check_first_move_is_silent, check_enter_and_leave, check_clicks, check_wheel):
        check(demo)
    h.key("Escape")
    h.check(demo.finish() == 42, "Escape did not end the demo")


if __name__ == "__main__":
    h.run_test(main)
