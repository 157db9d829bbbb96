#!/usr/bin/env python3
"""A bundle without its shake sound still rolls; a bundle without a face picture still opens its
window and rolls, and that face never shows."""

import os

import dice_e2e as e2e
from dice_e2e import check


def roll_and_settle(window, what):
    start = window.left()
    with e2e.EdgeWatcher(window) as watcher:
        window.click(e2e.ROLL, e2e.MAIN_CONTENT[1])
        check(e2e.wait_until(lambda: len(watcher.positions()) > 1, 2.0),
              f"{what}: the window did not shake")
        check(watcher.wait_still(0.5, 4.0), f"{what}: the window kept moving")
    e2e.check_shake(watcher, start, what)


def without(executable, workdir, resource):
    folder = os.path.join(workdir, resource.split(".")[0])
    os.makedirs(folder)
    copy = e2e.copy_bundle(executable, folder)
    os.remove(os.path.join(os.path.dirname(os.path.dirname(copy)), "Resources", resource))
    program = e2e.Program(copy, folder).start()
    return program, e2e.find_window(e2e.MAIN_TITLE)


def test(executable, workdir):
    program, window = without(executable, workdir, "529816__tumvik__dice-shake.wav")
    for n in range(2):
        roll_and_settle(window, f"no sound, roll {n + 1}")
        e2e.log(f"no sound, roll {n + 1}: {e2e.check_two_dice(window, f'no sound, roll {n + 1}')}")
    check(program.alive(), "without its sound the program ended")
    program.check_no_unhandled()
    e2e.log(f"no sound: stderr {program.stderr().strip()!r}")
    program.stop()

    program, window = without(executable, workdir, "DDice3.svg")
    check(program.alive(), "without a face picture the program ended")
    check(window.title() == e2e.MAIN_TITLE, f'title is "{window.title()}"')
    content_top = window.geometry()[3] - e2e.MAIN_CONTENT[1]
    for n in range(3):
        what = f"no face 3, roll {n + 1}"
        roll_and_settle(window, what)
        dice = e2e.find_dice(window.screenshot(), content_top)
        sides = [d.canvas[0] for d in dice if d.canvas]
        check(len(dice) <= 2 and len(set(sides)) == len(dice), f"{what}: {dice}")
        for d in dice:
            check(d.canvas and d.canvas[1] != 3 and d.pips == d.canvas[1],
                  f"{what}: unexpected face {d}")
        e2e.log(f"{what}: {dice}")
    check(program.alive(), "without a face picture the program ended")
    program.check_no_unhandled()
    e2e.log(f"no face 3: stderr {program.stderr().strip()!r}")


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
