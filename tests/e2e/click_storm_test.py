#!/usr/bin/env python3
"""3000 clicks on the roll button at full speed, each landing while the window still shakes: the
program survives with a small stack, settles with two faces shown and the window back where it
was, still answers the quit button, and exits with 0."""

import time

import dice_e2e as e2e
from dice_e2e import check

CLICKS = 3000
MAX_STACK_KB = 1024


def test(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    start = window.left()
    stack_before = program.status_kb("VmStk")
    x, y = window.content_origin(e2e.MAIN_CONTENT[1])
    begun = time.monotonic()
    # The button moves with the shaking window by at most 10 points; its middle stays on it.
    e2e.xdotool("mousemove", str(x + e2e.ROLL[0]), str(y + e2e.ROLL[1]),
                "click", "--repeat", str(CLICKS), "--delay", "0", "1", timeout=60)
    e2e.log(f"{CLICKS} clicks in {time.monotonic() - begun:.1f} s")
    check(program.alive(), f"the program ended during {CLICKS} clicks")

    with e2e.EdgeWatcher(window) as watcher:
        # On a loaded machine the program can still be working through the clicks with its window
        # at rest, even at its start with a roll under way: it has settled when the faces show.
        settled = e2e.wait_until(lambda: watcher.resting_at(start, 1.5)
                                 and len(e2e.dice_on_screen(window)) == 2, 30.0, 0.2)
    check(program.alive(), "the program ended")
    check(settled, f"30 s after the last click the window has not come to rest where it began "
                   f"({start}) with two faces shown; its edge was last at "
                   f"{watcher.samples[-1][1] if watcher.samples else '?'}")
    rest = watcher.last_change() or watcher.samples[0][0]
    e2e.log(f"at rest {rest - begun:.1f} s after the first click")
    stack = program.status_kb("VmStk")
    e2e.log(f"stack {stack_before} kB before the clicks, {stack} kB after")
    check(stack < MAX_STACK_KB, f"the stack grew to {stack} kB")
    found = e2e.visible_windows(e2e.MAIN_TITLE)
    check(found == [window.id], f"the main window cannot be found any more ({found})")
    check(window.left() == start, f"the window moved on to {window.left()} after it settled")
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
