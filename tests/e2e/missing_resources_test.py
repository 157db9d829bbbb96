#!/usr/bin/env python3
"""A damaged bundle never strands the player. One file of the bundle (a face, the dice logo, the
credits logo or the shake sound, as the argument says) is replaced by each kind of damage in turn:
the window still maps within 5 s, a roll shakes and ends, Quit brings up the credits and Exit ends
with 0, memory stays small, and stderr names the file that could not be used."""

import os
import shutil

import dice_e2e as e2e
from dice_e2e import check

TARGETS = {
    "face": "DDice3.svg",
    "logo": "dicesSmall2.svg",
    "credits_logo": "QuorvaneUpdatedLogosmall.svg",
    "sound": "529816__tumvik__dice-shake.wav",
}
MAX_RESIDENT_MB = 200
# Claims a huge size: drawn only as far as its canvas reaches, it is a usable picture.
OVERSIZED_SVG = (b'<svg xmlns="http://www.w3.org/2000/svg" width="20000" height="20000" '
                 b'viewBox="0 0 10 10"><rect width="10" height="10" fill="#c33"/></svg>')


def damage(path, kind):
    """Puts the damage of that kind where the file was."""
    if kind == "missing":
        return
    if kind == "directory":
        os.mkdir(path)
    elif kind == "fifo":
        os.mkfifo(path)
    elif kind == "dangling link":
        os.symlink(path + ".gone", path)
    elif kind == "link loop":
        os.symlink(os.path.basename(path), path)
    elif kind == "link to /dev/zero":
        os.symlink("/dev/zero", path)
    else:
        contents = {"empty": b"", "garbage": bytes(range(256)) * 40, "oversized SVG": OVERSIZED_SVG,
                    "too big": b"<svg" + b" " * (9 << 20)}[kind]
        with open(path, "wb") as f:
            f.write(contents)


KINDS = ["missing", "directory", "fifo", "dangling link", "link loop", "link to /dev/zero",
         "empty", "garbage", "oversized SVG", "too big"]


def roll_and_settle(window, what):
    start = window.left()
    with e2e.EdgeWatcher(window) as watcher:
        window.click(e2e.ROLL, e2e.MAIN_CONTENT[1])
        check(e2e.wait_until(lambda: len(watcher.positions()) > 1, 2.0),
              f"{what}: the window did not shake")
        check(watcher.wait_still(0.5, 4.0), f"{what}: the window kept moving")
    e2e.check_shake(watcher, start, what)


def check_faces(window, target, kind, what):
    if target == "sound":
        e2e.check_two_dice(window, what)
    elif target == "face" and kind != "oversized SVG":
        content_top = window.geometry()[3] - e2e.MAIN_CONTENT[1]
        dice = e2e.find_dice(window.screenshot(), content_top)
        for d in dice:
            check(d.canvas and d.canvas[1] != 3 and d.pips == d.canvas[1],
                  f"{what}: unexpected face {d}")


def play(copy, folder, target, kind):
    what = f"{target} {kind}"
    program = e2e.Program(copy, folder).start()
    window = e2e.find_window(e2e.MAIN_TITLE, 5.0)
    roll_and_settle(window, what)
    check_faces(window, target, kind, what)
    window.click(e2e.QUIT, e2e.MAIN_CONTENT[1])
    credits = e2e.find_window(e2e.CREDITS_TITLE, 5.0)
    check(e2e.wait_until(lambda: not window.viewable(), 3.0), f"{what}: the main window stays")
    resident = program.resident_mb()
    check(resident < MAX_RESIDENT_MB, f"{what}: {resident:.0f} MB resident")
    credits.click(e2e.CREDITS_EXIT, e2e.CREDITS_CONTENT[1])
    code = program.wait_exit(5.0)
    check(code == 0, f"{what}: Exit gave {code}")
    program.check_no_unhandled()
    named = [line for line in program.stderr().splitlines() if TARGETS[target] in line]
    if kind == "oversized SVG" and target != "sound":
        check(not named, f"{what}: a usable picture was reported: {named}")
    else:
        check(len(named) == 1, f"{what}: stderr should name {TARGETS[target]} once: {named}")
    e2e.log(f"{what}: {resident:.0f} MB; {named[0] if named else 'nothing reported'}")


def test(executable, workdir, target):
    copy = e2e.copy_bundle(executable, workdir)
    resources = os.path.join(os.path.dirname(os.path.dirname(copy)), "Resources")
    path = os.path.join(resources, TARGETS[target])
    kept = os.path.join(workdir, "kept")
    shutil.move(path, kept)
    for kind in KINDS:
        damage(path, kind)
        play(copy, workdir, target, kind)
        if os.path.isdir(path) and not os.path.islink(path):
            os.rmdir(path)
        elif os.path.lexists(path):
            os.remove(path)


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
