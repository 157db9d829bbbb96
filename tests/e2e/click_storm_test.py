#!/usr/bin/env python3
"""200 clicks on the roll button within 20 s, each starting a roll inside the one before: the
program survives, settles with two faces shown and the window back where it was, still answers
the quit button, and exits with 0."""

import time

import dice_e2e as e2e
from dice_e2e import check

CLICKS = 200
BURST = 25


def test(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    start = window.left()
    begun = time.monotonic()
    # Bursts of quick clicks, each aimed at where the button is when the burst begins.
    for n in range(0, CLICKS, BURST):
        x, y = window.content_origin(e2e.MAIN_CONTENT[1])
        e2e.xdotool("mousemove", str(x + e2e.ROLL[0]), str(y + e2e.ROLL[1]),
                    "click", "--repeat", str(BURST), "--delay", "30", "1", timeout=20)
        check(program.alive(), f"the program ended after {n + BURST} clicks")
    took = time.monotonic() - begun
    e2e.log(f"{CLICKS} clicks in {took:.1f} s")
    check(took < 20.0, f"the clicks took {took:.1f} s")

    with e2e.EdgeWatcher(window) as watcher:
        check(watcher.wait_still(1.5, 10.0), "the window still shakes 10 s after the last click")
    check(program.alive(), "the program ended")
    found = e2e.visible_windows(e2e.MAIN_TITLE)
    check(found == [window.id], f"the main window cannot be found any more ({found})")
    check(window.left() == start, f"the window settled at {window.left()}, not at {start}")
    e2e.check_two_dice(window, "after the clicks")

    window.click(e2e.QUIT, e2e.MAIN_CONTENT[1])
    credits = e2e.find_window(e2e.CREDITS_TITLE, 3.0)
    check(e2e.wait_until(lambda: not window.viewable(), 2.0), "the main window is still shown")
    credits.click(e2e.CREDITS_EXIT, e2e.CREDITS_CONTENT[1])
    code = program.wait_exit(3.0)
    check(code == 0, f"Exit gave {code}")
    program.check_no_unhandled()
    e2e.log(f"stderr: {program.stderr().strip()!r}")


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
