#!/usr/bin/python3
"""The built program on a real Wayland compositor (weston headless, no X display), driven through
its accessibility interface as a screen reader user would: Bit 0 and Bit 8 toggled and "Schalter
in Zahl umwandeln" pressed show 257 and two glyphs; 258 set as the spin button's value and "Zahl in
Schalter umwandeln" pressed tick exactly Bit 1 and Bit 8. Nothing there closes a window, so the
session ends with SIGTERM; the Wayland platform's teardown must still end in order: exit code 0,
nothing printed during the whole session, no file left.

Usage: wayland_session.py EXECUTABLE
Exit code 77 (a skip for ctest) when weston cannot start here."""

import os
import signal
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import Controls, WaylandSession, check_conversions, run  # noqa: E402


def conversions(executable):
    def check(session):
        with session.program(executable) as program:
            check_conversions(Controls(program.app()), session.act, session.set_number)
            program.process.send_signal(signal.SIGTERM)
            program.expect_orderly_end("SIGTERM")
    return check


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(run(WaylandSession(), [("wayland", conversions(sys.argv[1]))]))
