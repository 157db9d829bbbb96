#!/usr/bin/env python3
"""File > Quit while the window shakes ends the program with exit code 0 within 3 s: by its
shortcut Ctrl+Q, and by the menu itself."""

import time

import dice_e2e as e2e
from dice_e2e import check


def quit_while_shaking(executable, workdir, keys, what):
    program, window = e2e.start_main(executable, workdir)
    start = window.left()
    window.focus()
    window.click(e2e.ROLL, e2e.MAIN_CONTENT[1])
    check(e2e.wait_until(lambda: window.left() != start, 2.0, 0.005),
          f"{what}: the window did not start to shake")
    window.keys(*keys)
    pressed = time.monotonic()
    code = program.wait_exit(3.0)
    check(code is not None, f"{what}: the program still runs 3 s after Quit")
    check(code == 0, f"{what}: exit code {code}")
    e2e.log(f"{what}: exit code 0 after {time.monotonic() - pressed:.2f} s")
    program.check_no_unhandled()


def test(executable, workdir):
    quit_while_shaking(executable, workdir, ["ctrl+q"], "Ctrl+Q")
    # Quit is the first item of the File menu.
    quit_while_shaking(executable, workdir, ["alt+f", "Return"], "File > Quit")


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
