#pragma once

#include "serial/serial_link.h"

#include <cstddef>
#include <string>

namespace norvane {

// The first `count` bytes of a read into `buffer`, as text.
inline std::string textOf(const ReceiveBuffer& buffer, int count)
{
    return std::string(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(count));
}

} // namespace norvane
