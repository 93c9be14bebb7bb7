#include "platform/SerialPort.h"

#include "platform/SerialDeviceList.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace dispcraft {

namespace {

using Clock = std::chrono::steady_clock;

int causeOf(int err) {
    switch (err) {
    case EBADF:
        return cause::kInvalidFile;
    case EACCES:
    case EPERM:
        return cause::kAccessDenied;
    case EIO:
    case ENXIO:
    case EPIPE:
    case ENODEV:
        return cause::kHardIo;
    default:
        return cause::kGeneric;
    }
}

// Milliseconds left until a deadline, for poll(); -1 = no deadline.
int remainingMs(const Clock::time_point* deadline) {
    if (!deadline) {
        return -1;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count()) + 1;
}

bool expired(const Clock::time_point* deadline) { return deadline && Clock::now() >= *deadline; }

// Modem-control calls on a device without modem lines fail like this.
bool noModemLines(int err) { return err == ENOTTY || err == EINVAL || err == ENOSYS; }

} // namespace

SerialPort::~SerialPort() { close(); }

unsigned SerialPort::speedOf(int baud) {
    switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return 0;
    }
}

Message SerialPort::openFailure(const std::string& path, int err) {
    if (err == EACCES || err == EPERM) {
        std::string owner = "dialout";
        struct stat st;
        if (::stat(path.c_str(), &st) == 0) {
            char buf[4096];
            struct group entry{};
            struct group* found = nullptr;
            if (::getgrgid_r(st.st_gid, &entry, buf, sizeof buf, &found) == 0 && found) {
                owner = found->gr_name;
            } else {
                owner = std::to_string(st.st_gid);
            }
        }
        return Message::string(kMsgPermission, {path, owner});
    }
    if (err == EBUSY || err == EWOULDBLOCK) {
        return Message::string(kMsgBusy, {path});
    }
    return Message::string(kMsgCannotOpen, {path, std::strerror(err)});
}

bool SerialPort::open(int portNumber, Message* reason) {
    close();
    std::string path = m_fixedPath.empty() ? SerialDeviceList::devicePath(portNumber) : m_fixedPath;
    if (path.empty()) {
        if (reason) {
            *reason = Message::string(kMsgNoSuchPort, {std::to_string(portNumber)});
        }
        return false;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (reason) {
            *reason = openFailure(path, errno);
        }
        return false;
    }
    // No sharing: one program at a time on a port.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        if (reason) {
            *reason = openFailure(path, err == EWOULDBLOCK ? EBUSY : err);
        }
        return false;
    }
    if (::isatty(fd)) {
        ::ioctl(fd, TIOCEXCL);
        ::tcflush(fd, TCIOFLUSH); // a freshly opened port starts empty
    }
    if (::pipe2(m_wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        int err = errno;
        ::close(fd);
        m_wake[0] = m_wake[1] = -1;
        if (reason) {
            *reason = openFailure(path, err);
        }
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_interrupted = false;
    m_modemLines = true;
    m_timeouts = CommTimeouts{};
    return true;
}

bool SerialPort::configure(const LineSettings& s) {
    if (m_fd < 0) {
        return false;
    }
    termios t;
    if (::tcgetattr(m_fd, &t) != 0) {
        return false;
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~CRTSCTS; // no CTS (or DSR) output flow control
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    bool ok = true;
    if (s.baud != -1) {
        unsigned speed = speedOf(s.baud);
        if (speed) {
            ::cfsetispeed(&t, speed);
            ::cfsetospeed(&t, speed);
        } else {
            ok = false;
        }
    }
    if (s.byteSize != -1) {
        t.c_cflag &= ~CSIZE;
        t.c_cflag |= s.byteSize == 5 ? CS5 : s.byteSize == 6 ? CS6 : s.byteSize == 7 ? CS7 : CS8;
    }
    if (s.stopBits != -1) {
        if (s.stopBits == 0) {
            t.c_cflag &= ~CSTOPB;
        } else {
            t.c_cflag |= CSTOPB; // one and a half is taken as two
        }
    }
    if (s.parity != -1) {
        t.c_cflag &= ~(PARENB | PARODD | CMSPAR);
        switch (s.parity) {
        case 1:
            t.c_cflag |= PARENB | PARODD;
            break;
        case 2:
            t.c_cflag |= PARENB;
            break;
        case 3:
            t.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 4:
            t.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            break;
        }
    }
    // A pseudo-terminal keeps what it can; that is not a failure of the open.
    if (::tcsetattr(m_fd, TCSANOW, &t) != 0) {
        ok = false;
    }
    setRts(true);
    return ok;
}

bool SerialPort::setQueueSizes(size_t, size_t) {
    // The tty layer's buffers are fixed and larger than the download needs.
    return m_fd >= 0;
}

bool SerialPort::setTimeouts(const CommTimeouts& timeouts) {
    if (m_fd < 0) {
        return false;
    }
    m_timeouts = timeouts;
    return true;
}

bool SerialPort::setRts(bool on) {
    if (m_fd < 0) {
        return false;
    }
    if (!m_modemLines) {
        return true;
    }
    int bits = TIOCM_RTS;
    if (::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bits) != 0) {
        if (noModemLines(errno)) {
            m_modemLines = false;
            return true;
        }
        return false;
    }
    return true;
}

IoResult SerialPort::read(uint8_t* buffer, size_t n) {
    IoResult r;
    if (m_fd < 0 || m_interrupted) {
        r.cause = cause::kInvalidFile;
        return r;
    }
    const CommTimeouts& t = m_timeouts;
    const uint32_t kMax = CommTimeouts::kNoInterval;
    bool firstByteReturns = false;
    Clock::time_point deadline;
    const Clock::time_point* total = nullptr;
    if (t.readInterval == kMax && t.readMultiplier == 0 && t.readConstant == 0) {
        deadline = Clock::now(); // whatever is there, at once
        total = &deadline;
    } else if (t.readInterval == kMax && t.readMultiplier == kMax && t.readConstant > 0 &&
               t.readConstant < kMax) {
        firstByteReturns = true;
        deadline = Clock::now() + std::chrono::milliseconds(t.readConstant);
        total = &deadline;
    } else if (t.readMultiplier != 0 || t.readConstant != 0) {
        uint64_t ms = uint64_t{t.readMultiplier} * n + t.readConstant;
        deadline = Clock::now() + std::chrono::milliseconds(ms);
        total = &deadline;
    }
    bool useInterval = t.readInterval != 0 && t.readInterval != kMax;
    while (r.count < n) {
        int timeout = remainingMs(total);
        if (useInterval && r.count > 0) {
            int gap = static_cast<int>(std::min<uint32_t>(t.readInterval, 1u << 30));
            timeout = timeout < 0 ? gap : std::min(timeout, gap);
        }
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        int pr = ::poll(fds, 2, timeout);
        if (m_interrupted) {
            return {0, cause::kInvalidFile};
        }
        if (pr < 0) {
            if (errno == EINTR) {
                continue;
            }
            r.cause = causeOf(errno);
            return r;
        }
        if (pr == 0) {
            if (expired(total) || (useInterval && r.count > 0)) {
                break;
            }
            continue;
        }
        if (fds[0].revents & POLLIN) {
            ssize_t got = ::read(m_fd, buffer + r.count, n - r.count);
            if (got > 0) {
                r.count += static_cast<size_t>(got);
                if (firstByteReturns) {
                    break;
                }
                continue;
            }
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            r.cause = got == 0 ? cause::kHardIo : causeOf(errno);
            return r;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // The line is gone (the far end of a pseudo-terminal closed).
            r.cause = fds[0].revents & POLLNVAL ? cause::kInvalidFile : cause::kHardIo;
            return r;
        }
    }
    return r;
}

IoResult SerialPort::write(const uint8_t* bytes, size_t n) {
    IoResult r;
    if (m_fd < 0 || m_interrupted) {
        r.cause = cause::kInvalidFile;
        return r;
    }
    Clock::time_point deadline;
    const Clock::time_point* total = nullptr;
    if (m_timeouts.writeMultiplier != 0 || m_timeouts.writeConstant != 0) {
        uint64_t ms = uint64_t{m_timeouts.writeMultiplier} * n + m_timeouts.writeConstant;
        deadline = Clock::now() + std::chrono::milliseconds(ms);
        total = &deadline;
    }
    while (r.count < n) {
        ssize_t put = ::write(m_fd, bytes + r.count, n - r.count);
        if (put > 0) {
            r.count += static_cast<size_t>(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR) {
            r.cause = causeOf(errno);
            return r;
        }
        if (expired(total)) {
            break; // the caller sees the short count
        }
        pollfd fds[2] = {{m_fd, POLLOUT, 0}, {m_wake[0], POLLIN, 0}};
        int pr = ::poll(fds, 2, remainingMs(total));
        if (m_interrupted) {
            return {r.count, cause::kInvalidFile};
        }
        if (pr < 0 && errno != EINTR) {
            r.cause = causeOf(errno);
            return r;
        }
        if (pr > 0 && (fds[0].revents & (POLLERR | POLLNVAL))) {
            r.cause = cause::kHardIo;
            return r;
        }
    }
    return r;
}

void SerialPort::interrupt() {
    m_interrupted = true;
    if (m_wake[1] >= 0) {
        uint8_t b = 1;
        [[maybe_unused]] ssize_t w = ::write(m_wake[1], &b, 1);
    }
}

void SerialPort::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    for (int& w : m_wake) {
        if (w >= 0) {
            ::close(w);
            w = -1;
        }
    }
    m_interrupted = false;
}

} // namespace dispcraft
