#!/usr/bin/env python3
"""The window stays where the user puts it, with and without a window manager: moved elsewhere, a
roll shakes it there and leaves it there, top edge untouched, and so do rolls started one inside
another. Under openbox the windows ask for the buttons their layouts give, and a close request
from the window manager brings up the credits from the main window and does nothing to the credits
window."""

import time

import dice_e2e as e2e
from dice_e2e import check

# Motif hints: functions move (4) and close (32); decorations border (2), title (8), menu (16).
MAIN_HINTS = (0x3, 0x4 | 0x20, 0x2 | 0x8 | 0x10)
CREDITS_HINTS = (0x3, 0x4, 0x2 | 0x8)


def click_roll(window):
    window.click(e2e.ROLL, e2e.MAIN_CONTENT[1])


def rolls_stay_where_moved(window, where):
    left, top = window.move(200, 120)
    e2e.log(f"{where}: moved to {left},{top}")
    with e2e.EdgeWatcher(window) as watcher:
        click_roll(window)
        check(e2e.wait_until(lambda: len(watcher.positions()) > 1, e2e.PATIENCE),
              f"{where}: the moved window did not shake")
        check(watcher.wait_still(left, 0.5, e2e.PATIENCE),
              f"{where}: the window did not come to rest at {left}: {watcher.positions()}")
    e2e.check_shake(watcher, left, f"{where}, roll after the move")
    check(window.geometry()[:2] == (left, top),
          f"{where}: after a roll the window is at {window.geometry()[:2]}, not {left},{top}")

    # Each roll starts 250 ms into the shake of the one before, inside it.
    for _ in range(10):
        click_roll(window)
        time.sleep(0.25)
    with e2e.EdgeWatcher(window) as watcher:
        check(watcher.wait_still(left, 0.5, e2e.PATIENCE),
              f"{where}: the window did not come to rest at {left}: {watcher.positions()}")
    check(window.geometry()[:2] == (left, top),
          f"{where}: ten overlapping rolls left the window at {window.geometry()[:2]}, "
          f"not {left},{top}")
    e2e.check_two_dice(window, f"{where}, after overlapping rolls")
    e2e.log(f"{where}: one roll and ten overlapping rolls ended at {left},{top}")


def test(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    rolls_stay_where_moved(window, "bare X server")
    program.check_no_unhandled()
    program.stop()

    e2e.start_window_manager()
    program, window = e2e.start_main(executable, workdir)
    rolls_stay_where_moved(window, "openbox")
    hints = e2e.frame_hints(window.id)
    check(hints == MAIN_HINTS, f"main window frame hints {hints}, expected {MAIN_HINTS}")

    e2e.request_close_via_window_manager(window.id)
    credits = e2e.find_window(e2e.CREDITS_TITLE)
    check(e2e.wait_until(lambda: not window.viewable(), e2e.PATIENCE),
          "the window manager's close left the main window shown")
    hints = e2e.frame_hints(credits.id)
    check(hints == CREDITS_HINTS, f"credits window frame hints {hints}, expected {CREDITS_HINTS}")

    e2e.request_close_via_window_manager(credits.id)
    time.sleep(1.0)
    check(program.alive() and credits.viewable(),
          "the window manager's close request took the credits window away")
    credits.click(e2e.CREDITS_EXIT, e2e.CREDITS_CONTENT[1])
    code = program.wait_exit(e2e.PATIENCE)
    check(code == 0, f"Exit gave {code}")
    program.check_no_unhandled()


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
