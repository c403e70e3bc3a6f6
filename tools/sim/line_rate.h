// The rate the program has set on the slave side, read through the master.
#pragma once

namespace norvane::sim {

// Bits per second, any value the program chose (it sets arbitrary rates); 0 when unreadable.
int slaveLineRate(int masterFd);

} // namespace norvane::sim
