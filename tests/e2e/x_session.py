#!/usr/bin/env python3
"""Runs a command on an X server of its own: Xvfb on a display number that the server picks
itself (-displayfd), so that any number of tests, and any number of test suites on one machine,
never race for one; with an authorization cookie, as a desktop's server has; without resetting
when its last client leaves (-noreset), as a desktop's server never does mid-session, so that a
program started at that moment is not turned away. Exits with the command's status.

usage: x_session.py COMMAND [ARGUMENT...]"""

import os
import secrets
import subprocess
import sys
import tempfile

import dice_e2e as e2e


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    with tempfile.TemporaryDirectory(prefix="dice-x-") as folder:
        cookie = secrets.token_hex(16)
        authority = os.path.join(folder, "Xauthority")
        # The server takes every cookie of its file, whatever display it names; the clients look
        # one up by the display's number, which is known once the server runs.
        e2e.run_tool("xauth", "-q", "-f", authority, "add", ":0", ".", cookie)
        with e2e.x_server(["-auth", authority]) as (display, _):
            e2e.run_tool("xauth", "-q", "-f", authority, "add", display, ".", cookie)
            env = dict(os.environ, DISPLAY=display, XAUTHORITY=authority)
            return subprocess.run(sys.argv[1:], env=env).returncode


if __name__ == "__main__":
    raise SystemExit(main())
