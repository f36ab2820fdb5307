"""The toolkit demo on GNUstep: its layout in client DIPs (see examples/toolkit_demo/demo_window.cpp)."""
import os

import gnustep_support as g
from demo_support import PANELS, ROOT_COLOR, WHITE  # noqa: F401 (the layout, shared with the Wine tests)

BARE_ROOT = (470, 300)  # a point of the root widget that no panel covers


def centre_of(panel):
    x, y, w, hgt, _ = PANELS[panel]
    return x + w // 2, y + hgt // 2


def start(name, args=()):
    demo = g.Program(name, os.environ["TOOLKIT_DEMO_BIN"], ROOT_COLOR, args)
    demo.take_focus(*BARE_ROOT, logged=r"^event root 1 0$")
    demo.sync()
    return demo
