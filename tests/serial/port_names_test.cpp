// How COM names become devices on this system.
// Pseudo-terminals and device paths exist only on POSIX systems.
#if !defined(_WIN32)

#include "serial/posix_device_names.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace norvane {
namespace {

TEST(DeviceNames, EachRangeOfPortsMapsToItsDeviceFamily)
{
    unsetenv("NORVANE_COM1");
    unsetenv("NORVANE_COM99");
    EXPECT_EQ(deviceForPortName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(deviceForPortName("COM32"), "/dev/ttyS31");
    EXPECT_EQ(deviceForPortName("COM33"), "/dev/ttyUSB0");
    EXPECT_EQ(deviceForPortName("COM64"), "/dev/ttyUSB31");
    EXPECT_EQ(deviceForPortName("COM65"), "/dev/ttyACM0");
    EXPECT_EQ(deviceForPortName("COM96"), "/dev/ttyACM31");
    EXPECT_EQ(deviceForPortName("COM97"), "/dev/rfcomm0");
    EXPECT_EQ(deviceForPortName("COM99"), "/dev/rfcomm2");
}

TEST(DeviceNames, TheEnvironmentOverridesOnePort)
{
    setenv("NORVANE_COM7", "/tmp/receiver", 1);
    EXPECT_EQ(deviceForPortName("COM7"), "/tmp/receiver");
    EXPECT_EQ(deviceForPortName("COM8"), "/dev/ttyS7");
    setenv("NORVANE_COM7", "", 1);
    EXPECT_EQ(deviceForPortName("COM7"), "/dev/ttyS6") << "an empty override counts as unset";
    unsetenv("NORVANE_COM7");
}

TEST(DeviceNames, OtherNamesHaveNoDevice)
{
    setenv("NORVANE_COM100", "/tmp/receiver", 1);
    setenv("NORVANE_COM0", "/tmp/receiver", 1);
    for (const char* name :
         {"", "COM", "COM0", "COM00", "COM01", "COM100", "COM3a", "com3", "LPT1", " COM3", "COM-1"})
        EXPECT_FALSE(deviceForPortName(name)) << '"' << name << '"';
    unsetenv("NORVANE_COM100");
    unsetenv("NORVANE_COM0");
}

} // namespace
} // namespace norvane

#endif
