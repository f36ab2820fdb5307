"""The widget gallery under Wine with real X input: a click on a check box toggles it and its bound
flag, hovering a button changes its colour, and the scroll arrow and the wheel move the panel."""
import gallery_support as g
import wine_harness as h


def check_box_click(gallery):
    box_inside = (g.FLAG_BOX[0] + 1, g.FLAG_BOX[1] + 1, g.FLAG_BOX[2] - 2, g.FLAG_BOX[3] - 2)
    checked_inside = (g.CHECKED_BOX[0] + 1, g.CHECKED_BOX[1] + 1, g.CHECKED_BOX[2] - 2, g.CHECKED_BOX[3] - 2)
    before = gallery.shot
    h.check(gallery.region(before, box_inside) != gallery.region(before, checked_inside),
            "the unchecked box already looks like the checked one")

    mark = gallery.log.mark()
    gallery.click_at(*g.centre(g.FLAG_BOX))
    gallery.log.wait_for(r"^flag 1$", mark)
    # The box now shows the same checked frame as the "Checked" box beside it.
    gallery.wait_for("check_box_checked",
                     lambda shot: gallery.region(shot, box_inside) == gallery.region(shot, checked_inside),
                     "the check box to show its checked frame")

    mark = gallery.log.mark()
    gallery.click_at(*g.centre(g.FLAG_BOX))
    gallery.log.wait_for(r"^flag 0$", mark)
    gallery.wait_for("check_box_cleared",
                     lambda shot: gallery.region(shot, box_inside) == gallery.region(before, box_inside),
                     "the check box to show its unchecked frame again")


def button_hover(gallery):
    sample = (g.NORMAL_BUTTON[0] + 4, g.NORMAL_BUTTON[1] + 4)
    gallery.move_to(200, 180)
    gallery.wait_for("button_normal", lambda shot: h.close_to(gallery.pixel(shot, *sample), g.BUTTON_NORMAL, 2),
                     "the button's normal colour")
    mark = gallery.log.mark()
    gallery.move_to(*g.centre(g.NORMAL_BUTTON))
    gallery.move_to(g.centre(g.NORMAL_BUTTON)[0] + 2, g.centre(g.NORMAL_BUTTON)[1])
    gallery.log.wait_for(r"^event normal 5 0$", mark)
    gallery.wait_for("button_hovered", lambda shot: h.close_to(gallery.pixel(shot, *sample), g.BUTTON_HOVER, 2),
                     "the button's hover colour")
    mark = gallery.log.mark()
    gallery.move_to(200, 180)
    gallery.log.wait_for(r"^event normal 6 0$", mark)
    gallery.wait_for("button_left", lambda shot: h.close_to(gallery.pixel(shot, *sample), g.BUTTON_NORMAL, 2),
                     "the button's normal colour after leaving")


def scrolling(gallery):
    # Rows are 24 high every 30 from content y 6 and alternate between the row colour and the
    # content colour; the probe sits right of their text. Before scrolling client y 220 lies in
    # row 1 (content y 24); one step (-10) puts it in the gap below row 1 (content y 34).
    probe = (g.VIEWPORT[0] + 180, 220)
    h.check(h.close_to(gallery.pixel(gallery.shot, *probe), g.ROW_COLOR, 2), "row 1 is not where it should be")

    mark = gallery.log.mark()
    gallery.click_at(*g.centre(g.END_ARROW))
    gallery.log.wait_for(r"^scroll -10$", mark)
    gallery.wait_for("scrolled_by_arrow", lambda shot: h.close_to(gallery.pixel(shot, *probe), g.CONTENT_COLOR, 2),
                     "the panel to move up by one step")

    # One wheel notch toward the user over a label inside the panel scrolls 60 further.
    mark = gallery.log.mark()
    gallery.move_to(g.VIEWPORT[0] + 100, g.VIEWPORT[1] + 60)
    h.click(5)
    gallery.log.wait_for(r"^scroll -70$", mark)
    # At -70 client y 220 is content y 94, in the gap above row 4, and client y 214 is in row 3.
    gallery.wait_for("scrolled_by_wheel",
                     lambda shot: h.close_to(gallery.pixel(shot, *probe), g.CONTENT_COLOR, 2)
                     and h.close_to(gallery.pixel(shot, probe[0], 214), g.ROW_COLOR, 2),
                     "the panel to move by one wheel notch")

    mark = gallery.log.mark()
    h.click(4)
    gallery.log.wait_for(r"^scroll -10$", mark)


def main():
    gallery = g.Gallery("gallery_widgets")
    check_box_click(gallery)
    button_hover(gallery)
    scrolling(gallery)
    gallery.finish()


if __name__ == "__main__":
    h.run_test(main)
