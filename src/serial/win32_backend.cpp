#include "serial/port_backend.h"

#include <windows.h>

namespace norvane {

namespace {

class Win32Backend : public PortBackend {
public:
    ~Win32Backend() override { close(); }

    bool open(const std::string& portName) override
    {
        const std::string device = "\\\\.\\" + portName;
        HANDLE opened =
            CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (opened == INVALID_HANDLE_VALUE)
            return false;
        // A port still held from before is let go rather than leaked.
        close();
        handle_ = opened;
        return true;
    }

    bool isOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

    // Only the rate and the framing change; the driver's flow control, special characters and
    // binary mode stay as the port reported them.
    bool applyLineSettings(int rate) override
    {
        if (rate <= 0)
            return false;
        settings_.DCBlength = sizeof settings_;
        GetCommState(handle_, &settings_);
        if (settings_.BaudRate != static_cast<DWORD>(rate))
            settings_.BaudRate = static_cast<DWORD>(rate);
        if (settings_.ByteSize != 8)
            settings_.ByteSize = 8;
        if (settings_.Parity != NOPARITY)
            settings_.Parity = NOPARITY;
        if (settings_.StopBits != ONESTOPBIT)
            settings_.StopBits = ONESTOPBIT;
        return SetCommState(handle_, &settings_) != 0;
    }

    void close() override
    {
        if (handle_ == INVALID_HANDLE_VALUE)
            return;
        PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    bool purgeReceive() override { return PurgeComm(handle_, PURGE_RXCLEAR) != 0; }

    std::optional<std::uint32_t> queuedBytes() override
    {
        COMSTAT status{};
        if (!ClearCommError(handle_, &errors_, &status))
            return std::nullopt;
        return static_cast<std::uint32_t>(status.cbInQue);
    }

    int read(std::uint8_t* dest, std::size_t count) override
    {
        DWORD got = 0;
        if (!ReadFile(handle_, dest, static_cast<DWORD>(count), &got, nullptr))
            return -1;
        return static_cast<int>(got);
    }

    bool write(const std::uint8_t* data, std::size_t count) override
    {
        DWORD written = 0;
        return WriteFile(handle_, data, static_cast<DWORD>(count), &written, nullptr) != 0;
    }

    bool setupQueues(int size) override
    {
        SetupComm(handle_, static_cast<DWORD>(size), static_cast<DWORD>(size));
        return SetCommMask(handle_, EV_RXCHAR) != 0;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DCB settings_{};
    DWORD errors_ = 0;
};

} // namespace

std::unique_ptr<PortBackend> makePlatformBackend(const std::filesystem::path&)
{
    return std::make_unique<Win32Backend>();
}

} // namespace norvane
