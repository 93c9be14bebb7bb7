#pragma once

#include <string>
#include <vector>

namespace dispcraft {

// One serial device as the port list shows it.
struct SerialDevice {
    enum class Kind {
        Builtin,      // ttyS with a UART behind it
        Adapter,      // ttyUSB and ttyACM: USB serial adapters
        VirtualPanel, // a running dispcraft-panel's pseudo-terminal
        Other,        // named in $DISPCRAFT_SERIAL_DEVICES
    };
    std::string path;    // "/dev/ttyUSB0"
    std::string name;    // "ttyUSB0", "pts/3"
    std::string byId;    // its /dev/serial/by-id name, when there is one
    std::string product; // the USB adapter's product name, when the system knows it
    Kind kind = Kind::Other;

    // "ttyUSB0 (FT232R USB UART)", "ttyUSB0 (usb-FTDI_FT232R_USB_UART_A1-if00-port0)", or the
    // name alone; the port lists name virtual panels in the user's language.
    std::string label() const;
};

// The serial devices behind the port list, in a fixed order: ttyS (those with a UART behind
// them), then ttyUSB, then ttyACM, each by number; devices named in $DISPCRAFT_SERIAL_DEVICES
// (separated by ':'); then the running virtual panels. Port number n is the n-th of them.
class SerialDeviceList {
public:
    static std::vector<SerialDevice> list();
    // The same over other roots (tests build fake /dev and /sys trees and panel directories).
    static std::vector<SerialDevice> list(const std::string& devRoot, const std::string& sysRoot,
                                          const std::string& extra,
                                          const std::string& panelDirectory = {});
    // The device of a port number (1 = first), or empty.
    static std::string devicePath(int portNumber);
};

} // namespace dispcraft
