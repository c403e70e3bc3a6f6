#!/usr/bin/env python3
"""The far end of COM5 for com_port_check.exe running under Wine.

Makes a pseudo-terminal, links COM5 of the Wine prefix to its slave, starts the check and plays
the receiver: checks the line settings the Win32 backend applied, sends a sentence, sends bytes
to be purged and compares the bytes that come back.

    com_port_peer.py WINE CHECK_EXE

WINEPREFIX must name a prepared prefix. Exit status 0 only when both sides passed.
"""
import os
import select
import subprocess
import sys
import termios
import time

SENTENCE = b"$GPGGA,120005.000,2459.2057,N,12130.1234,E,1,10,1.0,56.3,M,15.2,M,,*63\r\n"
STALE = b"stale bytes the check must purge unread: 64 of them, not more.\r\n"
STEP_TIMEOUT = 20.0


class Peer:
    def __init__(self, master):
        self.master = master
        self.pending = b""

    def read_until(self, marker, timeout=STEP_TIMEOUT):
        deadline = time.monotonic() + timeout
        while marker not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError("timed out waiting for %r, have %r" % (marker, self.pending[-80:]))
            ready, _, _ = select.select([self.master], [], [], left)
            if ready:
                try:
                    chunk = os.read(self.master, 4096)
                except OSError:
                    chunk = b""
                if not chunk:
                    time.sleep(0.05)
                self.pending += chunk
        before, _, self.pending = self.pending.partition(marker)
        return before


def check_line_settings(slave_path):
    fd = os.open(slave_path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
    try:
        iflag, oflag, cflag, lflag, ispeed, ospeed, _ = termios.tcgetattr(fd)
    finally:
        os.close(fd)
    problems = []
    if ospeed != termios.B9600 or ispeed != termios.B9600:
        problems.append("rate is not 9600")
    if cflag & termios.CSIZE != termios.CS8:
        problems.append("not 8 data bits")
    if cflag & termios.PARENB:
        problems.append("parity on")
    if cflag & termios.CSTOPB:
        problems.append("two stop bits")
    if lflag & (termios.ICANON | termios.ECHO):
        problems.append("cooked mode or echo left on")
    if iflag & (termios.ICRNL | termios.INLCR | termios.IGNCR):
        problems.append("carriage returns translated")
    if oflag & termios.OPOST:
        problems.append("output processing on")
    return problems


def main():
    wine, exe = sys.argv[1], sys.argv[2]
    prefix = os.environ["WINEPREFIX"]
    master, slave = os.openpty()
    slave_path = os.ttyname(slave)
    # The pseudo-terminal starts in cooked mode with echo, as a serial device left by another
    # program might; the backend has to make it raw itself.
    attrs = termios.tcgetattr(slave)
    attrs[3] |= termios.ICANON | termios.ECHO
    attrs[1] |= termios.OPOST
    termios.tcsetattr(slave, termios.TCSANOW, attrs)

    com5 = os.path.join(prefix, "dosdevices", "com5")
    if os.path.lexists(com5):
        os.remove(com5)
    os.symlink(slave_path, com5)
    print("COM5 ->", slave_path)

    check = subprocess.Popen([wine, exe], stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    peer = Peer(master)
    problems = []
    try:
        peer.read_until(b"READY\r\n")
        problems += check_line_settings(slave_path)
        os.write(master, SENTENCE)
        peer.read_until(b"GOT\r\n")
        os.write(master, STALE)
        peer.read_until(b"PURGED\r\n")
        back = peer.read_until(b"END\r\n")
        if back != bytes(range(256)):
            problems.append("the 256 byte values came back as %d bytes, changed" % len(back))
    except AssertionError as error:
        problems.append(str(error))
    try:
        output, _ = check.communicate(timeout=STEP_TIMEOUT)
    except subprocess.TimeoutExpired:
        check.kill()
        output, _ = check.communicate()
        problems.append("the check did not end")
    os.remove(com5)
    os.close(slave)
    os.close(master)

    sys.stdout.write(output.decode("latin-1"))
    for problem in problems:
        print("peer: FAIL:", problem)
    passed = check.returncode == 0 and not problems
    print("peer:", "passed" if passed else "FAILED")
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
