"""The demo's repeating timer raises event 15 with its value, never faster than its interval; the
title bar's close button ends the modal loop without a toolkit event, and the program exits."""
import demo_support as d
import wine_harness as h

INTERVAL_MS = 150


def check_timer(demo):
    def ticks():
        found = [line for line in demo.log.lines() if line.startswith("event root 15 ")]
        return found if len(found) >= 6 else None
    lines = h.wait_until(ticks, what="six timer ticks")
    values = {line.split()[3] for line in lines}
    h.check(values == {"1"}, f"timer values {values}, expected the id value 1")
    times = [int(line.split("at=")[1]) for line in lines]
    h.check(all(b >= a for a, b in zip(times, times[1:])), "timer ticks out of order")
    # A lower bound only: a busy machine may delay ticks, but none may come early in bulk.
    h.check(times[-1] - times[0] >= (len(times) - 1) * INTERVAL_MS * 0.8,
            f"{len(times)} ticks took {times[-1] - times[0]} ms at a {INTERVAL_MS} ms interval")


def find_close_button(demo):
    """The darkest pixel of the caption's right end: the close button's glyph."""
    client_right = demo.to_screen(480, 0)[0]
    top = demo.origin[1]
    region = (client_right - 30, top - 24, client_right + 2, top - 2)
    darkest = None
    for y in range(region[1], region[3]):
        for x in range(region[0], region[2]):
            value = sum(demo.shot.pixel(x, y))
            if darkest is None or value < darkest[0]:
                darkest = (value, x, y)
    h.check(darkest and darkest[0] < 150, "no close button glyph found at the caption's right end")
    return darkest[1], darkest[2]


def main():
    demo = d.Demo("demo_timer_and_close", ["--timer", str(INTERVAL_MS)])
    check_timer(demo)
    x, y = find_close_button(demo)
    h.move_mouse(x, y)
    h.click(1)
    h.check(demo.finish() == 40, "closing the window did not end the program with exit code 40")
    lines = demo.log.lines()
    h.check("modal_result 0" in lines, "the modal loop did not end with result 0")
    h.check("event window 26 0" not in lines, "closing raised the hidden event, which only end_modal raises")


if __name__ == "__main__":
    h.run_test(main)
