#!/usr/bin/env python3
"""A damaged bundle never strands the player. One part of the bundle (a face, the dice logo, the
credits logo, the shake sound, the media module, all six faces or the folder the bundle sits in,
as the argument says) is damaged in each way in turn: the window still maps within 5 s, a roll
shakes and ends, Quit brings up the credits and Exit ends with 0, peak memory stays small, and
stderr names each file that could not be used once."""

import gzip
import hashlib
import os
import shutil
import struct
import subprocess
import time
import zlib

import dice_e2e as e2e
from dice_e2e import check

FACES = [f"DDice{n}.svg" for n in range(1, 7)]
MAX_PEAK_MB = 200
# The game's processor time for one game from start to Exit; it takes about half a second.
MAX_CPU_SECONDS = 5.0
SVG = b'<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100">'
# Claims to be many times its canvas: drawn only as far as its canvas reaches, it is a usable
# picture.
OVERSIZED_SVG = (b'<svg xmlns="http://www.w3.org/2000/svg" width="2000" height="2000" '
                 b'viewBox="0 0 200 200"><rect width="200" height="200" fill="#c33"/></svg>')
# Text that wraps itself into a box half a point wide, one letter a line: seconds to draw.
TEXT_AREA_SVG = (b'<svg xmlns="http://www.w3.org/2000/svg" width="100" height="100" '
                 b'viewBox="0 0 100 100"><textArea x="0" y="0" width="0.5" height="1e9" '
                 b'font-size="100">' + b"W" * 64000 + b"</textArea></svg>")
# What Qt, and the environment it runs in, may say on stderr of its own: no audio device here,
# and, for a game run as nobody with root's home, the sound server's client about that home.
ENVIRONMENT_LINES = ("QStandardPaths: ", "PulseAudioService: ", "No audio device detected",
                     "Failed to create secure directory")
# A folder name no UTF-8 decoder takes whole, with a space and a line break besides.
ODD_FOLDER = os.fsdecode(b"lat\xe9in folder\nof a kind")
# One in UTF-8 that holds the one-character CSI (U+009B), which steers a terminal as ESC [ does,
# and as the game must show it.
STEERING_FOLDER = "caf\u00e9 \u009b31m"
STEERING_FOLDER_SHOWN = "caf\u00e9 \\xc2\\x9b31m"


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff))


def corrupt_png():
    """A PNG whose every chunk is whole and checked, but whose compressed image is not: a zlib
    stream of a block type that does not exist."""
    header = struct.pack(">IIBBBBB", 8, 8, 8, 0, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", b"\x78\x9c\x07\x00\x00\x00") + png_chunk(b"IEND", b""))


def big_png(width, height):
    """A grey RGB picture as a PNG file: small on disk, 4 bytes a pixel once decoded."""
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    rows = (b"\0" + b"\x80" * (width * 3)) * height
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(rows, 9)) + png_chunk(b"IEND", b""))


# Hostile file contents by kind, each the same for every file and every test.
PAYLOADS = {
    "empty": lambda: b"",
    "garbage": lambda: bytes(range(256)) * 40,
    "oversized SVG": lambda: OVERSIZED_SVG,
    "too big": lambda: b"<svg" + b" " * (9 << 20),
    # As much as 64 KiB of gzip holds: 60 MB once inflated.
    "compressed SVG": lambda: gzip.compress(SVG + b" " * (60 << 20) + b"</svg>", 9),
    "element-heavy SVG": lambda: SVG + b'<rect x="1" y="1" width="2" height="2"/>' * 150000
                                 + b"</svg>",
    "big PNG": lambda: big_png(4096, 4096),
    "textArea SVG": lambda: TEXT_AREA_SVG,
    "corrupt PNG": lambda: corrupt_png(),
}


def payload(kind):
    """The contents of a hostile file of that kind, made once into the build's cache (DICE_E2E_CACHE)
    where there is one, under a name that changes with this file."""
    make = PAYLOADS[kind]
    cache = os.environ.get("DICE_E2E_CACHE")
    if cache is None:
        return make()
    with open(__file__, "rb") as f:
        recipe = hashlib.sha256(f.read()).hexdigest()[:12]
    path = os.path.join(cache, f"{kind.replace(' ', '-')}-{recipe}")
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        pass
    contents = make()
    os.makedirs(cache, exist_ok=True)
    # Tests beside each other may make it at once: each writes its own, and the last one stays.
    temporary = f"{path}.{os.getpid()}"
    with open(temporary, "wb") as f:
        f.write(contents)
    os.replace(temporary, path)
    return contents


def damage(path, kind, original=None):
    """Puts the damage of that kind where the file was (original: the file as it was)."""
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
    elif kind.startswith("cut at "):
        # A copy or a download that stopped early.
        with open(original, "rb") as f, open(path, "wb") as out:
            out.write(f.read(int(kind.split()[-1])))
    elif kind == "built for aarch64":
        with open(original, "rb") as f:
            module = bytearray(f.read())
        module[18:20] = struct.pack("<H", 183)  # the ELF header's machine
        with open(path, "wb") as out:
            out.write(module)
    else:
        contents = payload(kind)
        with open(path, "wb") as f:
            f.write(contents)


def undo(path):
    if os.path.isdir(path) and not os.path.islink(path):
        os.rmdir(path)
    elif os.path.lexists(path):
        os.remove(path)


KINDS = ["missing", "directory", "fifo", "dangling link", "link loop", "link to /dev/zero",
         "empty", "garbage", "oversized SVG", "too big", "textArea SVG"]

# Each target: the file it damages, under Contents, and the kinds of damage put there in turn.
TARGETS = {
    "face": ("Resources/DDice3.svg", KINDS),
    "logo": ("Resources/dicesSmall2.svg", KINDS),
    "credits_logo": ("Resources/QuorvaneUpdatedLogosmall.svg", KINDS),
    "sound": ("Resources/529816__tumvik__dice-shake.wav", KINDS),
    "module": ("PlugIns/libdice_media.so",
               ["fifo", "garbage", "cut at 4096", "cut at 16384", "built for aarch64"]),
}


def roll_and_settle(window, what):
    start = window.left()
    with e2e.EdgeWatcher(window) as watcher:
        window.click(e2e.ROLL, e2e.MAIN_CONTENT[1])
        check(e2e.wait_until(lambda: len(watcher.positions()) > 1, e2e.PATIENCE),
              f"{what}: the window did not shake")
        check(watcher.wait_still(start, 0.5, e2e.PATIENCE),
              f"{what}: the window did not come to rest where it began: {watcher.positions()}")
    e2e.check_shake(watcher, start, what)


def check_faces(window, faces, what):
    """faces: "all" when both dice must show their faces, else the faces that must not show
    (None: not looked at)."""
    if faces is None:
        return
    if faces == "all":
        e2e.check_two_dice(window, what)
        return
    for d in e2e.dice_on_screen(window):
        check(d.canvas and d.canvas[1] not in faces and d.pips == d.canvas[1],
              f"{what}: unexpected face {d}")


def play(copy, workdir, what, named, faces, wrapper=(), stdio="files", while_running=None):
    """Plays one game from the bundle copy; named: the files stderr must name, once each (any
    other line of ours is a failure; None where stderr cannot be read, see Program.stdio)."""
    program = e2e.Program(copy, workdir)
    program.wrapper = list(wrapper)
    program.stdio = stdio
    started = time.monotonic()
    program.start()
    window = e2e.find_window(e2e.MAIN_TITLE)
    mapped = time.monotonic() - started
    if while_running:
        while_running(program)
    roll_and_settle(window, what)
    check_faces(window, faces, what)
    window.click(e2e.QUIT, e2e.MAIN_CONTENT[1])
    credits = e2e.find_window(e2e.CREDITS_TITLE)
    check(e2e.wait_until(lambda: not window.viewable(), e2e.PATIENCE),
          f"{what}: the main window stays")
    peak = program.peak_mb()
    check(peak < MAX_PEAK_MB, f"{what}: {peak:.0f} MB at its peak")
    # No file may cost the game long: what it costs is processor time, whatever the load.
    cpu = program.cpu_seconds()
    check(cpu < MAX_CPU_SECONDS, f"{what}: {cpu:.1f} s of processor time")
    credits.click(e2e.CREDITS_EXIT, e2e.CREDITS_CONTENT[1])
    code = program.wait_exit(e2e.PATIENCE)
    check(code == 0, f"{what}: Exit gave {code}")
    if named is None:
        e2e.log(f"{what}: mapped in {mapped:.2f} s, peak {peak:.0f} MB")
        return
    program.check_no_unhandled()
    # Two ones or two sixes are called out, which without an audio device says so.
    ours = [line for line in program.stderr().splitlines()
            if line.startswith("Dice Shaker: ") and not line.startswith("Dice Shaker: speech: ")]
    for name in named:
        lines = [line for line in ours if name in line]
        check(len(lines) == 1, f"{what}: stderr should name {name} once: {lines}")
    check(len(ours) == len(named), f"{what}: stderr should name {named} and nothing else: {ours}")
    theirs = [line for line in program.stderr().splitlines()
              if not line.startswith("Dice Shaker: ") and not line.startswith(ENVIRONMENT_LINES)]
    check(not theirs, f"{what}: lines not in the game's voice: {theirs}")
    # The player says so when it cannot decode what it was given, the sound's path included.
    check("Error decoding" not in program.stderr(), f"{what}: the sound did not play")
    e2e.log(f"{what}: mapped in {mapped:.2f} s, peak {peak:.0f} MB; "
            f"{' | '.join(ours) if ours else 'nothing reported'}")


def test_file(executable, workdir, target):
    copy = e2e.copy_bundle(executable, workdir)
    contents = os.path.dirname(os.path.dirname(copy))
    where, kinds = TARGETS[target]
    path = os.path.join(contents, where)
    kept = os.path.join(workdir, "kept")
    shutil.move(path, kept)
    name = os.path.basename(path)
    for kind in kinds:
        damage(path, kind, kept)
        usable = kind == "oversized SVG" and target != "sound"
        if target in ("sound", "module"):
            faces = "all"
        elif target == "face" and not usable:
            faces = [3]
        else:
            faces = None
        play(copy, workdir, f"{target} {kind}", [] if usable else [name], faces)
        undo(path)


def test_faces(executable, workdir):
    """All six faces at once, each costly to decode, or a PNG of 4096x4096 pixels in place of
    each SVG."""
    copy = e2e.copy_bundle(executable, workdir)
    resources = os.path.join(os.path.dirname(os.path.dirname(copy)), "Resources")
    for face in FACES:
        shutil.move(os.path.join(resources, face), os.path.join(workdir, face))
    for kind in ["compressed SVG", "element-heavy SVG", "textArea SVG", "big PNG", "corrupt PNG"]:
        files = [f.replace(".svg", ".png") if kind.endswith("PNG") else f for f in FACES]
        for name in files:
            damage(os.path.join(resources, name), kind)
        play(copy, workdir, f"faces {kind}", files, faces=range(1, 7))
        for name in files:
            os.remove(os.path.join(resources, name))


def test_folder(executable, workdir):
    # From a folder whose name is no UTF-8, the game finds its pictures, sound and module.
    folder = os.path.join(workdir, ODD_FOLDER)
    os.mkdir(folder)
    play(e2e.copy_bundle(executable, folder), workdir, "bundle in an odd folder", [], "all")

    # A folder name that would steer the terminal is shown escaped, UTF-8 around it as it is.
    folder = os.path.join(workdir, STEERING_FOLDER)
    os.mkdir(folder)
    copy = e2e.copy_bundle(executable, folder)
    shutil.rmtree(os.path.join(os.path.dirname(os.path.dirname(copy)), "Resources"))
    shown = os.path.join(workdir, STEERING_FOLDER_SHOWN, "DiceShaker.app", "Contents", "Resources")
    play(copy, workdir, "bundle in a folder whose name steers the terminal", [shown], None)

    # A Resources folder the user may not read is said once, not as each file in it.
    copy = e2e.copy_bundle(executable, workdir)
    resources = os.path.join(os.path.dirname(os.path.dirname(copy)), "Resources")
    os.chmod(resources, 0)
    wrapper = []
    if os.geteuid() == 0:
        # Root reads any folder: the game runs as nobody, with what it needs readable to it.
        os.chmod(workdir, 0o755)
        cookie = os.path.join(workdir, "Xauthority")
        shutil.copy(os.environ["XAUTHORITY"], cookie)
        os.chmod(cookie, 0o644)
        os.environ["XAUTHORITY"] = cookie
        wrapper = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
    try:
        play(copy, workdir, "unreadable Resources", [resources], faces=range(1, 7),
             wrapper=wrapper)
    finally:
        os.chmod(resources, 0o755)


def test_environment(executable, workdir):
    """What the game is started with, rather than its bundle."""
    copy = e2e.copy_bundle(executable, workdir)
    face = os.path.join(os.path.dirname(os.path.dirname(copy)), "Resources", "DDice3.svg")
    # With a face missing the game has a line to write before its window maps, and the player
    # another on the first roll: a log reader that has gone away must not end the game.
    os.rename(face, face + ".kept")
    play(copy, workdir, "stderr on a pipe whose reader has gone", None, [3], stdio="closed pipe")

    # Started without stdout and stderr, the first files the game opens must not take their
    # places, or its lines would be written into them.
    def on_null(program):
        for fd in (1, 2):
            target = os.readlink(f"/proc/{program.process.pid}/fd/{fd}")
            check(target == "/dev/null", f"descriptor {fd} is {target}, not /dev/null")
    play(copy, workdir, "stdout and stderr closed", None, [3], stdio="closed",
         while_running=on_null)
    os.rename(face + ".kept", face)

    # Without /proc the game finds its bundle by the name it was started by, and its module and
    # sound by their paths.
    if os.geteuid() != 0:
        e2e.log("without /proc: left out, hiding /proc takes root")
        return
    def without_proc(then):
        return ["unshare", "--mount", "--propagation", "private", "bash", "-c",
                f"umount -l /proc && {then}"]
    play(copy, workdir, "without /proc", [], "all", wrapper=without_proc('exec "$0"'))
    play(copy, workdir, "without /proc, started by its name on PATH", [], "all",
         wrapper=without_proc('PATH="$(dirname "$0"):$PATH" exec DiceShaker'))
    # Started by a name that leads nowhere, it cannot find its bundle, and says so in one line.
    done = subprocess.run(without_proc('exec -a nowhere "$0"') + [copy], capture_output=True,
                          text=True, timeout=e2e.PATIENCE,
                          env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
    ours = [line for line in done.stderr.splitlines() if line.startswith("Dice Shaker: ")]
    check(done.returncode == 1 and len(ours) == 1 and "\"nowhere\", leads to none" in ours[0],
          f"started as nowhere without /proc: exit code {done.returncode}, {ours}")
    e2e.log(f"without /proc, started as nowhere: {ours[0]}")


def test(executable, workdir, target):
    if target == "environment":
        test_environment(executable, workdir)
    elif target == "faces":
        test_faces(executable, workdir)
    elif target == "folder":
        test_folder(executable, workdir)
    else:
        test_file(executable, workdir, target)


if __name__ == "__main__":
    raise SystemExit(e2e.main(test))
