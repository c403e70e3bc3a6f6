#!/usr/bin/env python3
"""Records a stream from the receiver simulator for the replay test and the benchmark.

    tests/data/record_sim_stream.py BUILD_DIR/norvane-sim tests/data/sim_cold_start.nmea

The simulator runs unpaced and ten times faster than real time. Once the line is at its rate,
the recorder sends the Lumo cold restart frame (so the stream holds the start-up banners and a
stretch without a fix), later the Lumo revision query (so it holds a version reply glued to a
sentence), and keeps about sixty seconds of receiver output from the first '$' after the restart.
"""
import os
import subprocess
import sys
import termios
import time
import tty

COLD_RESTART = bytes.fromhex("2525F10101 03D407020E0000000018000D00000038 0D0A".replace(" ", ""))
REVISION_QUERY = bytes.fromhex("2525F1050101F40D0A")
SPEED = 10


def read_for(fd, seconds):
    data = b""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            data += os.read(fd, 4096)
        except BlockingIOError:
            time.sleep(0.005)
    return data


def main():
    sim_path, out_path = sys.argv[1], sys.argv[2]
    sim = subprocess.Popen([sim_path, "--no-pacing", "--speed", str(SPEED), "--seed", "3"],
                           stdout=subprocess.PIPE, text=True)
    try:
        device = sim.stdout.readline().strip()
        fd = os.open(device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        tty.setraw(fd)
        attrs = termios.tcgetattr(fd)
        attrs[4] = attrs[5] = termios.B9600
        termios.tcsetattr(fd, termios.TCSANOW, attrs)
        read_for(fd, 0.5)  # what was sent before the line was at the simulator's rate
        os.write(fd, COLD_RESTART)
        data = read_for(fd, 4.0)  # banners and the stretch without a fix
        os.write(fd, REVISION_QUERY)
        data += read_for(fd, 2.0)
    finally:
        sim.terminate()
        sim.wait()
    start = data.index(b"$")
    end = data.rindex(b"\r\n") + 2
    with open(out_path, "wb") as out:
        out.write(data[start:end])


if __name__ == "__main__":
    main()
