#include "comm/DownloadSession.h"

#include "comm/Packets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace dispcraft {

namespace {

// Language strings of the download.
enum : int {
    kLogHandshakeOk = 61458,
    kLogSending = 61459,
    kLogNoAnswer1 = 61460,
    kLogNoAnswer2 = 61461,
    kLogHandshakeFailed = 61462,
    kMsgRefused = 61468,
    kMsgRefusedWithCode = 65405, // generation 2 says why
    kLogDone = 61471,
    kLogTypeA3 = 61477,
    kLogSystemProgram = 61478,
    kLogProject = 61479,
    kMsgTestOpen = 61480,
    kStatusProject = 61481,
    kMsgImage = 61482,
    kCaptionFile = 61483,
    kMsgDriver = 61484,
    kMsgSystemProgram = 61485,
    kMsgSlotFile = 61486,
    kMsgBadHeader = 61487,
    kMsgWrongType = 61488,
    kAskSystemProgram = 61489,
    kCaptionSystemProgram = 61490,
    kFilterSystemProgram = 61491,
    kAskSystemProgramPath = 61492,
    kMsgNoMarker = 61493,
    kLogStart = 61494,
    kMsgOpenFailed = 61495,
    kLogCancelled = 63000,
    kLogTypeA1 = 63001,
    kMsgNoAnswer = 63002,
    kMsgBadTag = 63003,
    kLogTypeA2 = 63004,
    kLogResend = 63005,
};

enum : int { kTagHandshake = 1, kTagData = 3, kTagClock = 32, kTagEnd = 33 };

constexpr int kHandshakeRetries = 10; // 11 attempts in all
constexpr int kNoAnswerLimit = 2;     // the third reply without ESC fails
constexpr int kRefusalLimit = 3;      // the fifth refusal fails
constexpr int kClockAttempts = 3;
constexpr int kTransferTimeoutMs = 1000;
constexpr int kWaitSystemProgramMs = 5000;
constexpr int kWaitProjectMs = 2000;
constexpr size_t kMarkerLength = 13;

const LineSettings kDownloadLine{19200, 0, 8, 0};

int g_rememberedPortIndex = 0; // one byte in the dialog: shared by all its openings

// The length of a file, or -1 when it cannot be opened.
long fileLength(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return -1;
    }
    long n = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        n = std::ftell(f);
    }
    std::fclose(f);
    return n;
}

// Reads up to n bytes at offset; returns the count read, or -1 when the file cannot be opened.
long readAt(const std::string& path, long offset, uint8_t* out, size_t n) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        return -1;
    }
    long got = 0;
    if (n > 0 && std::fseek(f, offset, SEEK_SET) == 0) {
        got = static_cast<long>(std::fread(out, 1, n, f));
    }
    std::fclose(f);
    return got;
}

Message logLine(int id) { return Message::string(id, {"\r", "\n"}); }

} // namespace

DownloadSession::DownloadSession(DownloadInputs inputs, std::unique_ptr<Transport> transport,
                                 Clock& clock, MessageSink& sink, CommPort::Jobs jobs)
    : m_inputs(std::move(inputs)), m_clock(clock), m_sink(sink),
      m_port(std::move(transport), sink, jobs) {
    m_cancel = false;
    m_expectedType = 1;
    m_controls.clockBox = generation() == 2;
    if (generation() == 2) {
        m_expectedType = 2;
    }
    m_portIndex = g_rememberedPortIndex;
    m_drivers = m_inputs.typeA;
}

DownloadSession::~DownloadSession() {
    // A job still running must not touch this session: stop the I/O before anything goes.
    m_clock.stopTimer();
    m_port.detach();
}

std::string DownloadSession::portName() const {
    return m_portName.empty() ? "COM" + std::to_string(portNumber()) : m_portName;
}

void DownloadSession::selectPort(int index) {
    m_portIndex = std::clamp(index, 0, 255);
    g_rememberedPortIndex = m_portIndex;
}

int DownloadSession::rememberedPortIndex() { return g_rememberedPortIndex; }

void DownloadSession::changed() {
    if (m_listener) {
        m_listener();
    }
}

void DownloadSession::appendLog(int id) { appendLog(logLine(id)); }

void DownloadSession::appendLog(Message line) {
    m_log.push_back(std::move(line));
    changed();
}

void DownloadSession::setRange(int max) {
    m_progressMin = 0;
    m_progressMax = std::max(max, 0);
    m_progressPos = 0;
}

void DownloadSession::setPosition(int pos) { m_progressPos = std::clamp(pos, 0, m_progressMax); }

void DownloadSession::showFailure(const Message& m) { m_sink.show(m, Icon::Warning); }

void DownloadSession::showWithCaption(const Message& m, int caption) {
    m_sink.ask(m, Buttons::Ok, caption);
}

// ---- the user actions ------------------------------------------------------------------------

bool DownloadSession::projectLengths(const DriverPaths& drivers, int* sum) {
    long image = fileLength(m_inputs.imagePath);
    if (image < 0) {
        showWithCaption(Message::string(kMsgImage), kCaptionFile);
        return false;
    }
    long d1 = fileLength(drivers.com1);
    long d2 = d1 < 0 ? -1 : fileLength(drivers.com2);
    if (d1 < 0 || d2 < 0) {
        showWithCaption(Message::string(kMsgDriver), kCaptionFile);
        return false;
    }
    *sum = static_cast<int>(image + d1 + d2);
    return true;
}

void DownloadSession::download() {
    if (m_transferring) {
        return;
    }
    // A test open first, so that a wrong port is reported before anything else happens.
    Message reason;
    if (!m_port.open(portNumber(), kDownloadLine, &reason)) {
        showFailure(Message::string(kMsgTestOpen, {portName()}));
        if (!reason.empty()) {
            showFailure(reason);
        }
        return;
    }
    m_port.close();
    m_clockForTransfer = m_clockChecked;
    m_status = Message::string(kStatusProject);
    m_currentFile = m_inputs.imagePath;
    changed();
    if (generation() == 2) {
        int sum = 0;
        if (!projectLengths(m_inputs.typeA, &sum)) {
            return;
        }
        setRange(sum);
        m_systemProgram = false;
        m_slot = 4;
        m_blockInFile = 0;
    } else {
        long length = fileLength(m_currentFile);
        if (length < 0) {
            showWithCaption(Message::string(kMsgImage), kCaptionFile);
            return;
        }
        setRange(static_cast<int>(length));
        m_systemProgram = false;
    }
    startTransfer(false);
}

void DownloadSession::downloadSystemProgram(const FileChooser& chooser) {
    if (m_transferring) {
        return;
    }
    m_clockForTransfer = m_clockChecked;
    if (m_sink.ask(Message::string(kAskSystemProgram), Buttons::OkCancel, kCaptionSystemProgram) !=
        Answer::Ok) {
        return;
    }
    std::optional<std::string> path = chooser ? chooser(Message::string(kFilterSystemProgram))
                                              : std::nullopt;
    if (!path) {
        return;
    }
    m_currentFile = *path;
    m_status = Message::text(*path);
    changed();
    if (m_sink.ask(Message::string(kAskSystemProgramPath, {*path}), Buttons::OkCancel,
                   kCaptionSystemProgram) != Answer::Ok) {
        return;
    }
    long length = fileLength(m_currentFile);
    if (length < 0) {
        showWithCaption(Message::string(kMsgSystemProgram), kCaptionFile);
        return;
    }
    if (generation() == 1) {
        if (length < static_cast<long>(packets::kGen1SystemLength)) {
            showWithCaption(Message::string(kMsgSystemProgram), kCaptionFile);
            return;
        }
        uint8_t marker[kMarkerLength] = {};
        long got = readAt(m_currentFile, static_cast<long>(packets::kGen1SystemLength), marker,
                          kMarkerLength);
        if (got < static_cast<long>(kMarkerLength) || std::memcmp(marker, "QEL", 3) != 0 ||
            marker[11] != '0' || marker[12] != '2') {
            showFailure(Message::string(kMsgNoMarker));
            return;
        }
        setRange(static_cast<int>(packets::kGen1SystemLength));
    } else {
        setRange(static_cast<int>(length) + kSystemProgramExtra);
        m_slot = 0;
        m_blockInFile = 0;
    }
    m_controls.stop = false;
    m_controls.cancel = false;
    startTransfer(true);
}

void DownloadSession::stop() { m_cancel = true; }

void DownloadSession::cancel() { m_cancel = true; }

// ---- starting and ending ---------------------------------------------------------------------

void DownloadSession::startTransfer(bool systemProgram) {
    m_lastPacket = false;
    m_controls.download = m_controls.portList = m_controls.systemProgram = false;
    m_controls.cancel = m_controls.clockBox = false;
    m_controls.stop = !systemProgram;
    m_systemProgram = systemProgram;
    m_packetCounter = 0;
    // A Stop pressed while idle must not cancel this transfer, and every transfer learns the
    // panel's type from its own handshake.
    m_cancel = false;
    m_drivers = m_inputs.typeA;
    if (generation() == 2) {
        m_expectedType = 2;
    }
    if (generation() == 2) {
        auto hs = packets::gen2Handshake(systemProgram);
        std::copy(hs.begin(), hs.end(), m_tx.begin());
        m_txSize = hs.size();
    } else {
        auto hs = packets::gen1Handshake(systemProgram);
        std::copy(hs.begin(), hs.end(), m_tx.begin());
        m_txSize = hs.size();
    }
    m_noAnswer = 0;
    Message reason;
    if (!m_port.open(portNumber(), kDownloadLine, &reason)) {
        showFailure(Message::string(kMsgOpenFailed, {portName()}));
        if (!reason.empty()) {
            showFailure(reason);
        }
        m_controls = DownloadControls{};
        m_controls.clockBox = generation() == 2;
        changed();
        return;
    }
    m_transferring = true;
    m_outcome = DownloadOutcome::Running;
    m_log.assign(1, logLine(kLogStart));
    changed();
    pulseRts();
    sendHandshake();
}

void DownloadSession::finish(DownloadOutcome outcome) {
    m_clock.stopTimer();
    m_port.close();
    m_transferring = false;
    m_outcome = outcome;
    m_controls.download = m_controls.portList = m_controls.systemProgram = true;
    m_controls.stop = false;
    m_controls.cancel = true;
    m_controls.clockBox = generation() == 2;
    changed();
}

void DownloadSession::fail(const Message& m) {
    finish(DownloadOutcome::Failed);
    showFailure(m);
}

void DownloadSession::pulseRts() {
    m_port.setRts(true);
    m_port.setRts(false);
}

void DownloadSession::exchange(size_t nWrite, size_t nRead, int tag) {
    m_port.startExchange(m_tx.data(), nWrite, nRead, -1, m_queue, m_notifier, tag);
}

void DownloadSession::sendHandshake() { exchange(m_txSize, m_txSize, kTagHandshake); }

// ---- the reply handler -----------------------------------------------------------------------

void DownloadSession::handleReplies() {
    while (std::unique_ptr<Reply> r = m_queue.pop()) {
        if (!m_transferring) {
            continue; // nothing waits for it any more
        }
        if (generation() == 1 && r->errorCause == cause::kInvalidFile) {
            // The port was closed under the job: nothing more can come.
            if (!m_port.isOpen()) {
                finish(DownloadOutcome::Failed);
            }
            return;
        }
        if (m_cancel) {
            m_cancel = false;
            finish(DownloadOutcome::Cancelled);
            appendLog(kLogCancelled);
            m_controls.cancel = true;
            changed();
            return;
        }
        switch (r->tag) {
        case kTagHandshake:
            onHandshake(*r);
            break;
        case kTagData:
            if (generation() == 2) {
                gen2OnData(*r);
            } else {
                gen1OnData(*r);
            }
            break;
        case kTagClock:
            if (generation() == 2) {
                gen2OnClock(*r);
            } else {
                fail(Message::string(kMsgBadTag));
            }
            break;
        case kTagEnd:
            if (generation() == 1) {
                gen1OnEnd();
            } else {
                fail(Message::string(kMsgBadTag));
            }
            break;
        default:
            fail(Message::string(kMsgBadTag));
            break;
        }
    }
    changed();
}

void DownloadSession::onHandshake(const Reply& r) {
    bool match;
    if (generation() == 2) {
        if (r.at(1) == 'B') {
            m_expectedType = 3;
            m_drivers = m_inputs.typeB;
            if (!m_systemProgram) {
                // Only reports; a driver that cannot be opened fails when its packet is built.
                int sum = 0;
                setRange(projectLengths(m_drivers, &sum) ? sum : 0);
            }
            match = r.startsWith(packets::kGen2ReplyTypeB.data(), packets::kGen2ReplyTypeB.size());
        } else {
            match = r.startsWith(packets::kGen2ReplyTypeA.data(), packets::kGen2ReplyTypeA.size());
        }
    } else {
        match = r.startsWith(packets::kGen1HandshakeAccept.data(),
                             packets::kGen1HandshakeAccept.size());
    }
    if (!match) {
        if (m_noAnswer >= kHandshakeRetries) {
            finish(DownloadOutcome::Failed);
            appendLog(kLogHandshakeFailed);
            return;
        }
        appendLog(kLogNoAnswer1);
        appendLog(kLogNoAnswer2);
        sendHandshake();
        ++m_noAnswer;
        return;
    }
    m_port.setRts(false);
    if (!m_port.setTimeouts(kTransferTimeoutMs)) {
        // The port is closed now (its message is shown): going on would wait for nothing.
        finish(DownloadOutcome::Failed);
        return;
    }
    appendLog(kLogHandshakeOk);
    if (generation() == 1) {
        appendLog(kLogSending);
        m_clock.startTimer(m_systemProgram ? kWaitSystemProgramMs : kWaitProjectMs,
                           [this] { gen1Timer(); });
        return;
    }
    if (!r.startsWith(packets::kGen2ReplyTypeB.data(), 2)) {
        appendLog(kLogTypeA1);
        appendLog(kLogTypeA2);
        appendLog(kLogTypeA3);
        appendLog(Message::text("----------------------------------------\r\n"));
    }
    appendLog(kLogSending);
    m_refusals = 0;
    Build b = gen2BuildPacket();
    if (b == Build::Error) {
        return; // already finished
    }
    if (b == Build::NothingLeft) {
        // A system program with nothing after its header: there is no packet to send.
        gen2Completed();
        return;
    }
    m_noAnswer = 0;
    // The panel needs a moment after the handshake; a timer keeps the user interface alive.
    m_clock.startTimer(m_systemProgram ? kWaitSystemProgramMs : kWaitProjectMs,
                       [this] { gen2AfterWait(); });
}

// ---- generation 1 ----------------------------------------------------------------------------

void DownloadSession::gen1Timer() {
    m_clock.stopTimer();
    if (!m_transferring) {
        return;
    }
    appendLog(m_systemProgram ? kLogSystemProgram : kLogProject);
    m_refusals = 0;
    if (!gen1BuildPacket()) {
        return;
    }
    m_noAnswer = 0;
    exchange(packets::kGen1PacketSize, packets::kGen1ReplySize, kTagData);
}

bool DownloadSession::gen1BuildPacket() {
    uint16_t block = m_packetCounter;
    uint8_t data[packets::kGen1DataSize] = {};
    long offset = static_cast<long>(packets::kGen1DataSize) * block;
    if (!m_systemProgram) {
        long length = fileLength(m_currentFile);
        if (length < 0) {
            fail(Message::string(kMsgImage));
            return false;
        }
        if (offset < length) {
            readAt(m_currentFile, offset, data, sizeof data);
        } else {
            m_lastPacket = true;
        }
    } else if (m_packetCounter < packets::kGen1SystemBlocks) {
        if (readAt(m_currentFile, offset, data, sizeof data) < 0) {
            fail(Message::string(kMsgSystemProgram));
            return false;
        }
    }
    auto p = packets::gen1Data(block, data);
    std::copy(p.begin(), p.end(), m_tx.begin());
    ++m_packetCounter;
    if (m_systemProgram && m_packetCounter >= packets::kGen1SystemBlocks) {
        m_lastPacket = true;
    }
    return true;
}

void DownloadSession::gen1OnData(const Reply& r) {
    setPosition(static_cast<int>(packets::kGen1DataSize) * m_packetCounter);
    if (r.at(0) != packets::kEsc) {
        if (++m_noAnswer > kNoAnswerLimit) {
            fail(Message::string(kMsgNoAnswer));
            return;
        }
        exchange(packets::kGen1PacketSize, packets::kGen1ReplySize, kTagData);
        return;
    }
    if (r.at(1) == packets::kAck) {
        m_noAnswer = 0;
        if (m_lastPacket) {
            std::copy(packets::kGen1End.begin(), packets::kGen1End.end(), m_tx.begin());
            m_port.startSend(m_tx.data(), packets::kGen1EndSize);
            appendLog(kLogDone);
            m_port.startReceive(packets::kGen1ReplySize, -1, m_queue, m_notifier, kTagEnd);
            return;
        }
        m_refusals = 0;
        if (gen1BuildPacket()) {
            exchange(packets::kGen1PacketSize, packets::kGen1ReplySize, kTagData);
        }
        return;
    }
    if (m_refusals > kRefusalLimit) {
        fail(Message::string(kMsgRefused));
        return;
    }
    ++m_refusals;
    appendLog(kLogResend);
    exchange(packets::kGen1PacketSize, packets::kGen1ReplySize, kTagData);
}

void DownloadSession::gen1OnEnd() {
    pulseRts();
    m_clock.wait(kBriefPauseMs);
    finish(DownloadOutcome::Finished);
}

// ---- generation 2 ----------------------------------------------------------------------------

void DownloadSession::gen2AfterWait() {
    m_clock.stopTimer();
    if (!m_transferring) {
        return;
    }
    m_port.startSend(m_tx.data(), packets::kGen2PacketSize);
    appendLog(m_systemProgram ? kLogSystemProgram : kLogProject);
    m_port.startReceive(packets::kGen2DataReplySize, -1, m_queue, m_notifier, kTagData);
    ++m_packetCounter; // from here on the progress runs one packet ahead
}

DownloadSession::Build DownloadSession::gen2BuildPacket() {
    if (m_systemProgram ? m_slot > 3 : m_slot > 7) {
        return Build::NothingLeft;
    }
    const std::string* path = nullptr;
    uint8_t wire = 0;
    switch (m_slot) {
    case 0:
        path = &m_currentFile;
        wire = packets::kWireSystemProgram;
        break;
    case 4:
        path = &m_drivers.com1;
        wire = packets::kWireCom1Driver;
        break;
    case 5:
        path = &m_drivers.com2;
        wire = packets::kWireCom2Driver;
        break;
    case 6:
        path = &m_inputs.imagePath;
        wire = packets::kWireImage;
        break;
    default:
        return Build::NothingLeft; // slots the sequences never reach
    }
    long length = fileLength(*path);
    if (length < 0) {
        if (m_slot > 3 || m_blockInFile != 0) {
            fail(Message::string(kMsgSlotFile, {std::to_string(m_slot)}));
            return Build::Error;
        }
        return Build::NothingLeft;
    }
    uint8_t data[packets::kGen2DataSize] = {};
    uint16_t block = static_cast<uint16_t>(m_blockInFile);
    if (m_slot != 6) {
        if (m_blockInFile == 0) {
            uint8_t header[packets::kFileHeaderSize] = {};
            long got = readAt(*path, 0, header, sizeof header);
            // A file shorter than its header has no valid header.
            int type = got == static_cast<long>(sizeof header)
                           ? packets::fileHeaderType(header, sizeof header)
                           : 0;
            if (type == 0) {
                fail(Message::string(kMsgBadHeader));
                return Build::Error;
            }
            if (m_slot == 0 && type != m_expectedType) {
                fail(Message::string(kMsgWrongType));
                return Build::Error;
            }
        }
        long offset = static_cast<long>(packets::kFileHeaderSize) +
                      static_cast<long>(packets::kGen2DataSize) * m_blockInFile;
        long remaining = length - offset;
        if (m_slot == 0) {
            if (remaining <= 0) {
                m_blockInFile = 0;
                return Build::NothingLeft;
            }
            readAt(*path, offset, data, std::min<long>(remaining, sizeof data));
            ++m_blockInFile;
        } else if (remaining > static_cast<long>(sizeof data)) {
            readAt(*path, offset, data, sizeof data);
            ++m_blockInFile;
        } else {
            readAt(*path, offset, data, static_cast<size_t>(std::max<long>(remaining, 0)));
            ++m_slot;
            m_blockInFile = 0;
        }
    } else {
        long offset = static_cast<long>(packets::kGen2DataSize) * m_blockInFile;
        long remaining = length - offset;
        if (remaining > static_cast<long>(sizeof data)) {
            readAt(*path, offset, data, sizeof data);
            ++m_blockInFile;
        } else {
            readAt(*path, offset, data, static_cast<size_t>(std::max<long>(remaining, 0)));
            m_slot = 8;
            m_blockInFile = 0;
        }
    }
    auto p = packets::gen2Data(wire, block, data);
    std::copy(p.begin(), p.end(), m_tx.begin());
    ++m_packetCounter;
    return Build::Built;
}

void DownloadSession::gen2OnData(const Reply& r) {
    setPosition(static_cast<int>(packets::kGen2DataSize) * m_packetCounter);
    if (r.at(0) != packets::kEsc) {
        if (++m_noAnswer > kNoAnswerLimit) {
            fail(Message::string(kMsgNoAnswer));
            return;
        }
        exchange(packets::kGen2PacketSize, packets::kGen2DataReplySize, kTagData);
        return;
    }
    if (packets::gen2DataReplyAccepted(r.bytes.data(), static_cast<size_t>(r.byteCount))) {
        m_noAnswer = 0;
        m_refusals = 0;
        Build b = gen2BuildPacket();
        if (b == Build::Error) {
            return;
        }
        if (b == Build::Built) {
            exchange(packets::kGen2PacketSize, packets::kGen2DataReplySize, kTagData);
            return;
        }
        gen2Completed();
        return;
    }
    if (m_refusals > kRefusalLimit) {
        fail(Message::string(kMsgRefusedWithCode, {std::to_string(std::max(r.at(4), 0))}));
        return;
    }
    ++m_refusals;
    appendLog(kLogResend);
    exchange(packets::kGen2PacketSize, packets::kGen2DataReplySize, kTagData);
}

void DownloadSession::gen2Completed() {
    if (!m_clockForTransfer) {
        setPosition(m_progressMax);
        appendLog(kLogDone);
        pulseRts();
        m_clock.wait(kBriefPauseMs);
        finish(DownloadOutcome::Finished);
        return;
    }
    auto c = packets::gen2Clock(m_clock.localTime());
    std::copy(c.begin(), c.end(), m_tx.begin());
    m_noAnswer = 0;
    exchange(packets::kGen2ClockSize, packets::kGen2ClockReplySize, kTagClock);
}

void DownloadSession::gen2OnClock(const Reply& r) {
    if (r.at(1) == packets::kAck && r.at(2) == 0x01) {
        appendLog(kLogDone);
        pulseRts();
        m_port.setRts(true);
        m_clock.wait(kBriefPauseMs);
        finish(DownloadOutcome::Finished);
        return;
    }
    if (++m_noAnswer < kClockAttempts) {
        exchange(packets::kGen2ClockSize, packets::kGen2ClockReplySize, kTagClock);
        return;
    }
    // The data went through; say so, and that the clock was not set.
    finish(DownloadOutcome::ClockNotSet);
    appendLog(kLogClockNotSet);
}

} // namespace dispcraft
