#!/usr/bin/env python3
"""Records a stream of the receiver simulator hearing four satellite systems.

    tests/data/record_multi_system_stream.py BUILD_DIR/norvane-sim tests/data/sim_four_systems.nmea [4.0]

The simulator runs unpaced at 115200 baud and ten times faster than real time, without banners;
about a dozen seconds of its output are kept, from the first GGA to the end of the last whole
second (the RMC before the next GGA).
"""
import os
import subprocess
import sys
import termios
import time
import tty

SPEED = 10


def read_for(fd, seconds):
    data = b""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            data += os.read(fd, 65536)
        except BlockingIOError:
            time.sleep(0.005)
    return data


def main():
    sim_path, out_path = sys.argv[1], sys.argv[2]
    nmea = sys.argv[3] if len(sys.argv) > 3 else "4.10"
    sim = subprocess.Popen([sim_path, "--no-pacing", "--speed", str(SPEED), "--seed", "5", "--rate", "115200",
                            "--no-banners", "--systems", "GP,GL,GA,GB", "--nmea", nmea],
                           stdout=subprocess.PIPE, text=True)
    try:
        device = sim.stdout.readline().strip()
        fd = os.open(device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        tty.setraw(fd)
        attrs = termios.tcgetattr(fd)
        attrs[4] = attrs[5] = termios.B115200
        termios.tcsetattr(fd, termios.TCSANOW, attrs)
        data = read_for(fd, 0.75)
    finally:
        sim.terminate()
        sim.wait()
    start = data.index(b"$GNGGA")
    end = data.rindex(b"$GNGGA")
    with open(out_path, "wb") as out:
        out.write(data[start:end])


if __name__ == "__main__":
    main()
