// What a port name leads to: the device, whether it is there, and the USB product behind it,
// read from a sysfs tree the test builds.
// Pseudo-terminals and sysfs exist only on POSIX systems.
#if !defined(_WIN32)

#include "serial/port_description.h"
#include "support/pty_pair.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace norvane {
namespace {

namespace fs = std::filesystem;

// A folder laid out as /sys is for the ttys the test names.
class FakeSysfs {
public:
    FakeSysfs() : root_(fs::temp_directory_path() / ("norvane-sysfs-" + std::to_string(::getpid())))
    {
        fs::remove_all(root_);
    }
    ~FakeSysfs() { fs::remove_all(root_); }
    const fs::path& root() const { return root_; }

    // class/tty/<tty>/device -> devices/<deviceFolder>, as the kernel links it.
    void tty(const std::string& tty, const std::string& deviceFolder)
    {
        fs::create_directories(root_ / "devices" / deviceFolder);
        fs::create_directories(root_ / "class" / "tty" / tty);
        fs::create_directory_symlink(fs::path("../../../devices") / deviceFolder,
                                     root_ / "class" / "tty" / tty / "device");
    }
    void file(const fs::path& path, const std::string& text)
    {
        fs::create_directories((root_ / path).parent_path());
        std::ofstream(root_ / path) << text << '\n';
    }

private:
    fs::path root_;
};

// Every COM name leads to a missing path unless a test maps it, so no device of the machine
// the tests run on shows up.
class PortsOfThisTest {
public:
    PortsOfThisTest()
    {
        for (int number = 1; number <= 99; ++number)
            setenv(variable(number).c_str(), missing(number).c_str(), 1);
    }
    ~PortsOfThisTest()
    {
        for (int number = 1; number <= 99; ++number)
            unsetenv(variable(number).c_str());
    }
    static std::string variable(int number) { return "NORVANE_COM" + std::to_string(number); }
    static std::string missing(int number) { return "/nonexistent/norvane-com" + std::to_string(number); }
};

struct SysfsCase {
    const char* what;
    const char* deviceFolder; // under devices/, where class/tty/<pty>/device leads; none: no entry
    const char* usbFolder;    // under devices/, the USB device with its vendor id; none: not USB
    const char* manufacturer;
    const char* product;
    const char* uartType;
    PortDescription::Presence presence;
    const char* note; // what follows "COMn = <device> (set by NORVANE_COMn"
};

void build(FakeSysfs& sysfs, const std::string& tty, const SysfsCase& c)
{
    if (!c.deviceFolder)
        return;
    sysfs.tty(tty, c.deviceFolder);
    if (c.usbFolder) {
        const fs::path usb = fs::path("devices") / c.usbFolder;
        sysfs.file(usb / "idVendor", "1234");
        if (c.manufacturer)
            sysfs.file(usb / "manufacturer", c.manufacturer);
        if (c.product)
            sysfs.file(usb / "product", c.product);
    }
    if (c.uartType)
        sysfs.file(fs::path("class/tty") / tty / "type", c.uartType);
}

TEST(PortDescription, TellsTheDeviceAndWhatIsBehindIt)
{
    using P = PortDescription::Presence;
    const SysfsCase cases[] = {
        {"USB modem class: the interface's parent is the USB device", "usb1/1-2/1-2:1.0", "usb1/1-2",
         "Example Corp", "GNSS Receiver", nullptr, P::Present, ", Example Corp GNSS Receiver)"},
        {"USB serial adapter: one level deeper, maker already in the product", "usb1/1-3/1-3:1.0/ttyUSB0",
         "usb1/1-3", "Example Corp", "Example Corp USB-Serial", nullptr, P::Present,
         ", Example Corp USB-Serial)"},
        {"USB device with a product and no maker", "usb2/2-1/2-1:1.0", "usb2/2-1", nullptr, "GPS Puck",
         nullptr, P::Present, ", GPS Puck)"},
        {"USB device that names neither", "usb2/2-4/2-4:1.0", "usb2/2-4", nullptr, nullptr, nullptr,
         P::Present, ")"},
        {"on-board UART: no USB device above it", "pnp0/00:01", nullptr, nullptr, nullptr, "4", P::Present,
         ")"},
        {"a UART slot with no chip", "platform/serial8250", nullptr, nullptr, nullptr, "0", P::NoHardware,
         ", no serial port behind it)"},
        {"a tty that sysfs does not know", nullptr, nullptr, nullptr, nullptr, nullptr, P::Present, ")"},
    };
    PortsOfThisTest ports;
    for (const SysfsCase& c : cases) {
        SCOPED_TRACE(c.what);
        PtyPair pty;
        const std::string name = pty.exposeAs(65);
        FakeSysfs sysfs;
        build(sysfs, fs::path(pty.slavePath()).filename(), c);
        const PortDescription port = describePort(name, sysfs.root());
        EXPECT_EQ(port.device, pty.slavePath());
        EXPECT_EQ(port.presence, c.presence);
        EXPECT_EQ(descriptionText(port), "COM65 = " + pty.slavePath() + " (set by NORVANE_COM65" + c.note);
    }
}

TEST(PortDescription, AMissingDeviceAndTheDefaultMapping)
{
    PortsOfThisTest ports;
    FakeSysfs sysfs;
    const PortDescription missing = describePort("COM34", sysfs.root());
    EXPECT_EQ(missing.presence, PortDescription::Presence::Missing);
    EXPECT_EQ(descriptionText(missing),
              "COM34 = /nonexistent/norvane-com34 (set by NORVANE_COM34, no such device)");

    unsetenv("NORVANE_COM34");
    EXPECT_EQ(describePort("COM34", sysfs.root()).device, "/dev/ttyUSB1");
    EXPECT_EQ(describePort("COM34", sysfs.root()).variable, "");
    EXPECT_EQ(descriptionText(describePort("LPT1", sysfs.root())), "LPT1") << "no port name, no device";
}

TEST(PortDescription, ThePresentPortsAreThoseLeadingToADeviceInPortOrder)
{
    PortsOfThisTest ports;
    PtyPair receiver, other;
    setenv("NORVANE_COM3", receiver.slavePath().c_str(), 1);
    setenv("NORVANE_COM70", other.slavePath().c_str(), 1);
    FakeSysfs sysfs;
    sysfs.tty(fs::path(receiver.slavePath()).filename(), "usb1/1-1/1-1:1.0");
    sysfs.file("devices/usb1/1-1/idVendor", "1234");
    sysfs.file("devices/usb1/1-1/product", "GNSS Receiver");

    std::vector<std::string> lines;
    for (const PortDescription& port : presentPorts(sysfs.root()))
        lines.push_back(descriptionText(port));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "COM3 = " + receiver.slavePath() + " (set by NORVANE_COM3, GNSS Receiver)",
                         "COM70 = " + other.slavePath() + " (set by NORVANE_COM70)",
                     }));
}

} // namespace
} // namespace norvane

#endif
