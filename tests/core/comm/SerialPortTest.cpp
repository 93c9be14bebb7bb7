#include "CommFakes.h"

#include "platform/SerialDeviceList.h"
#include "platform/SerialPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// The far end of a pseudo-terminal, as the virtual panel holds it.
struct Pty {
    int master = -1;
    std::string slave;
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        slave = ::ptsname(master);
    }
    ~Pty() {
        if (master >= 0) {
            ::close(master);
        }
    }
};

} // namespace

TEST(SerialDeviceList, OrderNamesAndFiltering) {
    TempDir dir;
    std::string dev = dir.path() + "/dev", sys = dir.path() + "/sys";
    std::system(("mkdir -p '" + dev + "/serial/by-id' '" + sys + "/class/tty/ttyS0' '" + sys +
                 "/class/tty/ttyS1' '" + sys + "/class/tty/ttyS10'")
                    .c_str());
    for (const char* n : {"ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyUSB1", "ttyUSB0", "ttyACM0",
                          "tty0", "ttyUSBx", "console"}) {
        dir.write(std::string("dev/") + n, {});
    }
    dir.write("sys/class/tty/ttyS0/type", {'4', '\n'});
    dir.write("sys/class/tty/ttyS1/type", {'0', '\n'}); // no UART behind it
    dir.write("sys/class/tty/ttyS10/type", {'4'});
    ASSERT_EQ(::symlink("../../ttyUSB1", (dev + "/serial/by-id/usb-Maker_Cable-if00").c_str()), 0);

    auto list = SerialDeviceList::list(dev, sys, "/tmp/pts-a::/dev/pts/7");
    std::vector<std::string> names;
    for (const SerialDevice& d : list) {
        names.push_back(d.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ttyS0", "ttyS2", "ttyS10", "ttyUSB0", "ttyUSB1",
                                               "ttyACM0", "/tmp/pts-a", "pts/7"}));
    EXPECT_EQ(list[4].label(), "ttyUSB1 (usb-Maker_Cable-if00)");
    EXPECT_EQ(list[4].path, dev + "/ttyUSB1");
    EXPECT_EQ(list[3].label(), "ttyUSB0");
    EXPECT_EQ(list[6].path, "/tmp/pts-a");
}

TEST(SerialDeviceList, AdaptersByTheirProductNames) {
    TempDir dir;
    const std::string dev = dir.path() + "/dev", sys = dir.path() + "/sys";
    // ttyUSB: the tty link leads to the port under the USB interface; ttyACM: to the interface.
    const std::string usb = sys + "/devices/pci0/usb1/1-1", acm = sys + "/devices/pci0/usb1/1-2";
    std::system(("mkdir -p '" + dev + "' '" + usb + "/1-1:1.0/ttyUSB0' '" + acm + "/1-2:1.0' '" +
                 sys + "/class/tty/ttyUSB0' '" + sys + "/class/tty/ttyACM0'")
                    .c_str());
    dir.write("dev/ttyUSB0", {});
    dir.write("dev/ttyACM0", {});
    dir.write("dev/ttyUSB1", {}); // unplugged meanwhile: no system entry
    auto text = [](const std::string& t) { return Bytes(t.begin(), t.end()); };
    dir.write("sys/devices/pci0/usb1/1-1/product", text("FT232R UART\n"));
    dir.write("sys/devices/pci0/usb1/1-2/product", text("PLC link"));
    ASSERT_EQ(
        ::symlink((usb + "/1-1:1.0/ttyUSB0").c_str(), (sys + "/class/tty/ttyUSB0/device").c_str()),
        0);
    ASSERT_EQ(::symlink((acm + "/1-2:1.0").c_str(), (sys + "/class/tty/ttyACM0/device").c_str()),
              0);
    auto list = SerialDeviceList::list(dev, sys, dev + "/ttyUSB0");
    ASSERT_EQ(list.size(), 3u); // the device named again in the environment is listed once
    EXPECT_EQ(list[0].label(), "ttyUSB0 (FT232R UART)");
    EXPECT_EQ(list[0].kind, SerialDevice::Kind::Adapter);
    EXPECT_EQ(list[1].label(), "ttyUSB1");
    EXPECT_EQ(list[2].label(), "ttyACM0 (PLC link)");
}

TEST(SerialPort, PseudoTerminalWithoutModemLines) {
    Pty pty;
    SerialPort port(pty.slave);
    Message reason;
    ASSERT_TRUE(port.open(1, &reason));
    EXPECT_TRUE(port.configure(LineSettings{19200, 0, 8, 0}));
    EXPECT_TRUE(port.setRts(true));
    EXPECT_TRUE(port.setRts(false));
    EXPECT_FALSE(port.hasModemLines());
    EXPECT_TRUE(port.setQueueSizes(1024, 1024));

    // A second open of the same device is refused as busy.
    SerialPort other(pty.slave);
    EXPECT_FALSE(other.open(1, &reason));
    EXPECT_EQ(reason, Message::string(SerialPort::kMsgBusy, {pty.slave}));

    const uint8_t hello[] = {1, 2, 3};
    EXPECT_EQ(port.write(hello, 3).count, 3u);
    uint8_t got[8] = {};
    EXPECT_EQ(::read(pty.master, got, sizeof got), 3);
    EXPECT_EQ(got[2], 3);

    // A read returns what came once its total time-out has passed.
    CommTimeouts t;
    t.readMultiplier = 5;
    t.readConstant = 20;
    port.setTimeouts(t);
    const uint8_t answer[] = {9, 8};
    ASSERT_EQ(::write(pty.master, answer, 2), 2);
    auto start = std::chrono::steady_clock::now();
    IoResult r = port.read(got, 5);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                    start)
                  .count();
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(r.cause, 0);
    EXPECT_GE(ms, 40);
    EXPECT_LT(ms, 2000);

    // A complete read returns at once, whatever the time-out.
    t.readMultiplier = 1000;
    t.readConstant = 1000;
    port.setTimeouts(t);
    const uint8_t five[] = {1, 2, 3, 4, 5};
    ASSERT_EQ(::write(pty.master, five, 5), 5);
    start = std::chrono::steady_clock::now();
    r = port.read(got, 5);
    EXPECT_EQ(r.count, 5u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));

    // Interrupting a waiting read ends it with cause 6.
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        port.interrupt();
    });
    r = port.read(got, 5);
    closer.join();
    EXPECT_EQ(r.cause, cause::kInvalidFile);
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.read(got, 1).cause, cause::kInvalidFile);
}

TEST(SerialPort, FarEndGoneIsAnError) {
    auto pty = std::make_unique<Pty>();
    SerialPort port(pty->slave);
    ASSERT_TRUE(port.open(1, nullptr));
    port.configure(LineSettings{19200, 0, 8, 0});
    CommTimeouts t;
    t.readMultiplier = t.readConstant = 1000;
    port.setTimeouts(t);
    pty.reset();
    uint8_t got[5];
    auto start = std::chrono::steady_clock::now();
    IoResult r = port.read(got, 5);
    EXPECT_NE(r.cause, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST(SerialPort, RefusedOpensSayWhy) {
    SerialPort missing("/nonexistent/ttyUSB9");
    Message reason;
    EXPECT_FALSE(missing.open(1, &reason));
    EXPECT_EQ(reason.id, SerialPort::kMsgCannotOpen);
    EXPECT_EQ(reason.args.at(0), "/nonexistent/ttyUSB9");

    // Permission refused names the group that owns the device.
    TempDir dir;
    std::string dev = dir.write("ttyUSB0", {});
    struct stat st;
    ASSERT_EQ(::stat(dev.c_str(), &st), 0);
    group* g = ::getgrgid(st.st_gid);
    Message m = SerialPort::openFailure(dev, EACCES);
    EXPECT_EQ(m.id, SerialPort::kMsgPermission);
    EXPECT_EQ(m.args.at(1), g ? std::string(g->gr_name) : std::to_string(st.st_gid));

    SerialPort byNumber;
    EXPECT_FALSE(byNumber.open(100000, &reason));
    EXPECT_EQ(reason, Message::string(SerialPort::kMsgNoSuchPort, {"100000"}));
    EXPECT_EQ(SerialPort::speedOf(19200), static_cast<unsigned>(B19200));
    EXPECT_EQ(SerialPort::speedOf(12345), 0u);
}
