"""What the recorders of simulator streams share: the simulator started on its pseudo-terminal,
the line opened raw at a rate, and reading it for a while."""
import contextlib
import os
import subprocess
import termios
import time
import tty


@contextlib.contextmanager
def simulator_line(sim_path, options, baud):
    """Yields the open line of a simulator started with `options`; stops the simulator after."""
    sim = subprocess.Popen([sim_path, *options], stdout=subprocess.PIPE, text=True)
    try:
        device = sim.stdout.readline().strip()
        fd = os.open(device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        tty.setraw(fd)
        attrs = termios.tcgetattr(fd)
        attrs[4] = attrs[5] = baud
        termios.tcsetattr(fd, termios.TCSANOW, attrs)
        yield fd
    finally:
        sim.terminate()
        sim.wait()


def read_for(fd, seconds):
    data = b""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            data += os.read(fd, 65536)
        except BlockingIOError:
            time.sleep(0.005)
    return data
