#pragma once

#include "comm/Clock.h"
#include "comm/DownloadSession.h"
#include "comm/Transport.h"
#include "comm/VirtualPanel.h"
#include "base/RecordingSink.h"
#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace dispcraft::test {

using Bytes = std::vector<uint8_t>;

// A device that answers each write through a responder and hands the answer to the reads,
// returning what is there at once (a short read stands for a time-out).
class FakeTransport : public Transport {
public:
    std::function<Bytes(const Bytes&)> responder;
    std::deque<uint8_t> incoming;
    std::vector<Bytes> writes;
    std::vector<std::string> events;
    bool openOk = true, queueOk = true, timeoutsOk = true;
    int failOpensAfter = -1; // opens that succeed before all further ones fail
    int writeCause = 0;
    Message openReason;
    LineSettings lastSettings;
    bool opened = false;
    int opens = 0;

    bool open(int portNumber, Message* reason) override {
        events.push_back("open " + std::to_string(portNumber));
        bool ok = openOk && (failOpensAfter < 0 || opens < failOpensAfter);
        ++opens;
        if (!ok) {
            if (reason) {
                *reason = openReason;
            }
            return false;
        }
        opened = true;
        incoming.clear();
        return true;
    }
    bool isOpen() const override { return opened; }
    bool configure(const LineSettings& s) override {
        lastSettings = s;
        return true;
    }
    bool setQueueSizes(size_t, size_t) override { return queueOk; }
    bool setTimeouts(const CommTimeouts& t) override {
        events.push_back("timeouts " + std::to_string(t.readConstant));
        return timeoutsOk;
    }
    bool setRts(bool on) override {
        events.push_back(on ? "rts on" : "rts off");
        return true;
    }
    IoResult read(uint8_t* buffer, size_t n) override {
        if (!opened) {
            return {0, cause::kInvalidFile};
        }
        size_t k = 0;
        while (k < n && !incoming.empty()) {
            buffer[k++] = incoming.front();
            incoming.pop_front();
        }
        return {k, cause::kNone};
    }
    IoResult write(const uint8_t* bytes, size_t n) override {
        if (!opened) {
            return {0, cause::kInvalidFile};
        }
        if (writeCause) {
            return {0, writeCause};
        }
        Bytes w(bytes, bytes + n);
        writes.push_back(w);
        if (responder) {
            Bytes r = responder(w);
            incoming.insert(incoming.end(), r.begin(), r.end());
        }
        return {n, cause::kNone};
    }
    void interrupt() override {}
    void close() override {
        if (opened) {
            events.push_back("close");
        }
        opened = false;
    }

    // Writes that are data packets of either generation.
    std::vector<Bytes> dataPackets() const {
        std::vector<Bytes> out;
        for (const Bytes& w : writes) {
            if (w.size() >= 2 && w[0] == 0x1B && (w[1] == 0x57 || w[1] == 0x3E)) {
                out.push_back(w);
            }
        }
        return out;
    }
};

// Time that never passes by itself: waits are recorded, the timer fires when the test says.
class FakeClock : public Clock {
public:
    LocalTime now;
    std::vector<int> waits;
    std::vector<int> timers;
    std::function<void()> pending;

    LocalTime localTime() const override { return now; }
    void wait(int ms) override { waits.push_back(ms); }
    void startTimer(int ms, std::function<void()> fire) override {
        timers.push_back(ms);
        pending = std::move(fire);
    }
    void stopTimer() override { pending = nullptr; }
    bool fire() {
        if (!pending) {
            return false;
        }
        auto f = std::move(pending);
        pending = nullptr;
        f();
        return true;
    }
};

// A temporary directory for the files of a download.
class TempDir : public ScratchDirectory {
public:
    TempDir() : ScratchDirectory("comm") {}
    std::string write(const std::string& name, const Bytes& data) const {
        return ScratchDirectory::write(name, data);
    }
};

// Bytes 0, 1, 2, ... of a length, offset by a seed so that files differ.
inline Bytes pattern(size_t n, uint8_t seed = 0) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) {
        b[i] = static_cast<uint8_t>(i * 7 + seed + 1);
    }
    return b;
}

// A driver file: the 17-byte header of a type ("QEL120" = 2, "QEL121" = 3), then the body.
inline Bytes driverFile(int type, const Bytes& body) {
    Bytes b = {'Q', 'E', 'L', '1', '2', static_cast<uint8_t>(type == 3 ? '1' : '0')};
    b.resize(17, ' ');
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// A session over a fake device, run without threads or real time.
struct Rig {
    FakeClock clock;
    RecordingSink sink{Answer::Ok};
    FakeTransport* transport = nullptr;
    std::unique_ptr<DownloadSession> session;
    int notified = 0;

    explicit Rig(DownloadInputs inputs) {
        auto t = std::make_unique<FakeTransport>();
        transport = t.get();
        session = std::make_unique<DownloadSession>(std::move(inputs), std::move(t), clock, sink,
                                                    CommPort::Jobs::Inline);
        session->setReplyNotifier([this] { ++notified; });
    }
    // Answers like a panel would (with faults).
    VirtualPanel& panel(PanelFaults faults = {}) {
        m_panel = std::make_unique<VirtualPanel>(faults);
        transport->responder = [this](const Bytes& w) {
            return m_panel->receive(w.data(), w.size());
        };
        return *m_panel;
    }
    // Delivers replies and fires timers until nothing is left to do.
    void run() {
        for (int guard = 0; guard < 1000000; ++guard) {
            if (notified) {
                notified = 0;
                session->handleReplies();
            } else if (!clock.fire()) {
                return;
            }
        }
    }
    std::vector<int> logIds() const {
        std::vector<int> ids;
        for (const Message& m : session->log()) {
            ids.push_back(m.id);
        }
        return ids;
    }
    long countLog(int id) const {
        auto ids = logIds();
        return std::count(ids.begin(), ids.end(), id);
    }
    std::vector<int> shownIds() const {
        std::vector<int> ids;
        for (const Message& m : sink.shown()) {
            ids.push_back(m.id);
        }
        return ids;
    }

private:
    std::unique_ptr<VirtualPanel> m_panel;
};

} // namespace dispcraft::test
