#!/usr/bin/env python3
"""On a Wayland session without X (no DISPLAY), under a real compositor (weston, headless): the game
starts on the Wayland platform, opens its window and stays up; when the compositor goes away it
ends with exit code 1 at once, never with a crash."""

import os
import subprocess
import time

import dice_e2e as e2e
from dice_e2e import check

SOCKET = "dice-wayland"


def start_compositor(runtime):
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    env.pop("DISPLAY", None)
    compositor = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={SOCKET}", "--idle-time=0"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        preexec_fn=e2e._die_with_parent)
    up = e2e.wait_until(lambda: os.path.exists(os.path.join(runtime, SOCKET)), e2e.PATIENCE, 0.05)
    check(up and compositor.poll() is None, "weston did not start")
    return compositor


def on_wayland(pid):
    """Whether the program has loaded Qt's Wayland platform."""
    with open(f"/proc/{pid}/maps") as f:
        return "libqwayland" in f.read()


def test(executable, workdir):
    runtime = os.path.join(workdir, "runtime")
    os.mkdir(runtime, 0o700)
    compositor = start_compositor(runtime)
    program = e2e.Program(executable, workdir)
    program.env.pop("DISPLAY", None)
    program.env.pop("QT_QPA_PLATFORM", None)
    # The client side of the protocol on stderr shows what the program asks of the compositor.
    program.env.update(XDG_RUNTIME_DIR=runtime, WAYLAND_DISPLAY=SOCKET, WAYLAND_DEBUG="client")
    program.start()

    started = time.monotonic()
    titled = f'set_title("{e2e.MAIN_TITLE}")'
    e2e.wait_until(lambda: not program.alive() or (titled in program.stderr()
                                                    and ".attach(" in program.stderr()),
                   e2e.PATIENCE, 0.1)
    check(program.alive(), f"the program ended on Wayland: {program.stderr()}")
    check(on_wayland(program.process.pid), "the program does not run on the Wayland platform")
    stderr = program.stderr()
    check(titled in stderr, "no window with the main window's title")
    check(".attach(" in stderr, "the main window was never drawn")
    ours = [line for line in stderr.splitlines() if line.startswith("Dice Shaker:")]
    check(not ours, f"the program reported problems: {ours}")
    e2e.log(f"the main window is up on Wayland after {time.monotonic() - started:.2f} s")

    compositor.kill()
    lost = time.monotonic()
    code = program.wait_exit(e2e.PATIENCE)
    check(code is not None,
          f"the program still runs {e2e.PATIENCE:.0f} s after the compositor went away")
    check(code == 1, f"exit code {code} (a negative code is the signal that ended it)")
    e2e.log(f"compositor gone: exit code 1 after {time.monotonic() - lost:.2f} s")


if __name__ == "__main__":
    raise SystemExit(e2e.main(test, needs_x=False))
