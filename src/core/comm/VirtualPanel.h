#pragma once

#include "comm/Clock.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// Faults a virtual panel can be told to show.
struct PanelFaults {
    int generation = 0;       // 0 answers both generations, 1 or 2 only that one
    bool typeB = false;       // answer the generation-2 handshake as a type-B panel
    int silentHandshakes = 0; // give no answer to the first N handshakes
    int garbageReplies = 0;   // the first K data replies do not start with ESC
    int refusePacket = -1;    // refuse data packet P (0 = the first of a transfer) ...
    int refuseTimes = 0;      // ... this many times
    int corruptPacket = -1;   // data packet P arrives with one byte garbled (once)
    int corruptReply = -1;    // the reply to data packet P is garbled (once)
    int refuseClock = 0;      // refuse the clock packet N times
};

// The panel side of both download generations, as a correct panel answers: it takes the bytes
// that arrive and gives the bytes to send back, checks sums and block order, and keeps what it
// received. Used by dispcraft-panel and by tests.
class VirtualPanel {
public:
    enum class FileKind { Image, SystemProgram, Com1Driver, Com2Driver };
    // Refusal codes in byte 4 of a generation-2 refusal.
    static constexpr uint8_t kRefuseSum = 2;
    static constexpr uint8_t kRefuseOrder = 3;
    static constexpr uint8_t kRefuseAsked = 4;

    explicit VirtualPanel(PanelFaults faults = {});

    // Feeds received bytes; returns what the panel sends back.
    std::vector<uint8_t> receive(const uint8_t* data, size_t n);
    // Drops a packet that stopped arriving half-way (the line went quiet).
    void dropPartial() { m_in.clear(); }
    bool partial() const { return !m_in.empty(); }

    // Called for every data block stored, with the file, its offset and the bytes.
    void setStoreListener(std::function<void(FileKind, size_t, const std::vector<uint8_t>&)> f) {
        m_storeListener = std::move(f);
    }

    // Called when a handshake starts a new transfer (what was stored before is dropped).
    void setStartListener(std::function<void()> f) { m_startListener = std::move(f); }

    // What the current (or last) transfer brought.
    int generation() const { return m_generation; }
    bool systemProgram() const { return m_systemProgram; }
    bool handshaken() const { return m_handshaken; }
    bool ended() const { return m_ended; } // generation 1: the end request came
    int dataPackets() const { return m_packets; }
    int handshakes() const { return m_handshakes; }
    const std::map<FileKind, std::vector<uint8_t>>& files() const { return m_files; }
    std::optional<LocalTime> clock() const { return m_clock; }
    std::vector<std::string> summary() const;

    static const char* fileName(FileKind kind);

private:
    std::vector<uint8_t> onHandshake1(const uint8_t* p);
    std::vector<uint8_t> onHandshake2(const uint8_t* p);
    std::vector<uint8_t> onData1(std::vector<uint8_t> p);
    std::vector<uint8_t> onData2(std::vector<uint8_t> p);
    std::vector<uint8_t> onClock(const uint8_t* p);
    std::vector<uint8_t> onEnd();
    // Whether packet number m_packets is to be refused on purpose this time.
    bool refuseNow();
    bool garbledNow(int& which);
    void store(FileKind kind, size_t offset, const uint8_t* data, size_t n);
    void startTransfer(int generation, bool systemProgram);

    PanelFaults m_faults;
    std::vector<uint8_t> m_in;
    std::function<void(FileKind, size_t, const std::vector<uint8_t>&)> m_storeListener;
    std::function<void()> m_startListener;

    int m_generation = 0;
    bool m_systemProgram = false;
    bool m_handshaken = false;
    bool m_ended = false;
    int m_handshakes = 0;
    int m_packets = 0; // data packets accepted in this transfer
    int m_refused = 0;
    int m_garbage = 0;
    int m_clockRefused = 0;
    bool m_corruptedPacket = false;
    bool m_corruptedReply = false;
    // Block order: the next block expected and the last one accepted, per wire code.
    int m_wire = -1;
    int m_nextBlock = 0;
    std::map<FileKind, std::vector<uint8_t>> m_files;
    std::optional<LocalTime> m_clock;
};

} // namespace dispcraft
