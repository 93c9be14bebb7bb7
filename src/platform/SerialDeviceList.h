#pragma once

#include <string>
#include <vector>

namespace dispcraft {

// One serial device as the port list shows it.
struct SerialDevice {
    std::string path; // "/dev/ttyUSB0"
    std::string name; // "ttyUSB0"
    std::string byId; // its /dev/serial/by-id name, when there is one

    // "ttyUSB0 (usb-FTDI_FT232R_USB_UART_A1-if00-port0)", or the name alone.
    std::string label() const { return byId.empty() ? name : name + " (" + byId + ")"; }
};

// The serial devices behind the port list, in a fixed order: ttyS (those with a UART behind
// them), then ttyUSB, then ttyACM, each by number. Port number n is the n-th of them. Devices
// named in $DISPCRAFT_SERIAL_DEVICES (separated by ':', for example a virtual panel's
// pseudo-terminal) follow at the end.
class SerialDeviceList {
public:
    static std::vector<SerialDevice> list();
    // The same over other roots (tests build fake /dev and /sys trees).
    static std::vector<SerialDevice> list(const std::string& devRoot, const std::string& sysRoot,
                                          const std::string& extra);
    // The device of a port number (1 = first), or empty.
    static std::string devicePath(int portNumber);
};

} // namespace dispcraft
