#pragma once

#include "objects/ImageRecordKinds.h"
#include "objects/KeyFunction.h"
#include "objects/LcdDots.h"
#include "objects/NumberFont.h"
#include "sim/AlarmEvent.h"
#include "sim/PanelImage.h"
#include "sim/SimulatedPlc.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace dispcraft {

// The panel running a download image against simulated PLCs, in simulated time: it shows the
// start screen, follows its keys and the PLC words that the panel settings give it, keeps the
// alarm groups and change records going, and draws the current screen on its LCD. Nothing here
// reads the wall clock; time passes only through advance().
class PanelRuntime {
public:
    static constexpr int64_t kScanMs = 100; // the panel looks at its PLCs this often
    static constexpr int kFunctionKeys = 4;
    static constexpr int kPanelKeys = 25;
    static constexpr size_t kAlarmLogSize = 1000; // older changes are dropped

    PanelRuntime(std::shared_ptr<const PanelImage> image, SimulatedPlc& plc, NumberFont numbers);

    // Power on: time 0, the start screen shown, a first scan.
    void start();

    const PanelImage& image() const { return *m_image; }
    // The screen shown; 0 while the image has none to show (its start screen is missing).
    int currentScreen() const { return m_screen; }
    int64_t now() const { return m_now; }
    PanelClock clock() const;

    // Lets ms of simulated time pass, with a scan at every multiple of kScanMs; beforeScan, when
    // given, is called with each scan's time before the scan (to drive the PLC meanwhile).
    void advance(int64_t ms, const std::function<void(int64_t)>& beforeScan = {});
    // A scan at the current time: how the panel takes in a change made from outside.
    void settle();

    // Function key n (1..4) shows the screen its byte of the current screen names.
    void pressFunctionKey(int n);
    // Panel key k (1..25): its record acts on press; a momentary bit action ends on release.
    void pressKey(int k);
    void releaseKey(int k);
    bool held(int k) const;
    // What panel key k does on the current screen: one-port models take the six short records
    // (keys 1..6), the others the 25 key records; none for a key without a record.
    std::optional<KeyFunction> keyFunction(int k) const;

    // Shows screen s when the image has it; false (and nothing changes) otherwise.
    bool showScreen(int s);

    // Draws the current screen, as of now, and returns the LCD.
    const LcdDots& render();

    // Every change of an alarm bit, oldest first (at most kAlarmLogSize of them).
    const std::vector<AlarmEvent>& alarmLog() const { return m_alarmLog; }
    // The alarms on now, the newest first.
    std::vector<AlarmEvent> activeAlarms() const;

private:
    void scan();
    void copyChanges();
    void followControlAddresses();
    void updateAlarms();
    void advanceObjects();
    void writeScreenWord();
    void drawAlarmBanner();
    LiveDrawing drawing(const PanelClock& clock);

    std::shared_ptr<const PanelImage> m_image;
    SimulatedPlc& m_plc;
    NumberFont m_numbers;
    GlyphCells m_glyphs;
    ImageBitmaps m_bitmaps;
    LcdDots m_lcd;

    int64_t m_now = 0;
    int64_t m_nextScan = 0;
    int m_screen = 0;
    ScreenObjectKinds::States m_states;
    std::array<std::optional<KeyFunction>, kPanelKeys> m_held;
    uint16_t m_screenWord = 0;  // the control word's value as last seen or written
    uint32_t m_screenBits = 0;  // the screen bits as last seen
    std::array<std::array<bool, AlarmGroupImage::kMessages>, 2> m_alarmOn{};
    std::array<std::array<int64_t, AlarmGroupImage::kMessages>, 2> m_alarmSince{};
    std::vector<AlarmEvent> m_alarmLog;
};

} // namespace dispcraft
