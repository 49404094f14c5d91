#!/usr/bin/env python3
"""The program's command line, on the built executable: --help and --version answer without a
display and start nothing, any other argument of ours is refused in one line with exit code 2,
the toolkit's own options still start the window, and without a graphical session the program
says so in one line instead of the toolkit's abort.

Usage: command_line.py EXECUTABLE VERSION
"""
import os
import signal
import subprocess
import sys
import tempfile

EXE, VERSION = os.path.realpath(sys.argv[1]), sys.argv[2]
NO_SESSION = {"DISPLAY": None, "WAYLAND_DISPLAY": None, "QT_QPA_PLATFORM": None}
OFFSCREEN = dict(NO_SESSION, QT_QPA_PLATFORM="offscreen")


def help_text(out):
    text = out.decode("utf-8")  # strict: code page 850 bytes on the terminal would fail here
    return all(s in text for s in ("Aufruf: tarvello16bit", "--version", "Rückgabewerte",
                                   "999", "älter", "MRVERROR.LOG"))


def version_line(out):
    return out == f"tarvello16bit {VERSION}\n".encode()


def refusal_of(arg):
    def check(err):
        lines = err.decode("utf-8").splitlines()
        return len(lines) == 1 and f"»{arg}«" in lines[0] and "--help" in lines[0]
    return check


def no_session_line(err):
    lines = err.decode("utf-8").splitlines()
    return len(lines) == 1 and "DISPLAY" in lines[0] and "WAYLAND_DISPLAY" in lines[0]


def empty(data):
    return data == b""


# name, arguments, environment, runs until ended, exit code, check of stdout, check of stderr
ROWS = [
    ("help without a display", ["--help"], NO_SESSION, False, 0, help_text, empty),
    ("version without a display", ["--version"], NO_SESSION, False, 0, version_line, empty),
    ("shortened long option", ["--vers"], NO_SESSION, False, 0, version_line, empty),
    ("toolkit option's value is no argument", ["-style", "Fusion", "--version"], NO_SESSION,
     False, 0, version_line, empty),
    ("unknown long option", ["--bogus"], NO_SESSION, False, 2, empty, refusal_of("--bogus")),
    ("unknown short option", ["-x"], OFFSCREEN, False, 2, empty, refusal_of("-x")),
    ("no operands", ["datei.txt"], OFFSCREEN, False, 2, empty, refusal_of("datei.txt")),
    ("long option with a typo", ["--helpx"], OFFSCREEN, False, 2, empty, refusal_of("--helpx")),
    ("a mistake wins over help", ["--help", "--bogus"], NO_SESSION, False, 2, empty,
     refusal_of("--bogus")),
    ("operand after the options' end", ["--", "x"], OFFSCREEN, False, 2, empty, refusal_of("x")),
    ("no graphical session", [], NO_SESSION, False, 1, empty, no_session_line),
    ("platform chosen by option", ["-platform", "offscreen"], NO_SESSION, True, 0, empty, empty),
    ("toolkit style option", ["--style", "Fusion"], OFFSCREEN, True, 0, empty, empty),
]


def start(args, env_changes, workdir):
    env = dict(os.environ)
    for name, value in env_changes.items():
        env.pop(name, None) if value is None else env.__setitem__(name, value)
    env["XDG_RUNTIME_DIR"] = workdir + "/.runtime"
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
    return subprocess.Popen([EXE] + args, cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def finish(proc, runs_until_ended):
    if runs_until_ended:
        try:
            proc.wait(2)  # the window is up long before; a refused start has ended by then
        except subprocess.TimeoutExpired:
            proc.send_signal(signal.SIGTERM)
    out, err = proc.communicate(timeout=30)
    return proc.returncode, out, err


def main():
    failures = 0
    with tempfile.TemporaryDirectory() as top:
        # All rows at once: most end at once, and those that run wait together.
        started = []
        for number, (name, args, env, runs, *_) in enumerate(ROWS):
            workdir = os.path.join(top, str(number))
            os.mkdir(workdir)
            started.append((workdir, start(args, env, workdir)))
        for (name, args, env, runs, code, check_out, check_err), (workdir, proc) in zip(ROWS,
                                                                                       started):
            status, out, err = finish(proc, runs)
            left = sorted(set(os.listdir(workdir)) - {".runtime"})
            problems = []
            if status != code:
                problems.append(f"exit code {status}, expected {code}")
            if not check_out(out):
                problems.append(f"standard output {out!r}")
            if not check_err(err):
                problems.append(f"standard error {err!r}")
            if left:
                problems.append(f"left files behind: {left}")  # an error log means the entry ran
            print(f"{'ok  ' if not problems else 'FAIL'} {name}: {' '.join(args)}")
            for p in problems:
                print(f"     {p}")
            failures += bool(problems)
    print(f"{len(ROWS) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
