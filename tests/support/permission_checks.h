#pragma once

#include <cstdint>

namespace norvane {

// Root passes every file permission check, so a test of what happens with a read-only file or
// directory would prove nothing when the suite runs as root. While one of these lives, the
// calling thread's override of those checks is switched off (Linux only) and the permission
// bits apply to it as to anyone; the override comes back when it goes.
class PermissionChecksOn {
public:
    PermissionChecksOn();
    ~PermissionChecksOn();
    PermissionChecksOn(const PermissionChecksOn&) = delete;
    PermissionChecksOn& operator=(const PermissionChecksOn&) = delete;

private:
    bool switchedOff_ = false;
    std::uint32_t savedEffective_ = 0;
};

} // namespace norvane
