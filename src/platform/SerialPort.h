#pragma once

#include "comm/Transport.h"

#include <atomic>
#include <string>

namespace dispcraft {

// A serial device through termios: ttyS, ttyUSB and ttyACM ports and pseudo-terminals. Opened by
// port number (the n-th device of SerialDeviceList) or, when constructed with a path, always that
// device. A device without modem lines (a pseudo-terminal) takes RTS as a no-op, and line
// settings it cannot keep are taken as it allows; neither makes the open fail.
class SerialPort : public Transport {
public:
    // Our own messages about a device that cannot be opened.
    enum Strings : int {
        kMsgPermission = 65401, // path, group
        kMsgBusy = 65402,       // path
        kMsgNoSuchPort = 65403, // port number
        kMsgCannotOpen = 65404, // path, reason
    };

    SerialPort() = default;
    explicit SerialPort(std::string devicePath) : m_fixedPath(std::move(devicePath)) {}
    ~SerialPort() override;
    // The device the next open takes, whatever port number it is given; empty = by number.
    void setDevicePath(std::string devicePath) { m_fixedPath = std::move(devicePath); }

    bool open(int portNumber, Message* reason) override;
    bool isOpen() const override { return m_fd >= 0; }
    bool configure(const LineSettings& settings) override;
    bool setQueueSizes(size_t in, size_t out) override;
    bool setTimeouts(const CommTimeouts& timeouts) override;
    bool setRts(bool on) override;
    IoResult read(uint8_t* buffer, size_t n) override;
    IoResult write(const uint8_t* bytes, size_t n) override;
    void interrupt() override;
    void close() override;

    const std::string& path() const { return m_path; }
    bool hasModemLines() const { return m_modemLines; }
    // The message for a refused open of path with errno err.
    static Message openFailure(const std::string& path, int err);
    // The termios speed of a baud rate, or 0 when the rate has none.
    static unsigned speedOf(int baud);

private:
    std::string m_fixedPath;
    std::string m_path;
    int m_fd = -1;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_interrupted = false;
    bool m_modemLines = true;
    CommTimeouts m_timeouts;
};

} // namespace dispcraft
