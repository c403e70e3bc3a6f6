#!/usr/bin/env python3
"""Records a stream of the receiver simulator hearing several satellite systems.

    tests/data/record_multi_system_stream.py BUILD_DIR/norvane-sim tests/data/sim_four_systems.nmea
    tests/data/record_multi_system_stream.py BUILD_DIR/norvane-sim tests/data/sim_dual_band.nmea \
        --systems GP,GL,GA,GB,GQ --bands L1,L5

The simulator runs unpaced at 115200 baud and ten times faster than real time, without banners,
hearing GPS, GLONASS, Galileo and BeiDou unless the simulator options after the file name say
otherwise (they come last, so they win); about a dozen seconds of its output are kept, from the
first GGA to the end of the last whole second (the RMC before the next GGA).
"""
import sys
import termios

from sim_recording import read_for, simulator_line

SPEED = 10


def main():
    sim_path, out_path = sys.argv[1], sys.argv[2]
    options = ["--no-pacing", "--speed", str(SPEED), "--seed", "5", "--rate", "115200", "--no-banners",
               "--systems", "GP,GL,GA,GB", *sys.argv[3:]]
    with simulator_line(sim_path, options, termios.B115200) as fd:
        data = read_for(fd, 0.75)
    start = data.index(b"$GNGGA")
    end = data.rindex(b"$GNGGA")
    with open(out_path, "wb") as out:
        out.write(data[start:end])


if __name__ == "__main__":
    main()
