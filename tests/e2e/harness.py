"""Drives the real Pathbook.exe under Wine in an X server.

Expects DISPLAY, WINEPREFIX and the paths PATHBOOK_EXE and PATHBOOK_PROBE in the
environment (scripts/test.sh sets them up). Input goes through xdotool's XTEST
events, as a user's keyboard would send it; what is checked is what a user sees:
window titles, which window is in front, files on disk.
"""

import glob
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

EXE = os.environ.get("PATHBOOK_EXE", "")
PROBE = os.environ.get("PATHBOOK_PROBE", "")
RECORDER = os.environ.get("PATHBOOK_RECORDER", "")
VIEW_HOST = os.environ.get("PATHBOOK_VIEW_HOST", "")
MAIN_CLASS = "Pathbook MainWnd"
EN = "Pathbook"
JA = "パスブック"
JA_ENV = {"LC_ALL": "ja_JP.UTF-8"}
MENU_CLASS = "#32768"


def wait_until(condition, timeout=20.0, interval=0.1):
    """Polls condition() until it returns a true value; returns the last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


class Window:
    def __init__(self, fields):
        self.handle = int(fields[0])
        self.title = fields[1]
        self.iconic = fields[2] == "1"
        self.foreground = fields[3] == "1"
        self.visible = fields[4] == "1"
        self.zoomed = fields[5] == "1"


def probe(*args, desktop=None):
    """Runs e2e-probe.exe, inside the named Wine virtual desktop when given
    (windows of a virtual desktop are seen only from within it)."""
    if desktop is None:
        return subprocess.run(["wine", PROBE] + list(args), capture_output=True, text=True, encoding="utf-8",
                              timeout=30).stdout
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "probe.txt")
        # The desktop must exist already, or this would start a new one that stays.
        if not wait_until(lambda: x_windows_named(desktop + " - Wine desktop")):
            raise AssertionError("no Wine desktop %s" % desktop)
        launcher = subprocess.Popen(["wine", "explorer", "/desktop=" + desktop, PROBE, "--out",
                                     "Z:" + out.replace("/", "\\")] + list(args),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def finished_output():
            if not os.path.exists(out):
                return None
            with open(out, encoding="utf-8") as result:
                text = result.read()
            return text[:-2] if text.endswith(".\n") else None

        text = wait_until(finished_output, timeout=20)
        try:
            launcher.wait(timeout=20)
        except subprocess.TimeoutExpired:
            launcher.kill()
            launcher.wait()
        if text is None:
            raise AssertionError("e2e-probe gave no answer inside desktop %s" % desktop)
        return text


def main_windows(desktop=None, visible_only=True):
    """The main windows of every running instance, in the system's order."""
    windows = [Window(line.split("\t")) for line in probe(desktop=desktop).splitlines() if line.count("\t") == 5]
    return [w for w in windows if w.visible or not visible_only]


def running_instances():
    """Process ids of the Pathbook instances of this Wine prefix, with a window or not."""
    prefix = ("WINEPREFIX=" + os.environ.get("WINEPREFIX", "")).encode()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command = f.read().decode("utf-8", "replace")
            with open("/proc/%s/environ" % pid, "rb") as f:
                environment = f.read().split(b"\0")
        except OSError:
            continue
        # Wine shows the Windows command line: the program is the first ".exe" in it.
        if re.match(r"(?:(?!\.exe).)*pathbook\.exe", command, re.I | re.S) and prefix in environment:
            found.append(int(pid))
    return found


def x_windows_named(title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title)],
                            capture_output=True, text=True, timeout=30)
    return [int(w) for w in result.stdout.split()]


def send_keys(title, *keys):
    """Focuses the X window with this title and presses the keys there."""
    xid = wait_until(lambda: x_windows_named(title))
    if not xid:
        raise AssertionError("no X window titled %r" % title)
    subprocess.run(["xdotool", "windowfocus", "--sync", str(xid[0])], timeout=30, check=True)
    subprocess.run(["xdotool", "key", "--delay", "50"] + list(keys), timeout=30, check=True)


def press(*keys):
    """Presses the keys in whatever window has the keyboard focus."""
    subprocess.run(["xdotool", "key", "--delay", "50"] + list(keys), timeout=30, check=True)


def close_box(window, desktop):
    """The screen point of a window's close box."""
    out = probe("closebox", str(window.handle), desktop=desktop).split()
    if len(out) != 2:
        raise AssertionError("no close box found on window %d" % window.handle)
    return int(out[0]), int(out[1])


def click_on_desktop(desktop, x, y):
    """Clicks at screen point (x, y) of a Wine virtual desktop, where Wine draws the window frames."""
    (xid,) = wait_until(lambda: x_windows_named(desktop + " - Wine desktop"))
    subprocess.run(["xdotool", "mousemove", "--window", str(xid), str(x), str(y), "click", "1"],
                   timeout=30, check=True)


def colour_counts(xid, left, top, width, height):
    """{(r, g, b): pixel count} in a rectangle of X window `xid`, from a screenshot."""
    out = subprocess.run(["import", "-window", str(xid), "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                          "+repage", "-depth", "8", "-format", "%c", "histogram:info:-"],
                         capture_output=True, text=True, timeout=30).stdout
    counts = {}
    for line in out.splitlines():
        match = re.match(r"\s*(\d+):\s*\((\d+),(\d+),(\d+)", line)
        if match:
            counts[tuple(int(v) for v in match.groups()[1:])] = int(match.group(1))
    return counts


def screenshot(xid, path):
    """Saves X window `xid` as a PNG file."""
    subprocess.run(["import", "-window", str(xid), path], timeout=30, check=True)


def keep_screenshot(xid, name):
    """A picture of X window `xid` for a person to look at, in $PATHBOOK_SHOTS (default: the temporary folder)."""
    screenshot(xid, os.path.join(os.environ.get("PATHBOOK_SHOTS") or tempfile.gettempdir(), name + ".png"))


def x_geometry(xid):
    """(x, y, width, height) of X window `xid` on the screen."""
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(xid)], capture_output=True, text=True,
                         timeout=30).stdout
    values = dict(line.split("=") for line in out.split())
    return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


def start_wineserver_again():
    """Ends every Wine process of the prefix and starts the server and Wine's
    services afresh, which then read settings such as the system DPI anew."""
    # The server and the services stay running: none may hold a pipe of ours.
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    subprocess.run(["wineserver", "-k"], **quiet)
    subprocess.run(["wineserver", "-w"], **quiet)
    subprocess.run(["wineserver", "-p"], **quiet)
    subprocess.run(["wine", "cmd.exe", "/c", "exit"], **quiet)
    # The first program after a fresh start may take long to come up.
    subprocess.run(["wine", PROBE, "foreground"], **quiet)


def windows_path(path):
    """The Wine path (drive Z:) of a Linux path."""
    return "Z:" + path.replace("/", "\\")


def product(env=None):
    """The program's name in the titles of a process started with `env`."""
    return JA if (env or {}).get("LC_ALL", "").startswith("ja") else EN


def title_of(path, marks="", name=EN):
    """A main window's title for the note at Linux path `path` (None: untitled), `marks` after it."""
    return "%s%s - %s" % (windows_path(path) if path else "untitled", marks, name)


def modified(title):
    """The title of the same window once its document is modified."""
    return title.replace(" - ", " * - ", 1)


def numbers(text):
    return [int(v) for v in text.split()]


def rect(*args):
    """The four numbers of a rectangle that the probe gives for `args`; None without one."""
    fields = numbers(probe(*args))
    return tuple(fields) if len(fields) == 4 else None


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], timeout=60, check=True)


def click_at(x, y):
    # Apart from the click before, or the two would make a double click.
    time.sleep(0.6)
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], timeout=30, check=True)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def drive_c_path(path):
    """The Wine path (drive C:) of a Linux path inside the prefix's drive_c."""
    root = os.path.join(os.environ["WINEPREFIX"], "drive_c")
    return "C:\\" + os.path.relpath(path, root).replace("/", "\\")


def user_folder():
    """The Wine user's profile folder (Linux path)."""
    users = [u for u in glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*"))
             if os.path.basename(u) != "Public"]
    return users[0]


def app_data():
    return os.path.join(user_folder(), "AppData", "Roaming")


def local_data():
    """%LOCALAPPDATA%\\Pathbook: the recovery journals and caches of this machine."""
    return os.path.join(user_folder(), "AppData", "Local", "Pathbook")


def clear_local_data():
    """Journals and caches of the case before, which must not be offered to the next."""
    shutil.rmtree(local_data(), ignore_errors=True)


def recovery_journals():
    """The journal files a crash would leave (Linux paths)."""
    return sorted(glob.glob(os.path.join(local_data(), "Recovery", "*.journal")))


def temp_folder():
    folder = os.path.join(user_folder(), "Temp")
    os.makedirs(folder, exist_ok=True)
    return folder


def settings_path():
    return os.path.join(app_data(), "Pathbook.ini")


def write_settings(**keys):
    """Writes the user's settings section: only these keys."""
    section = os.path.basename(user_folder())
    lines = ["[%s]" % section] + ["%s=%s" % (k, v) for k, v in keys.items()]
    with open(settings_path(), "w", encoding="utf-8", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def read_setting(key):
    try:
        with open(settings_path(), encoding="utf-8", errors="replace") as f:
            for line in f:
                if line.strip().startswith(key + "="):
                    return line.strip().split("=", 1)[1]
    except FileNotFoundError:
        pass
    return None


def write_favorites(entries):
    """DocList.txt: an empty header line, then "code,path" per favourite (slot 0 is the home page)."""
    text = "\r" + "".join("%d,%s\r" % (code, path) for code, path in entries)
    with open(os.path.join(app_data(), "DocList.txt"), "wb") as f:
        f.write(text.encode("utf-16-le"))


def reset_settings():
    for name in ("Pathbook.ini", "DocList.txt"):
        try:
            os.remove(os.path.join(app_data(), name))
        except FileNotFoundError:
            pass


def status(window):
    """[part 0, part 1, part 2], whether the bar is visible, (editor top, editor bottom, client bottom)."""
    lines = probe("status", str(window.handle)).split("\n")
    parts = lines[:3]
    visible = lines[3] == "visible 1"
    fields = lines[4].split()
    return parts, visible, (int(fields[1]), int(fields[2]), int(fields[4]))


def toolbar(window):
    """{button id: (state bits, text)}."""
    buttons = {}
    for line in probe("toolbar", str(window.handle)).splitlines():
        fields = line.split("\t")
        if len(fields) == 3:
            buttons[int(fields[0])] = (int(fields[1]), fields[2])
    return buttons


def popups():
    """[(handle, class, title, [(id, class, text)], owner)] of visible top-level windows other than main windows."""
    windows = []
    for line in probe("popups").splitlines():
        fields = line.split("\t")
        if line.startswith("\t") and windows and len(fields) == 4:
            windows[-1][3].append((int(fields[1]), fields[2], fields[3]))
        elif len(fields) == 4:
            windows.append((int(fields[0]), fields[1], fields[2], [], int(fields[3])))
    return windows


def popup_titled(title, timeout=10.0):
    return wait_until(lambda: next((p for p in popups() if p[2] == title), None), timeout)


def popup_where(test, timeout=20.0):
    """The first pop-up for which test(pop-up) holds, once it shows."""
    return wait_until(lambda: next((p for p in popups() if test(p)), None), timeout)


def box_saying(words, timeout=20.0):
    """The pop-up one of whose controls' texts holds `words`, once it shows."""
    return popup_where(lambda p: any(words in c[2] for c in p[3]), timeout)


def controls(popup):
    """{control id: text} of a pop-up (static texts share id -1: the last wins)."""
    return {c[0]: c[2] for c in popup[3]}


def labels(popup):
    """The texts of a pop-up's controls, labels without an id of their own included."""
    return [c[2] for c in popup[3]]


def menu_on_show(timeout=10.0):
    """A drop-down or context menu on show, or None."""
    return popup_where(lambda p: p[1] == MENU_CLASS, timeout)


def no_menu_on_show():
    return wait_until(lambda: not any(p[1] == MENU_CLASS for p in popups()), timeout=10)


def click_button(window, button, where=0.5):
    """A click on a toolbar button, `where` across it from its left edge."""
    left, top, right, bottom = wait_until(lambda: rect("buttonrect", str(window.handle), str(button)))
    click_at(left + int((right - left) * where), (top + bottom) // 2)


def bring_forward(window):
    """Raises the window above the others, so that a click at its buttons reaches it."""
    xid = wait_until(lambda: x_windows_named(window.title))
    if not xid:
        raise AssertionError("no X window titled %r" % window.title)
    subprocess.run(["xdotool", "windowraise", str(xid[0])], timeout=30, check=True)
    time.sleep(0.3)


def drop_down(window, button, where=0.5):
    """Clicks the toolbar button; (left, top, right, bottom) of the menu it drops down."""
    click_button(window, button, where)
    menu = menu_on_show()
    if menu is None:
        raise AssertionError("no drop-down menu on show")
    return rect("rect", str(menu[0]))


def shoot(name):
    """Screenshots for a person to look at, when PATHBOOK_SHOTS names a folder: the screen, and
    each menu on show on its own (a screenshot of the screen leaves Wine's menus black)."""
    shots = os.environ.get("PATHBOOK_SHOTS")
    if not shots:
        return
    time.sleep(0.5)
    subprocess.run(["import", "-window", "root", os.path.join(shots, name + ".png")], timeout=60)
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True, timeout=30).stdout
    menus = [line.split()[0] for line in tree.splitlines() if "(has no name)" in line and "pathbook.exe" in line]
    for n, xid in enumerate(menus):
        subprocess.run(["import", "-window", xid, os.path.join(shots, "%s-menu%d.png" % (name, n))], timeout=30)


def editor_text(window):
    return probe("text", str(window.handle))


def editor_lines(window):
    """The editor's text with its line breaks as "\\n"."""
    return editor_text(window).replace("\r\n", "\n")


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


def post_command(window, command_id):
    probe("command", str(window.handle), str(command_id))


class PathbookTestCase(unittest.TestCase):
    """Starts instances and makes sure none outlives its test."""

    def setUp(self):
        if not EXE or not PROBE or not os.environ.get("DISPLAY"):
            self.skipTest("needs PATHBOOK_EXE, PATHBOOK_PROBE and an X server")
        self.processes = []
        self.assertEqual(main_windows(), [], "a Pathbook window was left over from before")
        reset_settings()
        clear_local_data()
        # The test's own notes, removed with it.
        self.folder = tempfile.mkdtemp(prefix="pb-e2e-")
        self.addCleanup(self.remove_folder)

    def remove_folder(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def note(self, name, data=b"text\r\n"):
        """Writes a note into the test's folder; its Linux path."""
        return write_file(os.path.join(self.folder, name), data)

    def show(self, path, *args, env=None):
        """Starts Pathbook on the note at `path`, options `args` first; (title, window) once the window shows it."""
        title = title_of(path, name=product(env))
        self.start(*args, windows_path(path), env=env)
        return title, self.wait_for_title(title)

    def open_note(self, name, data=b"text\r\n", *args, env=None):
        """Starts Pathbook on a new note; (path, title, window) once the window shows it."""
        path = self.note(name, data)
        return (path,) + self.show(path, *args, env=env)

    def start_untitled(self, *args, env=None):
        """Starts Pathbook without a note; its window once it shows."""
        self.start(*args, env=env)
        return self.wait_for_title(title_of(None, name=product(env)))

    def selection(self, title):
        """The editor's selection in the window titled so, copied with Ctrl+C."""
        probe("dropfiles", "C:\\none")  # something else on the clipboard first
        send_keys(title, "ctrl+c")
        return wait_until(lambda: (lambda text: text if text != "" and "none" not in text else None)(
            probe("clipboard")), timeout=10)

    def close_popup(self, title, *keys):
        """Presses the keys in the pop-up titled so, which then closes."""
        send_keys(title, *keys)
        self.assertTrue(wait_until(lambda: popup_titled(title, timeout=0) is None), "%r stayed open" % title)

    def dismiss(self, box, key="Return"):
        """Answers a pop-up from popups() with the key; it then closes."""
        self.assertIsNotNone(box, "no such pop-up among %r" % [p[2] for p in popups()])
        send_keys(box[2], key)
        self.assertTrue(wait_until(lambda: not any(p[0] == box[0] for p in popups())), "%r stayed open" % box[2])

    def exit_all(self):
        """Every window closed as a user would, and every process gone (they write settings after their windows)."""
        probe("closeall")
        self.assertTrue(wait_until(lambda: not main_windows(visible_only=False)))
        self.assertTrue(wait_until(lambda: not running_instances(), timeout=60))

    def tearDown(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(timeout=30)
        # Instances that Pathbook started itself are closed as a user would. A
        # window that is closing stays findable, hidden, for a moment: the next
        # test would hand off to it. After its window a closing instance still
        # writes its settings, which would overwrite the next test's.
        if main_windows(visible_only=False):
            probe("closeall")
        wait_until(lambda: not main_windows(visible_only=False), timeout=20)
        # A loaded machine may take long to end them.
        wait_until(lambda: not running_instances(), timeout=60)

    def start(self, *args, env=None, exe=None, cwd=None):
        process = subprocess.Popen(["wine", exe or EXE] + list(args), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, env=dict(os.environ, **(env or {})), cwd=cwd)
        self.processes.append(process)
        return process

    def start_on_desktop(self, desktop, *args):
        """Starts Pathbook inside a Wine virtual desktop, which draws frames and caption buttons."""
        process = subprocess.Popen(["wine", "explorer", "/desktop=%s,800x600" % desktop, EXE] + list(args),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def wait_for_title(self, title, timeout=20.0):
        """The one main window once its title is `title`."""
        window = wait_until(lambda: next((w for w in main_windows() if w.title == title), None), timeout)
        self.assertIsNotNone(window, "no window titled %r; titles: %r" % (title, [w.title for w in main_windows()]))
        return window

    def wait_for_windows(self, count, timeout=30.0, desktop=None):
        windows = wait_until(lambda: (lambda ws: ws if len(ws) == count else None)(main_windows(desktop)), timeout)
        self.assertIsNotNone(windows, "expected %d main window(s), found %d" % (count, len(main_windows(desktop))))
        return windows
