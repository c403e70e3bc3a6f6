#include "support/permission_checks.h"

#if defined(__linux__)
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace norvane {

#if defined(__linux__)

namespace {

constexpr std::uint32_t kOverrideBits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool readCapabilities(__user_cap_header_struct& header, __user_cap_data_struct (&data)[2])
{
    header = {_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data) == 0;
}

} // namespace

PermissionChecksOn::PermissionChecksOn()
{
    __user_cap_header_struct header{};
    __user_cap_data_struct data[2]{};
    if (!readCapabilities(header, data) || (data[0].effective & kOverrideBits) == 0)
        return;
    savedEffective_ = data[0].effective;
    data[0].effective &= ~kOverrideBits;
    switchedOff_ = ::syscall(SYS_capset, &header, data) == 0;
}

PermissionChecksOn::~PermissionChecksOn()
{
    __user_cap_header_struct header{};
    __user_cap_data_struct data[2]{};
    if (!switchedOff_ || !readCapabilities(header, data))
        return;
    data[0].effective = savedEffective_;
    ::syscall(SYS_capset, &header, data);
}

#else

PermissionChecksOn::PermissionChecksOn() = default;
PermissionChecksOn::~PermissionChecksOn() = default;

#endif

} // namespace norvane
