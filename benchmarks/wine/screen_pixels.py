"""Single pixels of the X screen, read straight from the X server through libX11: fast enough to
poll every few milliseconds, where a screenshot with /usr/bin/import takes a tenth of a second."""
import ctypes
import os

_ALL_PLANES = ctypes.c_ulong(-1 & 0xFFFFFFFFFFFFFFFF)
_Z_PIXMAP = 2


class _ImageFunctions(ctypes.Structure):
    _fields_ = [("create_image", ctypes.c_void_p), ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)),
                ("get_pixel", ctypes.c_void_p), ("put_pixel", ctypes.c_void_p), ("sub_image", ctypes.c_void_p),
                ("add_pixel", ctypes.c_void_p)]


class _Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong), ("obdata", ctypes.c_void_p),
                ("f", _ImageFunctions)]


class Screen:
    def __init__(self):
        self._x = ctypes.cdll.LoadLibrary("libX11.so.6")
        self._x.XOpenDisplay.restype = ctypes.c_void_p
        self._x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._x.XDefaultRootWindow.restype = ctypes.c_ulong
        self._x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self._x.XGetImage.restype = ctypes.POINTER(_Image)
        self._x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                      ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self._x.XGetPixel.restype = ctypes.c_ulong
        self._x.XGetPixel.argtypes = [ctypes.POINTER(_Image), ctypes.c_int, ctypes.c_int]
        self._display = self._x.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self._display:
            raise RuntimeError(f"cannot open the X display {os.environ['DISPLAY']}")
        self._root = self._x.XDefaultRootWindow(self._display)

    def pixel(self, x, y):
        """(r, g, b) of the screen pixel at (x, y); a 24-bit TrueColor screen, as Xvfb's."""
        image = self._x.XGetImage(self._display, self._root, x, y, 1, 1, _ALL_PLANES, _Z_PIXMAP)
        if not image:
            return None
        value = self._x.XGetPixel(image, 0, 0)
        image.contents.f.destroy_image(ctypes.cast(image, ctypes.c_void_p))
        return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF
