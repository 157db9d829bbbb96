#!/usr/bin/env python3
"""Quitting from the main window brings up the credits window instead of ending the program; its
buttons open the contact page and the website, and Exit ends the program with exit code 0."""

import time

import dice_e2e as e2e
from dice_e2e import check


def expect_credits(program, main_window, what):
    credits = e2e.find_window(e2e.CREDITS_TITLE)
    check(e2e.wait_until(lambda: not main_window.viewable(), e2e.PATIENCE),
          f"{what}: the main window is still shown beside the credits window")
    check(program.alive(), f"{what}: the program ended instead of showing the credits")
    _, _, width, height = credits.geometry()
    check(width == e2e.CREDITS_CONTENT[0] and 10 <= height - e2e.CREDITS_CONTENT[1] <= 60,
          f"{what}: credits window is {width}x{height}")
    e2e.log(f"{what}: credits window shown, main window hidden")
    return credits


def exit_by_button(program, credits):
    credits.click(e2e.CREDITS_EXIT, e2e.CREDITS_CONTENT[1])
    clicked = time.monotonic()
    code = program.wait_exit(e2e.PATIENCE)
    check(code is not None, f"Exit did not end the program within {e2e.PATIENCE:.0f} s")
    check(code == 0, f"Exit ended the program with exit code {code}")
    e2e.log(f"Exit: exit code 0 after {time.monotonic() - clicked:.2f} s")


def test(executable, workdir):
    program, window = e2e.start_main(executable, workdir)
    window.click(e2e.QUIT, e2e.MAIN_CONTENT[1])
    credits = expect_credits(program, window, "quit button")

    credits.click(e2e.CREDITS_CONTACT, e2e.CREDITS_CONTENT[1])
    opened = program.wait_opened(1)
    check(opened == [e2e.CONTACT], f"Contact Us Now opened {opened}, expected [{e2e.CONTACT}]")
    credits.click(e2e.CREDITS_VISIT, e2e.CREDITS_CONTENT[1])
    opened = program.wait_opened(2)
    check(opened[1:] == [e2e.WEBSITE], f"Visit Our Website opened {opened[1:]}")
    credits.click(e2e.CREDITS_LOGO, e2e.CREDITS_CONTENT[1])
    opened = program.wait_opened(3)
    check(opened[2:] == [e2e.WEBSITE], f"the logo opened {opened[2:]}")
    e2e.log(f"opened: {opened}")
    time.sleep(0.3)
    check(program.opened() == opened, f"more was opened than asked for: {program.opened()}")
    check(program.alive() and credits.viewable(), "the credits window went away")
    program.check_no_unhandled()
    exit_by_button(program, credits)

    # Closing the main window, as a window manager's close button asks, does the same.
    second = e2e.Program(executable, workdir).start()
    window = e2e.find_window(e2e.MAIN_TITLE)
    e2e.request_close(window.id)
    credits = expect_credits(second, window, "close request")
    second.check_no_unhandled()
    exit_by_button(second, credits)


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
