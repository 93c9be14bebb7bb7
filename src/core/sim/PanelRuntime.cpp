#include "sim/PanelRuntime.h"

#include "sim/SimulatedClock.h"

#include <algorithm>

namespace dispcraft {

PanelRuntime::PanelRuntime(std::shared_ptr<const PanelImage> image, SimulatedPlc& plc, NumberFont numbers)
    : m_image(std::move(image)), m_plc(plc), m_numbers(std::move(numbers)), m_glyphs(m_image->glyphs()),
      m_bitmaps(m_image->bitmaps()) {}

void PanelRuntime::start() {
    m_now = 0;
    m_nextScan = kScanMs;
    m_screen = 0;
    m_held = {};
    m_alarmOn = {};
    m_alarmLog.clear();
    const ImageHeader& h = m_image->header;
    // What the PLC holds at power on is no request: only later changes are.
    m_screenWord = m_plc.word((h.controlOptions & ImageHeader::kAddress1OnCom2) ? 1 : 0, h.controlAreaBit1 >> 4,
                              h.controlAddress1);
    const int port2 = (h.controlOptions & ImageHeader::kAddress2OnCom2) ? 1 : 0;
    m_screenBits = m_plc.word(port2, h.controlAreaBit2 >> 4, h.controlAddress2) |
                   (static_cast<uint32_t>(m_plc.word(port2, h.controlAreaBit2 >> 4, h.controlAddress2 + 1u)) << 16);
    showScreen(h.startScreen);
    scan();
}

PanelClock PanelRuntime::clock() const { return SimulatedClock::at(m_now); }

void PanelRuntime::advance(int64_t ms, const std::function<void(int64_t)>& beforeScan) {
    if (ms <= 0) {
        return;
    }
    const int64_t target = m_now + ms;
    while (m_nextScan <= target) {
        m_now = m_nextScan;
        m_nextScan += kScanMs;
        if (beforeScan) {
            beforeScan(m_now);
        }
        scan();
    }
    m_now = target;
}

void PanelRuntime::settle() { scan(); }

void PanelRuntime::scan() {
    copyChanges();
    followControlAddresses();
    updateAlarms();
    advanceObjects();
}

void PanelRuntime::copyChanges() {
    for (const ChangeImageRecord& c : m_image->changes) {
        for (uint32_t i = 0; i < c.count; ++i) {
            const uint32_t a1 = c.com1Address + i;
            const uint32_t a2 = c.com2Address + i;
            if (c.fromCom2()) {
                m_plc.setWord(0, c.com1Area(), a1, m_plc.word(1, c.com2Area(), a2));
            } else {
                m_plc.setWord(1, c.com2Area(), a2, m_plc.word(0, c.com1Area(), a1));
            }
        }
    }
}

void PanelRuntime::writeScreenWord() {
    const ImageHeader& h = m_image->header;
    if (!(h.controlOptions & ImageHeader::kUseAddress1)) {
        return;
    }
    const int port = (h.controlOptions & ImageHeader::kAddress1OnCom2) ? 1 : 0;
    m_screenWord = static_cast<uint16_t>(m_screen);
    m_plc.setWord(port, h.controlAreaBit1 >> 4, h.controlAddress1, m_screenWord);
}

void PanelRuntime::followControlAddresses() {
    const ImageHeader& h = m_image->header;
    if (h.controlOptions & ImageHeader::kUseAddress1) {
        // The screen word: the PLC asks for a screen by writing its number; the panel writes
        // back the number of the screen it shows.
        const int port = (h.controlOptions & ImageHeader::kAddress1OnCom2) ? 1 : 0;
        const uint16_t v = m_plc.word(port, h.controlAreaBit1 >> 4, h.controlAddress1);
        if (v != m_screenWord) {
            m_screenWord = v;
            if (v != m_screen) {
                showScreen(v);
            }
        }
    }
    if (h.controlOptions & ImageHeader::kUseAddress2) {
        // The screen bits: a bit that comes on shows its screen of the bit-to-screen table; the
        // lowest such bit wins.
        const int port = (h.controlOptions & ImageHeader::kAddress2OnCom2) ? 1 : 0;
        const int area = h.controlAreaBit2 >> 4;
        const uint32_t bits = m_plc.word(port, area, h.controlAddress2) |
                              (static_cast<uint32_t>(m_plc.word(port, area, h.controlAddress2 + 1u)) << 16);
        const uint32_t rising = bits & ~m_screenBits;
        m_screenBits = bits;
        for (int b = 0; b < m_image->bitScreenCount(); ++b) {
            if ((rising & (1u << b)) && m_image->bitScreen(b) != 0) {
                showScreen(m_image->bitScreen(b));
                break;
            }
        }
    }
}

void PanelRuntime::updateAlarms() {
    for (size_t g = 0; g < m_image->alarmGroups.size() && g < 2; ++g) {
        const AlarmGroupImage& a = m_image->alarmGroups[g];
        for (int i = 0; i < AlarmGroupImage::kMessages; ++i) {
            const bool on = i < a.messages() &&
                            m_plc.bit(a.port(), a.area(), a.startAddress + static_cast<uint32_t>(i), a.bitNumber());
            bool& was = m_alarmOn[g][static_cast<size_t>(i)];
            if (on == was) {
                continue;
            }
            was = on;
            if (on) {
                m_alarmSince[g][static_cast<size_t>(i)] = m_now;
            }
            if (m_alarmLog.size() >= kAlarmLogSize) {
                m_alarmLog.erase(m_alarmLog.begin());
            }
            m_alarmLog.push_back({m_now, static_cast<int>(g), i, on});
        }
    }
}

std::vector<AlarmEvent> PanelRuntime::activeAlarms() const {
    std::vector<AlarmEvent> out;
    for (int g = 0; g < 2; ++g) {
        for (int i = 0; i < AlarmGroupImage::kMessages; ++i) {
            if (m_alarmOn[static_cast<size_t>(g)][static_cast<size_t>(i)]) {
                out.push_back({m_alarmSince[static_cast<size_t>(g)][static_cast<size_t>(i)], g, i, true});
            }
        }
    }
    // Newest first; among alarms of the same moment, group and message order.
    std::stable_sort(out.begin(), out.end(),
                     [](const AlarmEvent& a, const AlarmEvent& b) { return a.timeMs > b.timeMs; });
    return out;
}

LiveDrawing PanelRuntime::drawing(const PanelClock& clock) {
    return LiveDrawing{m_lcd, m_glyphs, m_image->screenTexts, m_bitmaps, m_numbers, m_plc, clock, m_now};
}

void PanelRuntime::advanceObjects() {
    const ScreenImage* screen = m_image->screen(m_screen);
    if (!screen) {
        return;
    }
    const PanelClock c = clock();
    const LiveDrawing d = drawing(c);
    ScreenObjectKinds::forEach([&]<typename K, size_t I>() {
        if constexpr (AdvancesWithTime<K>) {
            const std::vector<K>& records = screen->records<K>();
            auto& states = std::get<I>(m_states);
            for (size_t i = 0; i < records.size() && i < states.size(); ++i) {
                records[i].advance(d, states[i]);
            }
        }
    });
}

bool PanelRuntime::showScreen(int s) {
    const ScreenImage* screen = m_image->screen(s);
    if (!screen) {
        return false;
    }
    m_screen = s;
    ScreenObjectKinds::forEach([&]<typename K, size_t I>() {
        auto& states = std::get<I>(m_states);
        states.assign(screen->records<K>().size(), typename K::State{});
    });
    writeScreenWord();
    return true;
}

void PanelRuntime::pressFunctionKey(int n) {
    const ScreenImage* screen = m_image->screen(m_screen);
    if (!screen || n < 1 || n > kFunctionKeys) {
        return;
    }
    const int target = screen->functionKeys.targets[static_cast<size_t>(n - 1)];
    if (target != 0) {
        showScreen(target);
    }
    settle();
}

std::optional<KeyFunction> PanelRuntime::keyFunction(int k) const {
    const ScreenImage* screen = m_image->screen(m_screen);
    if (!screen || k < 1 || k > kPanelKeys) {
        return std::nullopt;
    }
    if (screen->hasKeys) {
        return screen->keys[static_cast<size_t>(k - 1)].function();
    }
    if (k <= OldKeyImageRecord::kCount) {
        return screen->oldKeys[static_cast<size_t>(k - 1)].function();
    }
    return std::nullopt;
}

void PanelRuntime::pressKey(int k) {
    if (k < 1 || k > kPanelKeys || m_held[static_cast<size_t>(k - 1)]) {
        return;
    }
    const std::optional<KeyFunction> f = keyFunction(k);
    m_held[static_cast<size_t>(k - 1)] = f ? *f : KeyFunction{};
    if (!f) {
        return;
    }
    switch (f->action()) {
    case KeyFunction::Action::ShowScreen:
        if (f->screen() != 0) {
            showScreen(f->screen());
        }
        break;
    case KeyFunction::Action::Bit: {
        const bool now = m_plc.bit(f->port(), f->area(), f->address, f->bitNumber());
        bool next = now;
        switch (f->bitMode()) {
        case KeyFunction::kSet: next = true; break;
        case KeyFunction::kReset: next = false; break;
        case KeyFunction::kInvert: next = !now; break;
        case KeyFunction::kMomentary: next = true; break;
        }
        m_plc.setBit(f->port(), f->area(), f->address, f->bitNumber(), next);
        break;
    }
    case KeyFunction::Action::Word16:
    case KeyFunction::Action::Word32: {
        if (!f->hasValue) {
            break;
        }
        const WordCoding c = f->coding();
        const uint32_t raw = c.encode(f->value());
        m_plc.setWord(f->port(), f->area(), f->address, static_cast<uint16_t>(raw & 0xFFFF));
        if (c.twoWords()) {
            m_plc.setWord(f->port(), f->area(), f->address + 1u, static_cast<uint16_t>(raw >> 16));
        }
        break;
    }
    case KeyFunction::Action::Fourth:
        break;
    }
    settle();
}

void PanelRuntime::releaseKey(int k) {
    if (k < 1 || k > kPanelKeys || !m_held[static_cast<size_t>(k - 1)]) {
        return;
    }
    // The action taken on press decides, even when the key now shows another screen.
    const KeyFunction f = *m_held[static_cast<size_t>(k - 1)];
    m_held[static_cast<size_t>(k - 1)].reset();
    if (f.action() == KeyFunction::Action::Bit && f.bitMode() == KeyFunction::kMomentary) {
        m_plc.setBit(f.port(), f.area(), f.address, f.bitNumber(), false);
        settle();
    }
}

bool PanelRuntime::held(int k) const {
    return k >= 1 && k <= kPanelKeys && m_held[static_cast<size_t>(k - 1)].has_value();
}

void PanelRuntime::drawAlarmBanner() {
    // The newest alarm on of a group that asks for it fills the LCD's bottom text row.
    for (const AlarmEvent& e : activeAlarms()) {
        const AlarmGroupImage& a = m_image->alarmGroups[static_cast<size_t>(e.group)];
        if (!(a.flags & AlarmGroupImage::kOption1)) {
            continue;
        }
        const auto text = a.message(m_image->alarmTexts, e.message, m_image->alarmTextsEnd(static_cast<size_t>(e.group)));
        m_glyphs.drawText(m_lcd, 0, LcdDots::kHeight - 16, text, 0, true, LcdDots::kWidth);
        return;
    }
}

const LcdDots& PanelRuntime::render() {
    m_lcd.clear();
    const ScreenImage* screen = m_image->screen(m_screen);
    if (screen) {
        const PanelClock c = clock();
        const LiveDrawing d = drawing(c);
        ScreenObjectKinds::forEach([&]<typename K, size_t I>() {
            const std::vector<K>& records = screen->records<K>();
            const auto& states = std::get<I>(m_states);
            for (size_t i = 0; i < records.size() && i < states.size(); ++i) {
                records[i].draw(d, states[i]);
            }
        });
    }
    drawAlarmBanner();
    return m_lcd;
}

} // namespace dispcraft
