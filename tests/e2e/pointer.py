"""The mouse pointer the X server shows (XFixes), as the tests see it: its size,
hot spot and how many of its pixels are drawn."""

import ctypes


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


class Pointer:
    def __init__(self):
        self._x11 = ctypes.CDLL("libX11.so.6")
        self._fixes = ctypes.CDLL("libXfixes.so.3")
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x11.XFree.argtypes = [ctypes.c_void_p]
        self._fixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
        self._fixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        self._display = self._x11.XOpenDisplay(None)

    def close(self):
        self._x11.XCloseDisplay(self._display)

    def shape(self):
        """(width, height, hot x, hot y, drawn pixels) of the pointer on show."""
        found = self._fixes.XFixesGetCursorImage(self._display)
        image = found.contents
        drawn = sum(1 for i in range(image.width * image.height) if image.pixels[i] >> 24)
        shape = (image.width, image.height, image.xhot, image.yhot, drawn)
        self._x11.XFree(found)
        return shape
