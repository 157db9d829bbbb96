#!/usr/bin/env python3
"""Start-up: the main window comes up with its title, centred, with the controls a player expects
and no die shown yet, while the process keeps running. Without a display the program says why in
one line and exits with 1 at once."""

import os
import subprocess
import time

import dice_e2e as e2e
from dice_e2e import check


def without_display(executable, workdir):
    """Each way of having no display gives its own reason, in one line, and exit code 1 at once."""
    runtime = os.path.join(workdir, "runtime")
    os.mkdir(runtime, 0o700)
    no_display = {"DISPLAY": None, "WAYLAND_DISPLAY": None}
    cases = [
        ("no display at all", no_display,
         "needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set"),
        ("an X server that is not there", {"DISPLAY": ":917", "WAYLAND_DISPLAY": None},
         'cannot reach the X display ":917"'),
        ("a Wayland compositor that is not there",
         {"DISPLAY": None, "WAYLAND_DISPLAY": "dice-nowhere", "XDG_RUNTIME_DIR": runtime},
         'cannot reach the Wayland display "dice-nowhere"'),
        ("a display platform that is not installed", {"QT_QPA_PLATFORM": "dice-none"},
         'cannot load the display platform "dice-none": it is not installed'),
        # A platform the user chose is what the reason is about, with or without a display.
        ("a display platform that is not installed, and no display",
         dict(no_display, QT_QPA_PLATFORM="dice-none"),
         'cannot load the display platform "dice-none": it is not installed'),
        ("X chosen, and no display", dict(no_display, QT_QPA_PLATFORM="xcb"),
         "needs a graphical display: DISPLAY is not set"),
    ]
    for what, changes, reason in cases:
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        for name, value in changes.items():
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        started = time.monotonic()
        done = subprocess.run([executable], env=env, cwd=workdir, capture_output=True, text=True,
                              timeout=e2e.PATIENCE)
        took = time.monotonic() - started
        lines = done.stderr.splitlines()
        check(done.returncode == 1, f"{what}: exit code {done.returncode}, stderr {lines}")
        check(lines == [f"Dice Shaker: {reason}"], f"{what}: stderr should say why: {lines}")
        e2e.log(f"{what}: exit code 1 after {took:.2f} s: {lines[0]}")


def test(executable, workdir):
    without_display(executable, workdir)
    started = time.monotonic()
    program, window = e2e.start_main(executable, workdir)
    e2e.log(f"main window mapped after {time.monotonic() - started:.2f} s")
    check(window.title() == e2e.MAIN_TITLE, f'title is "{window.title()}"')

    x, y, width, height = window.geometry()
    menu_bar = height - e2e.MAIN_CONTENT[1]
    check(width == e2e.MAIN_CONTENT[0], f"window is {width} wide, expected {e2e.MAIN_CONTENT[0]}")
    check(10 <= menu_bar <= 60, f"no room for a menu bar above the content: height {height}")
    screen_w, screen_h = (int(v) for v in e2e.xdotool("getdisplaygeometry").split())
    check(abs(x - (screen_w - width) // 2) <= 1, f"window left {x} is not centred")
    check(abs(y - (screen_h - height) // 2) <= 1, f"window top {y} is not centred")

    def drawn():
        image = window.screenshot()
        logo = sum(1 for yy in range(54, 286, 2) for xx in range(174, 466, 2)
                   if image.pixel(xx, menu_bar + yy)[0] > image.pixel(xx, menu_bar + yy)[2] + 80)
        return image, {
            "dice shown before the first roll": bool(e2e.find_dice(image, menu_bar)),
            "roll button caption missing":
                e2e.dark_pixels(image, menu_bar, (182, 502, 477, 533)) < 300,
            "copyright line missing": e2e.dark_pixels(image, menu_bar, (20, 559, 615, 597)) < 300,
            "the dice logo is not drawn": logo < 500,
        }

    # The first frame may still be on its way when the window maps.
    e2e.wait_until(lambda: not any(drawn()[1].values()), e2e.PATIENCE, 0.2)
    image, faults = drawn()
    if any(faults.values()):
        e2e.save_evidence(image, "start-up")
    check(not any(faults.values()), ", ".join(k for k, v in faults.items() if v))
    check(not e2e.visible_windows(e2e.CREDITS_TITLE), "credits window shown at start-up")

    time.sleep(1.0)
    check(program.alive(), "the program ended on its own")
    check(window.viewable(), "the main window went away on its own")
    program.check_no_unhandled()
    e2e.log(f"stderr: {program.stderr().strip()!r}")


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
