#pragma once

#include <cstdint>

namespace dispcraft {

// What the CPU kind of a panel model (its CPU_ID) decides. Kind 1 has one serial port and its
// link driver inside the download image; kind 2 has two ports and speaks the second download
// generation. A model file without CPU_ID gives another value, which is neither: such a panel
// has COM2 like every panel but kind 1, and otherwise behaves as the first generation.
class PanelCpu {
public:
    static constexpr int32_t kOnePort = 1;
    static constexpr int32_t kSecondGeneration = 2;

    explicit PanelCpu(int32_t id) : m_id(id) {}
    int32_t id() const { return m_id; }

    // One port: no COM2 in the dialogs and the workspace tree, the COM1 link driver inside the
    // image, no change records and no key records there (the old key records only).
    bool onePort() const { return m_id == kOnePort; }
    bool hasCom2() const { return !onePort(); }
    bool linkDriverInImage() const { return onePort(); }
    bool keyRecordsInImage() const { return !onePort(); }
    // The second generation: download protocol 2 (every other kind speaks the first), COM2's
    // line settings in the image header, trend graphs, and the project's COM1 protocol file in
    // the two-port folder.
    bool secondGeneration() const { return m_id == kSecondGeneration; }
    int downloadGeneration() const { return secondGeneration() ? 2 : 1; }
    bool com2SettingsInImage() const { return secondGeneration(); }
    bool placesTrendGraphs() const { return secondGeneration(); }

private:
    int32_t m_id;
};

} // namespace dispcraft
