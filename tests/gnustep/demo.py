"""The toolkit demo on GNUstep: its layout in client DIPs (see examples/toolkit_demo/demo_window.cpp)."""
import os

import gnustep_support as g

ROOT_COLOR = (220, 224, 232)
WHITE = (255, 255, 255)
BARE_ROOT = (470, 300)  # a point of the root widget that no panel covers

# name: (x, y, width, height, colour)
PANELS = {
    "red": (16, 16, 88, 48, (200, 40, 40)),
    "green": (120, 16, 88, 48, (40, 160, 60)),
    "blue": (224, 16, 88, 48, (40, 80, 200)),
    "text": (16, 80, 296, 120, WHITE),
    "images": (16, 216, 296, 40, WHITE),
    "lines": (16, 272, 296, 64, WHITE),
    "banner": (328, 16, 136, 150, (250, 250, 250)),
    "shadowed": (340, 200, 110, 60, (240, 200, 60)),
}


def centre_of(panel):
    x, y, w, hgt, _ = PANELS[panel]
    return x + w // 2, y + hgt // 2


def start(name, args=()):
    demo = g.Program(name, os.environ["TOOLKIT_DEMO_BIN"], ROOT_COLOR, args)
    demo.take_focus(*BARE_ROOT, logged=r"^event root 1 0$")
    demo.sync()
    return demo
