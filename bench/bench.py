#!/usr/bin/env python3
"""Measures Dice Shaker beside a bare Qt window under an X server and prints one table.

usage: bench.py <DiceShaker executable> <BareWindow executable>   (run it under xvfb-run)

Window events are taken from the X server itself (MapNotify, ConfigureNotify) and clicks are
injected with XTEST, both through libX11/libXtst with ctypes, so that timings are not blurred by
starting a helper process per sample. Standard library only.
"""

import ctypes
import ctypes.util
import os
import select
import signal
import statistics
import subprocess
import sys
import time

RUNS = 10
ROLLS = 10
CONTENT_HEIGHT = 690
ROLL_BUTTON = (182 + 295 // 2, 502 + 31 // 2)
APP_TITLE = b"Dice Shaker 1.0.0"
BARE_TITLE = b"Bare Window"
SHAKE_OFFSETS = [-10, 9, -8, 7, -6, 5, -4, 3, -2, 1, 0]
TICKS = len(SHAKE_OFFSETS)

MAP_NOTIFY = 19
CONFIGURE_NOTIFY = 22
STRUCTURE_NOTIFY_MASK = 1 << 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

TARGETS = {
    "startup": 1.15,  # at most this many times the bare window
    "memory": 1.25,
    "shake_cpu": 3.0,  # % of a core
    "tick_deviation": 2.0,  # ms, worst
    "first_tick": 120.0,  # ms
}


class MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class ConfigureEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("x", ctypes.c_int), ("y", ctypes.c_int),
                ("width", ctypes.c_int), ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("above", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", MapEvent), ("configure", ConfigureEvent),
                ("pad", ctypes.c_long * 24)]


class Display:
    def __init__(self):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        x = self.x11
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XPending", "XConnectionNumber", "XFlush", "XDefaultScreen"):
            getattr(x, name).argtypes = [ctypes.c_void_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                 ctypes.POINTER(ctypes.c_char_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.d = x.XOpenDisplay(None)
        if not self.d:
            sys.exit("bench.py: cannot open the X display; run it under xvfb-run")
        self.fd = x.XConnectionNumber(self.d)
        self.root = x.XDefaultRootWindow(self.d)
        x.XSelectInput(self.d, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        x.XSync(self.d, 0)
        self.event = XEvent()

    def next_event(self, deadline):
        """The next event and when it arrived, or (None, None) at the deadline."""
        while True:
            if self.x11.XPending(self.d):
                self.x11.XNextEvent(self.d, ctypes.byref(self.event))
                return self.event, time.perf_counter()
            remaining = deadline - time.perf_counter()
            if remaining <= 0:
                return None, None
            select.select([self.fd], [], [], remaining)

    def drain(self):
        while self.x11.XPending(self.d):
            self.x11.XNextEvent(self.d, ctypes.byref(self.event))

    def name(self, window):
        out = ctypes.c_char_p()
        if not self.x11.XFetchName(self.d, window, ctypes.byref(out)) or not out.value:
            return b""
        value = out.value
        self.x11.XFree(out)
        return value

    def watch(self, window):
        self.x11.XSelectInput(self.d, window, STRUCTURE_NOTIFY_MASK)
        self.x11.XSync(self.d, 0)

    def click(self, x, y):
        """Moves the pointer, presses and releases button 1; returns when the release was sent."""
        self.xtst.XTestFakeMotionEvent(self.d, -1, x, y, 0)
        self.xtst.XTestFakeButtonEvent(self.d, 1, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.d, 1, 0, 0)
        self.x11.XFlush(self.d)
        return time.perf_counter()


def cpu_seconds(pid):
    """utime + stime of the whole process (all threads), from /proc/<pid>/stat."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def cpu_seconds_precise(pid):
    """Time on a CPU of all the process's threads, in nanoseconds, from schedstat."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / 1e9


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return float("nan")


class Launch:
    """One start of a program: the time from spawning it to its main window being mapped."""

    def __init__(self, display, executable, title):
        self.display = display
        display.drain()
        env = dict(os.environ, QT_QPA_PLATFORM="xcb")
        spawned = time.perf_counter()
        self.process = subprocess.Popen([executable], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE)
        self.window = None
        deadline = spawned + 10
        while self.window is None:
            event, when = display.next_event(deadline)
            if event is None:
                self.stop()
                sys.exit(f"bench.py: {executable} mapped no window within 10 s")
            if event.type == MAP_NOTIFY and not event.map.override_redirect and \
                    display.name(event.map.window) == title:
                self.window, self.mapped_after = event.map.window, when - spawned
        self.mapped_at = when

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        return self.process.stderr.read().decode(errors="replace")


def measure_start(display, executable, title):
    launch = Launch(display, executable, title)
    time.sleep(max(0.0, launch.mapped_at + 1.0 - time.perf_counter()))
    rss = rss_mb(launch.process.pid)
    launch.stop()
    return launch.mapped_after * 1000, rss


def idle_cpu(display, executable, title, seconds=1.2):
    launch = Launch(display, executable, title)
    time.sleep(1.0)
    pid = launch.process.pid
    before, wall = cpu_seconds_precise(pid), time.perf_counter()
    time.sleep(seconds)
    used = (cpu_seconds_precise(pid) - before) / (time.perf_counter() - wall)
    launch.stop()
    return used * 100


def shake_once(display, launch, geometry, point):
    """Clicks at point (content coordinates) and follows the window to the end of its shake."""
    x, y, height = geometry
    pid = launch.process.pid
    display.drain()
    cpu_before, precise_before = cpu_seconds(pid), cpu_seconds_precise(pid)
    clicked = display.click(x + point[0], y + (height - CONTENT_HEIGHT) + point[1])
    moves = []
    left = x
    deadline = clicked + 3
    while len(moves) < TICKS:
        event, when = display.next_event(deadline)
        if event is None:
            break
        if event.type == CONFIGURE_NOTIFY and event.configure.window == launch.window and \
                event.configure.x != left:
            left = event.configure.x
            moves.append((when, left))
    ended = time.perf_counter()
    cpu_after, precise_after = cpu_seconds(pid), cpu_seconds_precise(pid)
    wall = ended - clicked
    return {
        "first_tick": (moves[0][0] - clicked) * 1000 if moves else float("nan"),
        "intervals": [(b[0] - a[0]) * 1000 for a, b in zip(moves, moves[1:])],
        "offsets": [m[1] - x for m in moves],
        "cpu": (cpu_after - cpu_before) / wall * 100,
        "cpu_precise": (precise_after - precise_before) / wall * 100,
        "ticks": len(moves),
    }


def window_geometry(display, window):
    x11 = display.x11
    x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] \
        + [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
    root = ctypes.c_ulong()
    x, y = ctypes.c_int(), ctypes.c_int()
    width, height, border, depth = (ctypes.c_uint() for _ in range(4))
    x11.XGetGeometry(display.d, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                     ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                     ctypes.byref(depth))
    return x.value, y.value, height.value


def measure_shakes(display, app, bare):
    """Both programs run side by side and shake in turns, so that both meet the same machine."""
    sides = {
        # The bare window shakes on a press anywhere in its content; it sits at the screen's
        # top-left, so it is pressed where Dice Shaker's centred window does not cover it.
        "bare": (Launch(display, bare, BARE_TITLE), (100, 100)),
        "app": (Launch(display, app, APP_TITLE), ROLL_BUTTON),
    }
    for launch, _ in sides.values():
        display.watch(launch.window)
    time.sleep(1.0)
    shakes = {"bare": [], "app": []}
    for _ in range(ROLLS):
        for key, (launch, point) in sides.items():
            geometry = window_geometry(display, launch.window)
            shakes[key].append(shake_once(display, launch, geometry, point))
            time.sleep(0.3)
    stderr = {key: launch.stop() for key, (launch, _) in sides.items()}
    return shakes, stderr


def verdict(ok):
    return "ok" if ok else "MISSED"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    app, bare = (os.path.abspath(p) for p in sys.argv[1:])
    display = Display()
    with open("/proc/loadavg") as f:
        load = " ".join(f.read().split()[:3])
    print(f"Dice Shaker: {app}\nbaseline:    {bare}\n"
          f"load average: {load} on {os.cpu_count()} CPUs\n"
          f"start-up and memory: {RUNS} runs each, taking turns; shakes: {ROLLS} each, taking turns",
          flush=True)

    # Warm the file cache so that neither side pays for the first read of the Qt libraries.
    measure_start(display, bare, BARE_TITLE)
    measure_start(display, app, APP_TITLE)
    starts = {"bare": [], "app": []}
    memory = {"bare": [], "app": []}
    for _ in range(RUNS):
        for key, exe, title in (("bare", bare, BARE_TITLE), ("app", app, APP_TITLE)):
            ms, mb = measure_start(display, exe, title)
            starts[key].append(ms)
            memory[key].append(mb)
    idle = {"bare": idle_cpu(display, bare, BARE_TITLE), "app": idle_cpu(display, app, APP_TITLE)}
    shakes, stderr = measure_shakes(display, app, bare)

    s_bare, s_app = statistics.median(starts["bare"]), statistics.median(starts["app"])
    m_bare, m_app = statistics.median(memory["bare"]), statistics.median(memory["app"])
    stats = {key: shake_statistics(runs) for key, runs in shakes.items()}
    a, b = stats["app"], stats["bare"]

    def both(name, fmt):
        return fmt.format(b[name]), fmt.format(a[name])

    rows = [
        ("start to mapped window, median (ms)", f"{s_bare:.0f}", f"{s_app:.0f}",
         f"{s_app / s_bare:.2f}x", f"<= {TARGETS['startup']}x",
         verdict(s_app / s_bare <= TARGETS["startup"])),
        ("  min / max (ms)", f"{min(starts['bare']):.0f} / {max(starts['bare']):.0f}",
         f"{min(starts['app']):.0f} / {max(starts['app']):.0f}", "", "", ""),
        ("resident memory 1 s after mapping (MB)", f"{m_bare:.1f}", f"{m_app:.1f}",
         f"{m_app / m_bare:.2f}x", f"<= {TARGETS['memory']}x",
         verdict(m_app / m_bare <= TARGETS["memory"])),
        ("CPU, idle for 1.2 s (% of a core)", f"{idle['bare']:.2f}", f"{idle['app']:.2f}", "", "",
         ""),
        ("CPU during the first shake (% of a core)", *both("first_cpu", "{:.2f}"), "",
         f"<= {TARGETS['shake_cpu']}", verdict(a["first_cpu"] <= TARGETS["shake_cpu"])),
        ("  the same from /proc/<pid>/stat (%)", *both("first_cpu_coarse", "{:.1f}"), "", "",
         ""),
        ("CPU during later shakes, median (%)", *both("later_cpu", "{:.2f}"), "",
         f"<= {TARGETS['shake_cpu']}", verdict(a["later_cpu"] <= TARGETS["shake_cpu"])),
        (f"tick interval, median of {len(a['deviations'])} (ms)", *both("median", "{:.2f}"), "",
         "100", ""),
        ("tick interval, worst deviation (ms)", *both("worst", "{:.2f}"), "",
         f"<= {TARGETS['tick_deviation']}", verdict(a["worst"] <= TARGETS["tick_deviation"])),
        ("  95th percentile deviation (ms)", *both("p95", "{:.2f}"), "", "", ""),
        ("  intervals off by more than 2 ms", *both("over", "{}"), "", "", ""),
        ("click to first tick, first roll (ms)", *both("first_tick", "{:.1f}"), "",
         f"<= {TARGETS['first_tick']:.0f}", verdict(a["first_tick"] <= TARGETS["first_tick"])),
        ("click to first tick, later, median (ms)", *both("later_first_tick", "{:.1f}"), "", "",
         ""),
    ]
    header = ("measure", "bare window", "Dice Shaker", "ratio", "target", "")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    print()
    for row in [header] + rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)).rstrip())
    print()
    print("CPU: time on a CPU of all threads (schedstat) over click to end of shake.")
    print("Ticks: when the X server reported each move of the window; 11 moves, so 10 intervals "
          "per shake. The bare window shakes by a plain precise QTimer, as a floor.")
    for key, name in (("app", "Dice Shaker"), ("bare", "bare window")):
        print(f"{name}:")
        for n, s in enumerate(shakes[key], 1):
            print(f"  shake {n}: " + " ".join(f"{i:.1f}" for i in s["intervals"]))
    complete = a["complete"] and b["complete"]
    if not complete:
        print("WARNING: a shake did not show the 11 expected moves")
    if stderr["app"].strip():
        print("Dice Shaker's stderr:\n  " + "\n  ".join(stderr["app"].strip().splitlines()))
    return 0 if complete else 1


def shake_statistics(runs):
    intervals = [i for s in runs for i in s["intervals"]]
    deviations = sorted(abs(i - 100) for i in intervals) or [float("nan")]
    return {
        "first_cpu": runs[0]["cpu_precise"],
        "first_cpu_coarse": runs[0]["cpu"],
        "later_cpu": statistics.median(s["cpu_precise"] for s in runs[1:]),
        "median": statistics.median(intervals) if intervals else float("nan"),
        "deviations": deviations,
        "worst": deviations[-1],
        "p95": deviations[int(len(deviations) * 0.95)],
        "over": f"{sum(d > TARGETS['tick_deviation'] for d in deviations)} of {len(deviations)}",
        "first_tick": runs[0]["first_tick"],
        "later_first_tick": statistics.median(s["first_tick"] for s in runs[1:]),
        "complete": all(s["offsets"] == SHAKE_OFFSETS for s in runs),
    }


if __name__ == "__main__":
    sys.exit(main())
