#!/usr/bin/env python3
"""Records a stream from the receiver simulator for the replay test and the benchmark.

    tests/data/record_sim_stream.py BUILD_DIR/norvane-sim tests/data/sim_cold_start.nmea

The simulator runs unpaced and ten times faster than real time. Once the line is at its rate,
the recorder sends the Lumo cold restart frame (so the stream holds the start-up banners and a
stretch without a fix), later the Lumo revision query (so it holds a version reply glued to a
sentence), and keeps about sixty seconds of receiver output from the first '$' after the restart.
"""
import os
import sys
import termios

from sim_recording import read_for, simulator_line

COLD_RESTART = bytes.fromhex("2525F10101 03D407020E0000000018000D00000038 0D0A".replace(" ", ""))
REVISION_QUERY = bytes.fromhex("2525F1050101F40D0A")
SPEED = 10


def main():
    sim_path, out_path = sys.argv[1], sys.argv[2]
    options = ["--no-pacing", "--speed", str(SPEED), "--seed", "3"]
    with simulator_line(sim_path, options, termios.B9600) as fd:
        read_for(fd, 0.5)  # what was sent before the line was at the simulator's rate
        os.write(fd, COLD_RESTART)
        data = read_for(fd, 4.0)  # banners and the stretch without a fix
        os.write(fd, REVISION_QUERY)
        data += read_for(fd, 2.0)
    start = data.index(b"$")
    end = data.rindex(b"\r\n") + 2
    with open(out_path, "wb") as out:
        out.write(data[start:end])


if __name__ == "__main__":
    main()
