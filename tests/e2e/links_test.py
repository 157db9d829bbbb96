#!/usr/bin/env python3
"""The copyright line, the website button and Help > Visit Our Website each open the maker's
website in the browser, once per press, and the window stays as it was."""

import time

import dice_e2e as e2e
from dice_e2e import check


def expect_opened(program, before, what):
    opened = program.wait_opened(len(before) + 1)
    check(len(opened) > len(before), f"{what} opened nothing")
    check(opened[len(before):] == [e2e.WEBSITE],
          f"{what} opened {opened[len(before):]}, expected [{e2e.WEBSITE}]")
    e2e.log(f"{what} opened {opened[-1]}")
    return opened


def test(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    left = window.left()
    opened = []
    window.click(e2e.COPYRIGHT, e2e.MAIN_CONTENT[1])
    opened = expect_opened(program, opened, "a click on the copyright line")
    window.click(e2e.VISIT_WEBSITE, e2e.MAIN_CONTENT[1])
    opened = expect_opened(program, opened, "the website button")
    # Help has no access key: open File by its key, walk right to Help, and go up from there to
    # its last item, Visit Our Website.
    window.keys("alt+f", "Right", "Right", "Up", "Return")
    opened = expect_opened(program, opened, "Help > Visit Our Website")

    time.sleep(0.5)
    check(program.opened() == opened, f"more was opened than asked for: {program.opened()}")
    check(program.alive(), "the program ended")
    check(window.viewable() and window.left() == left, "the main window moved or went away")
    check(not e2e.visible_windows(e2e.CREDITS_TITLE), "the credits window came up")
    program.check_no_unhandled()


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
