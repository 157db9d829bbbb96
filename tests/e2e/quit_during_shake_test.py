#!/usr/bin/env python3
"""The ways the game ends while it runs. File > Quit while the window shakes ends it with exit
code 0 within 3 s: by its shortcut Ctrl+Q, and by the menu itself. The display going away, idle or
mid-shake, ends it with exit code 1 at once, never with a crash."""

import contextlib
import os
import time

import dice_e2e as e2e
from dice_e2e import check


def start_shaking(program, window, what):
    start = window.left()
    window.click(e2e.ROLL, e2e.MAIN_CONTENT[1])
    check(e2e.wait_until(lambda: window.left() != start, e2e.PATIENCE, 0.005),
          f"{what}: the window did not start to shake")


def quit_while_shaking(executable, workdir, keys, what):
    program, window = e2e.start_main(executable, workdir)
    window.focus()
    start_shaking(program, window, what)
    window.keys(*keys)
    pressed = time.monotonic()
    code = program.wait_exit(e2e.PATIENCE)
    check(code is not None, f"{what}: the program still runs {e2e.PATIENCE:.0f} s after Quit")
    check(code == 0, f"{what}: exit code {code}")
    e2e.log(f"{what}: exit code 0 after {time.monotonic() - pressed:.2f} s")
    program.check_no_unhandled()


@contextlib.contextmanager
def own_x_server():
    """An X server of this case's own, the display for everything started meanwhile, so that it
    can be killed under the game without taking the test's display with it."""
    kept = os.environ["DISPLAY"]
    with e2e.x_server() as (display, server):
        os.environ["DISPLAY"] = display
        try:
            yield server
        finally:
            os.environ["DISPLAY"] = kept


def display_lost(executable, workdir, how, mid_shake):
    what = f"{how}, {'mid-shake' if mid_shake else 'idle'}"
    with own_x_server() as server:
        program, window = e2e.start_main(executable, workdir)
        if mid_shake:
            start_shaking(program, window, what)
        else:
            time.sleep(0.5)
        if how == "X server killed":
            server.kill()
        else:
            e2e.run_tool("xkill", "-id", str(window.id))
        lost = time.monotonic()
        code = program.wait_exit(e2e.PATIENCE)
    check(code is not None,
          f"{what}: the program still runs {e2e.PATIENCE:.0f} s after losing its display")
    check(code == 1, f"{what}: exit code {code} (a negative code is the signal that ended it)")
    took = time.monotonic() - lost
    stderr = program.stderr()
    check("Sanitizer" not in stderr and "runtime error" not in stderr,
          f"{what}: a sanitizer report: {stderr}")
    e2e.log(f"{what}: exit code 1 after {took:.2f} s")


def test(executable, workdir):
    quit_while_shaking(executable, workdir, ["ctrl+q"], "Ctrl+Q")
    # Quit is the first item of the File menu.
    quit_while_shaking(executable, workdir, ["alt+f", "Return"], "File > Quit")
    for how in ("X server killed", "window killed by xkill"):
        for mid_shake in (False, True):
            display_lost(executable, workdir, how, mid_shake)


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
