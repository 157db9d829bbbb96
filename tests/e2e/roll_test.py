#!/usr/bin/env python3
"""A roll by the button and one by the dice logo: the dice disappear and the shake label shows while
the window shakes from side to side, the window ends where it started, and two faces are shown."""

import time

import dice_e2e as e2e
from dice_e2e import check


def roll(window, point, what, look_during_shake):
    start = window.left()
    with e2e.EdgeWatcher(window) as watcher:
        clicked = time.monotonic()
        window.click(point, e2e.MAIN_CONTENT[1])
        moving = e2e.wait_until(lambda: len(watcher.positions()) > 1, e2e.PATIENCE)
        check(moving, f"{what}: the window did not start to shake")
        e2e.log(f"{what}: first move {watcher.samples[-1][0] - clicked:.3f} s after the click")
        during = None
        if look_during_shake:
            during = window.screenshot()
            taken = time.monotonic()
        check(watcher.wait_still(start, 0.5, e2e.PATIENCE),
              f"{what}: the window did not come to rest where it began: {watcher.positions()}")
    e2e.check_shake(watcher, start, what)
    e2e.log(f"{what}: left edges {watcher.positions()}")
    if during is not None and (watcher.last_change() or 0) > taken:
        content_top = e2e.main_content_top(window)
        dice = e2e.find_dice(during, content_top)
        label = e2e.dark_pixels(during, content_top, e2e.SHAKE_LABEL)
        if dice or label < 400:
            e2e.save_evidence(during, what + " during the shake")
        check(not dice, f"{what}: dice shown during the shake: {dice}")
        check(label >= 400, f"{what}: the shake label is not shown during the shake ({label})")
        e2e.log(f"{what}: during the shake no die and the shake label ({label} dark pixels)")
        looked = True
    else:
        looked = False
    dice = e2e.check_two_dice(window, what)
    e2e.log(f"{what}: {dice}")
    return looked


def test(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    looked = False
    for attempt in range(3):
        looked |= roll(window, e2e.ROLL, f"button roll {attempt + 1}", not looked)
        looked |= roll(window, e2e.DICE_LOGO, f"logo roll {attempt + 1}", not looked)
        if looked:
            break
    check(looked, "could not take a screenshot while the window was shaking")
    check(program.alive(), "the program ended")
    program.check_no_unhandled()
    e2e.log(f"stderr: {program.stderr().strip()!r}")


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
