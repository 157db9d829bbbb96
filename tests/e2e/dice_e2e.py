"""Drives the real Dice Shaker under an X server the way a user would, and looks at what a user
sees.

Used by the end-to-end scripts next to it. Standard library only; the X side goes through xdotool,
xwininfo and ImageMagick's import, as a person at the keyboard would use mouse, keys and eyes.
"""

import contextlib
import ctypes
import ctypes.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

MAIN_TITLE = "Dice Shaker 1.0.0"
CREDITS_TITLE = "Credits"
WEBSITE = "https://www.quorvane.com/freeforfun"
CONTACT = "https://www.quorvane.com/write-us-now"

MAIN_CONTENT = (635, 690)
CREDITS_CONTENT = (830, 618)

# Centres of controls, in content coordinates (the content starts below the menu bar).
ROLL = (182 + 295 // 2, 502 + 31 // 2)
DICE_LOGO = (174 + 292 // 2, 54 + 232 // 2)
COPYRIGHT = (20 + 595 // 2, 559 + 38 // 2)
VISIT_WEBSITE = (174 + 153 // 2, 609 + 20 // 2)
QUIT = (332 + 150 // 2, 609 + 20 // 2)
CREDITS_LOGO = (275 + 288 // 2, 0 + 167 // 2)
CREDITS_VISIT = (275 + 134 // 2, 515 + 20 // 2)
CREDITS_CONTACT = (421 + 134 // 2, 515 + 20 // 2)
CREDITS_EXIT = (375 + 80 // 2, 547 + 20 // 2)

# Each face canvas: (side, face, left, top). A die picture is drawn at its canvas's top-left.
FACE_CANVASES = [
    ("left", 1, 174, 313), ("left", 2, 154, 313), ("left", 3, 182, 300),
    ("left", 4, 213, 320), ("left", 5, 153, 327), ("left", 6, 182, 367),
    ("right", 1, 360, 313), ("right", 2, 348, 317), ("right", 3, 348, 341),
    ("right", 4, 376, 348), ("right", 5, 369, 300), ("right", 6, 360, 367),
]
# Where the dice can be, in content coordinates: x0, y0, x1, y1 (exclusive).
DICE_AREA = (140, 290, 500, 480)
SHAKE_LABEL = (90, 341, 533, 411)
SHAKE_OFFSETS = [-10, 9, -8, 7, -6, 5, -4, 3, -2, 1, 0]

# How long a step that takes a fraction of a second on an idle machine may take before it counts
# as stuck: long enough for a machine with every core busy several times over. How fast the game
# is belongs to the benchmark (bench/), not to these tests.
PATIENCE = 20.0

_start = time.monotonic()
_started = []  # every Program started, to report on and to stop at the end


class CheckFailed(Exception):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def log(message):
    print(f"[{time.monotonic() - _start:6.2f}s] {message}", flush=True)


def run_tool(*args, timeout=10, check_rc=True):
    done = subprocess.run(args, capture_output=True, text=True, timeout=timeout)
    if check_rc and done.returncode != 0:
        raise CheckFailed(f"{' '.join(args)} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


def xdotool(*args, timeout=10, check_rc=True):
    return run_tool("xdotool", *args, timeout=timeout, check_rc=check_rc)


def wait_until(condition, timeout, interval=0.02):
    """Returns the first truthy value of condition(), or None after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


def visible_windows(title):
    out = xdotool("search", "--onlyvisible", "--name", f"^{title}$", check_rc=False)
    return [int(w) for w in out.split()]


def find_window(title, timeout=PATIENCE):
    found = wait_until(lambda: visible_windows(title), timeout)
    check(found, f'no visible window "{title}" within {timeout:.0f} s')
    check(len(found) == 1, f'{len(found)} visible windows named "{title}"')
    return Window(found[0])


def is_viewable(wid):
    out = run_tool("xwininfo", "-id", str(wid), check_rc=False)
    return "Map State: IsViewable" in out


class _X11:
    """The few Xlib calls that no command-line tool makes: client messages to a window."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_long * 12)]  # an XEvent is 24 longs

    def __init__(self):
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x11 = x11

    def send(self, wid, message, data, to_root=False):
        x11 = self.x11
        display = x11.XOpenDisplay(None)
        check(display, "cannot open the X display")
        try:
            event = self.ClientMessage()
            event.type = 33  # ClientMessage
            event.window = wid
            event.message_type = x11.XInternAtom(display, message, 0)
            event.format = 32
            for i, value in enumerate(data):
                event.data[i] = x11.XInternAtom(display, value, 0) if isinstance(value, bytes) \
                    else value
            target = x11.XDefaultRootWindow(display) if to_root else wid
            # To the root, as a pager asks the window manager: SubstructureRedirect|Notify.
            mask = (1 << 20) | (1 << 19) if to_root else 0
            check(x11.XSendEvent(display, target, 0, mask, ctypes.byref(event)) != 0,
                  "XSendEvent failed")
            x11.XFlush(display)
        finally:
            x11.XCloseDisplay(display)


def request_close(wid):
    """Sends the window the close request that a window manager's close button sends
    (WM_DELETE_WINDOW), as if a window manager ran."""
    _X11().send(wid, b"WM_PROTOCOLS", [b"WM_DELETE_WINDOW", 0])


def request_close_via_window_manager(wid):
    """Asks the running window manager to close the window, as a pager or a taskbar does; the
    manager then sends its own close request, whatever buttons it shows."""
    _X11().send(wid, b"_NET_CLOSE_WINDOW", [0, 2], to_root=True)


@contextlib.contextmanager
def x_server(arguments=()):
    """An X server (Xvfb) of its own, on a display number that it picks itself, so that it never
    races another for one; yields its display name and its process, and ends it on the way out."""
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp", "-noreset", *arguments], pass_fds=(write,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              preexec_fn=_die_with_parent)
    os.close(write)
    with os.fdopen(read) as f:
        number = f.readline().strip()
    try:
        check(number, f"Xvfb did not start (it ended with {server.poll()})")
        yield f":{number}", server
    finally:
        if server.poll() is None:
            server.kill()
        server.wait(5)


def start_window_manager():
    """Starts openbox on this display, as real desktops have a window manager, and waits until it
    manages windows. It ends with the display."""
    output = tempfile.TemporaryFile()
    process = subprocess.Popen(["openbox", "--sm-disable"], stdout=output, stderr=output,
                               preexec_fn=_die_with_parent)
    managing = wait_until(lambda: process.poll() is not None or "window id #" in run_tool(
        "xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check_rc=False), PATIENCE, 0.05)
    if not managing or process.poll() is not None:
        output.seek(0)
        said = output.read().decode(errors="replace").strip()
        how = f"did not manage the display within {PATIENCE:.0f} s" if process.poll() is None else \
            f"ended with {process.returncode}"
        raise CheckFailed(f"openbox {how}: {said!r}")
    log("openbox manages the display")
    return process


def frame_hints(wid):
    """The window's Motif hints as numbers: flags, functions, decorations; None when unset."""
    out = run_tool("xprop", "-id", str(wid), "_MOTIF_WM_HINTS", check_rc=False)
    if "=" not in out:
        return None
    return tuple(int(v, 0) for v in out.split("=", 1)[1].split(",")[:3])


class Window:
    def __init__(self, wid):
        self.id = wid

    def geometry(self):
        """(x, y, width, height) of the X window on the screen, menu bar included, frame not:
        under a window manager that puts a frame around it too."""
        out = run_tool("xwininfo", "-id", str(self.id))
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def left(self):
        return self.geometry()[0]

    def top(self):
        return self.geometry()[1]

    def move(self, x, y):
        """Moves the window as a user dragging it would (under a window manager, its frame goes
        to x, y) and returns the window's new place once it has moved."""
        before = self.geometry()[:2]
        xdotool("windowmove", str(self.id), str(x), str(y))
        after = wait_until(lambda: self.geometry()[:2] != before and self.geometry()[:2], PATIENCE)
        check(after, f"the window did not move from {before}")
        time.sleep(0.2)  # let the program see the move too
        return self.geometry()[:2]

    def title(self):
        return xdotool("getwindowname", str(self.id)).strip()

    def content_origin(self, content_height):
        """Screen position of the content's top-left: the menu bar sits above the content."""
        x, y, _, height = self.geometry()
        return x, y + (height - content_height)

    def click(self, point, content_height, button=1):
        x, y = self.content_origin(content_height)
        xdotool("mousemove", str(x + point[0]), str(y + point[1]), "click", str(button))

    def focus(self):
        # Without a window manager nothing gives the window the keyboard but us.
        xdotool("windowfocus", "--sync", str(self.id), timeout=5)

    def keys(self, *keys):
        self.focus()
        xdotool("key", "--delay", "60", *keys)

    def viewable(self):
        return is_viewable(self.id)

    def screenshot(self):
        return Image.grab(self.id)


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    @staticmethod
    def grab(wid):
        ppm = subprocess.run(["import", "-window", str(wid), "-depth", "8", "ppm:-"],
                             capture_output=True, timeout=15).stdout
        return Image.from_ppm(ppm)

    @staticmethod
    def from_ppm(data):
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        check(fields[0] == b"P6" and fields[3] == b"255", "screenshot is not an 8-bit PPM")
        width, height = int(fields[1]), int(fields[2])
        return Image(width, height, data[pos + 1:pos + 1 + width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def save_png(self, path):
        header = f"P6 {self.width} {self.height} 255\n".encode()
        subprocess.run(["convert", "ppm:-", path], input=header + self.rgb, timeout=15)


def components(mask, width, height):
    """Connected regions (4-neighbour) of a boolean mask given as a flat list, as pixel lists."""
    seen = bytearray(width * height)
    regions = []
    for start in range(width * height):
        if not mask[start] or seen[start]:
            continue
        seen[start] = 1
        stack = [start]
        pixels = []
        while stack:
            p = stack.pop()
            pixels.append(p)
            x, y = p % width, p // width
            for q, ok in ((p - 1, x > 0), (p + 1, x < width - 1), (p - width, y > 0),
                          (p + width, y < height - 1)):
                if ok and mask[q] and not seen[q]:
                    seen[q] = 1
                    stack.append(q)
        regions.append(pixels)
    return regions


class Die:
    def __init__(self, left, top, width, height, pips, red_pip, canvas):
        self.left, self.top, self.width, self.height = left, top, width, height
        self.pips, self.red_pip, self.canvas = pips, red_pip, canvas

    def __repr__(self):
        where = f"{self.canvas[0]} face {self.canvas[1]}" if self.canvas else "no canvas"
        return (f"die at ({self.left},{self.top}) {self.width}x{self.height}, {self.pips} pips"
                f"{' (red)' if self.red_pip else ''}, {where}")


def find_dice(image, content_top):
    """The die pictures seen in the dice area: regions that differ from the near-white window
    background and have a die's size; for each, its pips and the face canvas it stands at."""
    x0, y0, x1, y1 = DICE_AREA
    width, height = x1 - x0, y1 - y0
    mask = [False] * (width * height)
    for y in range(height):
        for x in range(width):
            r, g, b = image.pixel(x0 + x, content_top + y0 + y)
            mask[y * width + x] = max(abs(r - 254), abs(g - 255), abs(b - 254)) > 12
    dice = []
    for region in components(mask, width, height):
        if len(region) < 200:
            continue
        xs = [p % width for p in region]
        ys = [p // width for p in region]
        left, top = min(xs), min(ys)
        w, h = max(xs) - left + 1, max(ys) - top + 1
        if not (85 <= w <= 100 and 85 <= h <= 100):
            continue
        dice.append(_read_die(image, content_top, x0 + left, y0 + top, w, h))
    return dice


def _read_die(image, content_top, left, top, w, h):
    # Pips lie well inside the body; the outline and the shadow stay outside this margin.
    margin = 8
    iw, ih = w - 2 * margin, h - 2 * margin
    dark = [False] * (iw * ih)
    reds = 0
    for y in range(ih):
        for x in range(iw):
            r, g, b = image.pixel(left + margin + x, content_top + top + margin + y)
            if 0.299 * r + 0.587 * g + 0.114 * b < 170:
                dark[y * iw + x] = True
                if r > g + 60:
                    reds += 1
    pips = [c for c in components(dark, iw, ih) if len(c) >= 20]
    canvas = None
    for side, face, cl, ct in FACE_CANVASES:
        # The body's outline starts 3-4 points in from the picture's top-left corner.
        if abs(left - (cl + 4)) <= 3 and abs(top - (ct + 3)) <= 3:
            canvas = (side, face)
    return Die(left, top, w, h, len(pips), reds > 50, canvas)


def dark_pixels(image, content_top, box, exclude=()):
    x0, y0, x1, y1 = box
    count = 0
    for y in range(y0, y1):
        for x in range(x0, x1):
            if any(d.left <= x < d.left + d.width and d.top <= y < d.top + d.height
                   for d in exclude):
                continue
            r, g, b = image.pixel(x, content_top + y)
            count += r + g + b < 200
    return count


def main_content_top(window):
    """How far below the main window's top its content starts: the menu bar's height."""
    return window.geometry()[3] - MAIN_CONTENT[1]


def dice_on_screen(window):
    """The die faces that the main window shows."""
    return find_dice(window.screenshot(), main_content_top(window))


def check_two_dice(window, what):
    """Looks at the window: exactly two die faces, one per die, each showing the pips of the face
    canvas that it stands at."""
    content_top = main_content_top(window)
    image = window.screenshot()
    dice = find_dice(image, content_top)
    try:
        check(len(dice) == 2, f"{what}: {len(dice)} die faces on screen, expected 2: {dice}")
        sides = sorted(d.canvas[0] if d.canvas else "?" for d in dice)
        check(sides == ["left", "right"], f"{what}: the faces are not one per die: {dice}")
        for d in dice:
            check(d.pips == d.canvas[1], f"{what}: pips do not match the face: {d}")
            check(d.red_pip == (d.canvas[1] == 1), f"{what}: red pip wrong: {d}")
        stray = dark_pixels(image, content_top, SHAKE_LABEL, exclude=dice)
        check(stray < 50,
              f"{what}: {stray} dark pixels beside the dice: is the shake label still up?")
    except CheckFailed:
        save_evidence(image, what)
        raise
    return dice


def save_evidence(image, what):
    folder = os.environ.get("DICE_E2E_EVIDENCE") or tempfile.gettempdir()
    path = os.path.join(folder, "dice-e2e-" + "".join(c if c.isalnum() else "_" for c in what)
                        + f"-{os.getpid()}.png")
    image.save_png(path)
    log(f"screenshot kept at {path}")


class EdgeWatcher:
    """Records the window's left edge, as often as xdotool answers, from a background thread."""

    def __init__(self, window):
        self.window = window
        self.samples = []  # (monotonic time, left)
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)

    def __enter__(self):
        self._thread.start()
        return self

    def __exit__(self, *exc):
        self._stop.set()
        self._thread.join(5)

    def _run(self):
        while not self._stop.is_set():
            try:
                left = self.window.left()
            except (CheckFailed, subprocess.TimeoutExpired):
                continue
            self.samples.append((time.monotonic(), left))

    def positions(self):
        """The distinct successive left edges seen."""
        out = []
        for _, left in self.samples:
            if not out or out[-1] != left:
                out.append(left)
        return out

    def last_change(self):
        """When the edge was first seen at its latest place; None if it never moved."""
        changes = [t for (_, a), (t, b) in zip(self.samples, self.samples[1:]) if a != b]
        return changes[-1] if changes else None

    def resting_at(self, at, quiet):
        """Whether the edge has been seen resting at `at` for `quiet` seconds. Only what was seen
        counts: a program or an xwininfo held up by a loaded machine is not taken for a window
        that has come to rest, nor is a pause in the middle of a shake."""
        if len(self.samples) < 2 or self.samples[-1][1] != at:
            return False
        since = self.last_change() or self.samples[0][0]
        return self.samples[-1][0] - since >= quiet

    def wait_still(self, at, quiet, timeout):
        """Waits until the edge has been seen resting at `at` for `quiet` seconds."""
        return wait_until(lambda: self.resting_at(at, quiet), timeout, 0.05) is not None


def check_shake(watcher, start, what):
    """The edge must have left its place during the shake and come back to it, and every position
    seen must be one of the shake's offsets from where it started, in the shake's order."""
    seen = watcher.positions()
    check(len(seen) >= 2 and any(p != start for p in seen),
          f"{what}: the window's left edge did not move (seen {seen})")
    check(seen[-1] == start,
          f"{what}: the left edge ended at {seen[-1]}, not where it started ({start}); seen {seen}")
    expected = [start + d for d in SHAKE_OFFSETS]
    it = iter(expected)
    check(all(p in it for p in seen[1:]),
          f"{what}: positions {seen} are not the shake {expected} in order")


def _die_with_parent():
    # A test killed on its time limit must not leave the program running.
    libc = ctypes.CDLL(None)
    libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


class Program:
    """The bundle, started with a fake xdg-open first on PATH that records what is opened."""

    def __init__(self, executable, workdir):
        self.executable = executable
        self.workdir = workdir
        self.process = None
        self.opened_file = os.path.join(workdir, "opened.txt")
        self.stdout_file = os.path.join(workdir, "stdout.txt")
        self.stderr_file = os.path.join(workdir, "stderr.txt")
        bin_dir = os.path.join(workdir, "bin")
        os.makedirs(bin_dir, exist_ok=True)
        fake = os.path.join(bin_dir, "xdg-open")
        with open(fake, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{self.opened_file}"\n')
        os.chmod(fake, 0o755)
        self.env = dict(os.environ)
        for name in ("BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                     "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"):
            self.env.pop(name, None)
        self.env["PATH"] = bin_dir + os.pathsep + self.env.get("PATH", "")
        self.env["QT_QPA_PLATFORM"] = "xcb"
        self.wrapper = []  # a command that runs the program, such as setpriv
        # Where stdout and stderr go: "files" (read by stderr()), "closed pipe" (a pipe whose
        # reader has gone) or "closed" (none at all).
        self.stdio = "files"

    def start(self):
        def closed():
            _die_with_parent()
            os.close(1)
            os.close(2)
        with open(self.stdout_file, "wb") as out, open(self.stderr_file, "wb") as err:
            reader = None
            if self.stdio == "closed pipe":
                reader, out = os.pipe()
                err = out
            self.process = subprocess.Popen(
                self.wrapper + [self.executable], env=self.env, cwd=self.workdir,
                stdout=None if self.stdio == "closed" else out,
                stderr=None if self.stdio == "closed" else err,
                preexec_fn=closed if self.stdio == "closed" else _die_with_parent)
            if reader is not None:
                os.close(reader)
                os.close(out)
        _started.append(self)
        log(f"started {self.executable} as pid {self.process.pid}")
        return self

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def opened(self):
        try:
            with open(self.opened_file) as f:
                return [line.strip() for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def wait_opened(self, count, timeout=PATIENCE):
        wait_until(lambda: len(self.opened()) >= count, timeout)
        return self.opened()

    def stderr(self):
        try:
            with open(self.stderr_file, errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def status_kb(self, field):
        """A figure of /proc/PID/status in kB: VmRSS, VmHWM (peak resident), VmStk (the stack)."""
        with open(f"/proc/{self.process.pid}/status") as f:
            for line in f:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
        raise CheckFailed(f"no {field} for the program")

    def cpu_seconds(self):
        """The processor time the program has used so far, user and system."""
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def peak_mb(self):
        """The most memory the program has held resident so far, in MB."""
        return self.status_kb("VmHWM") / 1024

    def stop(self):
        if self.alive():
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(5)

    def check_no_unhandled(self):
        bad = [line for line in self.stderr().splitlines() if ": unhandled " in line]
        check(not bad, f"the program reported exceptions: {bad}")


def copy_bundle(executable, workdir):
    """A copy of the whole bundle, to take resources away from; returns the copy's executable."""
    bundle = os.path.dirname(os.path.dirname(os.path.dirname(executable)))
    copy = os.path.join(workdir, os.path.basename(bundle))
    shutil.copytree(bundle, copy, symlinks=True)
    return os.path.join(copy, os.path.relpath(executable, bundle))


def start_main(executable, workdir, timeout=PATIENCE):
    program = Program(executable, workdir).start()
    window = find_window(MAIN_TITLE, timeout)
    check(program.alive(), "the program ended right after opening its window")
    return program, window


def main(test, needs_x=True):
    """Runs test(executable, workdir, *arguments) with the arguments given after the executable,
    and turns its outcome into an exit status for CTest."""
    if len(sys.argv) < 2:
        print(f"usage: {sys.argv[0]} <path to the DiceShaker executable in its bundle> [...]")
        return 2
    executable = os.path.abspath(sys.argv[1])
    if needs_x and not os.environ.get("DISPLAY"):
        print("no DISPLAY: run under x_session.py")
        return 2
    if needs_x:
        # A display that cannot be used is said to be so, rather than taken for a program that
        # cannot start.
        probe = subprocess.run(["xprop", "-root", "-len", "0"], capture_output=True, text=True,
                               timeout=10)
        if probe.returncode != 0:
            log(f"FAIL: the X display {os.environ['DISPLAY']} cannot be used: "
                f"{probe.stderr.strip()}")
            return 1
    with tempfile.TemporaryDirectory(prefix="dice-e2e-") as workdir:
        try:
            test(executable, workdir, *sys.argv[2:])
            log("PASS")
            return 0
        except (CheckFailed, subprocess.TimeoutExpired) as failure:
            log(f"FAIL: {failure}")
            for p in _started:
                log(f"stderr of pid {p.process.pid if p.process else '-'}:\n{p.stderr()}")
            return 1
        finally:
            for p in _started:
                p.stop()
