#!/usr/bin/env python3
"""Clicks on the roll button, each landing while the window still shakes, so that every roll nests
inside the one before. As the argument says:
  fast         3000 clicks at full speed: the program survives with its stack well inside its
               limit, settles with two faces shown and the window back where it was, still answers
               the quit button, and exits with 0;
  small_stack  the same under `ulimit -s 1024`: fewer rolls nest, none crashes;
  paced        200 clicks 100 ms apart, as a person clicking fast: every one of them rolls, so the
               window shakes without a rest until the last click and comes to rest after it."""

import time

import dice_e2e as e2e
from dice_e2e import check

# A roll nests while less than half the stack limit is in use; the other half is for what runs
# below the deepest roll, of which it needs a fraction.
SMALL_STACK_KB = 1024
DEFAULT_STACK_KB = 8192


def click_roll(window, clicks, delay_ms):
    x, y = window.content_origin(e2e.MAIN_CONTENT[1])
    # The button moves with the shaking window by at most 10 points; its middle stays on it.
    e2e.xdotool("mousemove", str(x + e2e.ROLL[0]), str(y + e2e.ROLL[1]),
                "click", "--repeat", str(clicks), "--delay", str(delay_ms), "1",
                timeout=60 + clicks * delay_ms / 1000)


def settle_and_quit(program, window, start, watcher, clicks_end, stack_kb):
    # On a loaded machine the program can still be working through the clicks with its window at
    # rest, even at its start with a roll under way: it has settled when the faces show.
    settled = e2e.wait_until(lambda: watcher.resting_at(start, 1.5)
                             and len(e2e.dice_on_screen(window)) == 2, 2 * e2e.PATIENCE, 0.2)
    check(program.alive(), "the program ended")
    check(settled, f"{2 * e2e.PATIENCE:.0f} s after the last click the window has not come to rest where it began "
                   f"({start}) with two faces shown; its edge was last at "
                   f"{watcher.samples[-1][1] if watcher.samples else '?'}")
    rest = watcher.last_change() or watcher.samples[0][0]
    e2e.log(f"at rest {rest - clicks_end:.1f} s after the last click")
    stack = program.status_kb("VmStk")
    e2e.log(f"stack {stack} kB under a limit of {stack_kb} kB")
    check(stack < stack_kb * 3 // 4, f"the stack grew to {stack} kB of {stack_kb} kB")
    found = e2e.visible_windows(e2e.MAIN_TITLE)
    check(found == [window.id], f"the main window cannot be found any more ({found})")
    check(window.left() == start, f"the window moved on to {window.left()} after it settled")
    e2e.check_two_dice(window, "after the clicks")

    window.click(e2e.QUIT, e2e.MAIN_CONTENT[1])
    credits = e2e.find_window(e2e.CREDITS_TITLE)
    check(e2e.wait_until(lambda: not window.viewable(), e2e.PATIENCE),
          "the main window is still shown")
    credits.click(e2e.CREDITS_EXIT, e2e.CREDITS_CONTENT[1])
    code = program.wait_exit(e2e.PATIENCE)
    check(code == 0, f"Exit gave {code}")
    program.check_no_unhandled()
    e2e.log(f"stderr: {program.stderr().strip()!r}")


def storm(executable, workdir, stack_kb):
    program = e2e.Program(executable, workdir)
    if stack_kb != DEFAULT_STACK_KB:
        program.wrapper = ["sh", "-c", f'ulimit -s {stack_kb} && exec "$0"']
    program.start()
    window = e2e.find_window(e2e.MAIN_TITLE)
    start = window.left()
    begun = time.monotonic()
    click_roll(window, 3000, 0)
    clicks_end = time.monotonic()
    e2e.log(f"3000 clicks in {clicks_end - begun:.1f} s")
    check(program.alive(), "the program ended during the clicks")
    with e2e.EdgeWatcher(window) as watcher:
        settle_and_quit(program, window, start, watcher, clicks_end, stack_kb)


def paced(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    start = window.left()
    with e2e.EdgeWatcher(window) as watcher:
        begun = time.monotonic()
        click_roll(window, 200, 100)
        clicks_end = time.monotonic()
        e2e.log(f"200 clicks in {clicks_end - begun:.1f} s")
        # Each click starts a shake afresh before the one it nests in has run its course: from
        # its first move to the last click, the window is never back at its start.
        moved = [t for t, left in watcher.samples if left != start]
        check(moved, "the window did not shake")
        resting = [t for t, left in watcher.samples
                   if moved[0] < t < clicks_end - 0.2 and left == start]
        if resting:
            raise e2e.CheckFailed(f"the window rested at its start {resting[0] - begun:.1f} s into "
                                  f"the clicks, {clicks_end - resting[0]:.1f} s before the last "
                                  f"click: a click did not roll")
        settle_and_quit(program, window, start, watcher, clicks_end, DEFAULT_STACK_KB)


def test(executable, workdir, form):
    if form == "fast":
        storm(executable, workdir, DEFAULT_STACK_KB)
    elif form == "small_stack":
        storm(executable, workdir, SMALL_STACK_KB)
    else:
        paced(executable, workdir)


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
