#pragma once

#include "base/Message.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// Line settings as the port open takes them; -1 keeps the device's current value. Parity and
// stop bits use the Windows codes the download passes (parity 0 none, 1 odd, 2 even, 3 mark,
// 4 space; stop bits 0 one, 1 one and a half, 2 two).
struct LineSettings {
    int baud = -1;
    int parity = -1;
    int byteSize = -1;
    int stopBits = -1;
};

// Read and write time-outs with the Windows meaning: a read of n bytes returns when n bytes have
// arrived or after readMultiplier * n + readConstant ms (readInterval of kNoInterval switches the
// gap time-out off); a write gives up after writeMultiplier * n + writeConstant ms.
struct CommTimeouts {
    static constexpr uint32_t kNoInterval = 0xFFFFFFFFu;
    uint32_t readInterval = kNoInterval;
    uint32_t readMultiplier = 0;
    uint32_t readConstant = 0;
    uint32_t writeMultiplier = 0;
    uint32_t writeConstant = 0;
};

// The file-error causes a port operation reports (the values a consumer of a Reply sees).
namespace cause {
constexpr int kNone = 0;
constexpr int kGeneric = 1;
constexpr int kAccessDenied = 5;
constexpr int kInvalidFile = 6; // the handle is gone: the port was closed under the job
constexpr int kHardIo = 10;
} // namespace cause

struct IoResult {
    size_t count = 0;
    int cause = cause::kNone;
};

// The device under a CommPort: a serial port, a pseudo-terminal, or a scripted fake in tests.
// read() and write() run on the I/O thread; interrupt() may be called from any thread and makes a
// blocked or later read or write return with cause kInvalidFile until close().
class Transport {
public:
    virtual ~Transport() = default;

    // Opens the device of a port number (1 = the first). On failure returns false and, when
    // given, a reason for the user (empty when there is nothing to add to the caller's message).
    virtual bool open(int portNumber, Message* reason) = 0;
    virtual bool isOpen() const = 0;
    // Applies what the device allows; the download ignores the result.
    virtual bool configure(const LineSettings& settings) = 0;
    virtual bool setQueueSizes(size_t in, size_t out) = 0;
    virtual bool setTimeouts(const CommTimeouts& timeouts) = 0;
    // A device without modem lines (a pseudo-terminal) accepts this as a no-op.
    virtual bool setRts(bool on) = 0;
    virtual IoResult read(uint8_t* buffer, size_t n) = 0;
    virtual IoResult write(const uint8_t* bytes, size_t n) = 0;
    virtual void interrupt() = 0;
    virtual void close() = 0;
};

} // namespace dispcraft
