// Opening a stored screen into a session and storing it back into the project.
#include "editor/EditorSession.h"
#include "editor/LampFiles.h"
#include "model/ProjectStore.h"
#include "base/MessageSink.h"

#include <algorithm>

namespace dispcraft {

namespace {

bool validScreen(int s) { return s >= capacity::kFirstScreen && s <= capacity::kLastScreen; }

// A text cut from a pool; a reference past its end gives what there is.
std::string cut(const std::string& pool, uint32_t offset, uint32_t length) {
    if (offset >= pool.size()) {
        return {};
    }
    return pool.substr(offset, std::min<size_t>(length, pool.size() - offset));
}

// A text appended to a pool, cut to what a length byte can say.
uint8_t append(std::string& pool, const std::string& text) {
    size_t n = std::min<size_t>(text.size(), 255);
    pool.append(text, 0, n);
    return static_cast<uint8_t>(n);
}

uint16_t half(int32_t v) { return static_cast<uint16_t>(v / 2); }

int countOf(uint8_t stored, int cap) { return std::min<int>(stored, cap); }

} // namespace

Message EditorSession::title() const {
    if (validScreen(m_screenNo)) {
        return Message::string(61500, {std::to_string(m_screenNo)});
    }
    return Message::string(61499);
}

EditorSession::OpenResult EditorSession::loadScreen(int s) {
    if (!validScreen(s)) {
        return OpenResult::Stopped;
    }
    m_band = {};
    m_screenNo = s;
    // A partly unpacked screen must never be stored over the full one: until the opening
    // completes the window is bound to no number.
    auto stop = [&] {
        m_screenNo = 0;
        invalidateAll(true);
        return OpenResult::Stopped;
    };
    const ScreenEntry& e = m_store.entries[static_cast<size_t>(s)];
    const ScreenBlock& b = m_store.screens[static_cast<size_t>(s)];
    const std::string& pool = b.textPool;

    for (int i = 0; i < countOf(e.textCount, capacity::kTextStrings); ++i) {
        const TextStringRecord& r = b.textStrings[static_cast<size_t>(i)];
        TextStringObject& o = m_objects.textStrings[static_cast<size_t>(i)];
        o.kindWord = kKindTextString;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.attr = r.attr;
        o.text = cut(pool, r.textOffset, r.textLength);
    }
    for (int i = 0; i < countOf(e.msgCount, capacity::kMsgDisps); ++i) {
        const MsgDispRecord& r = b.msgDisps[static_cast<size_t>(i)];
        MsgDispObject& o = m_objects.msgDisps[static_cast<size_t>(i)];
        o.kindWord = kKindMsgDisp;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.attr = r.attr;
        o.value = r.value;
        o.trailing = r.trailing;
        for (size_t k = 0; k < o.texts.size(); ++k) {
            o.texts[k] = cut(pool, r.textOffsets[k], r.textLengths[k]);
        }
    }
    for (int i = 0; i < countOf(e.numCount, capacity::kNumDisps); ++i) {
        const NumDispRecord& r = b.numDisps[static_cast<size_t>(i)];
        NumDispObject& o = m_objects.numDisps[static_cast<size_t>(i)];
        o.kindWord = kKindNumDisp;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.setting(1) = r.setting1;
        o.setting(4) = r.setting4;
        o.setting(5) = r.setting5;
        o.trailingValue = r.trailingValue;
        o.attr = r.attr;
        o.flags2 = r.flags2;
        o.setting(2) = r.setting2;
        o.setting(3) = r.setting3;
        o.trailing = r.trailing;
        const NumDispSideRecord& side = b.numDispSides[static_cast<size_t>(i)];
        m_objects.numDispSides[static_cast<size_t>(i)] = {side.value1, side.value2};
        int digits = r.setting2;
        int decimals = r.setting3;
        if (digits - 1 < decimals) {
            m_sink.show(Message::string(61557));
            return stop();
        }
        static const std::string kDigits = "1234567890";
        o.preview = (r.attr & 0x08) ? "-" : "";
        o.preview += kDigits.substr(0, static_cast<size_t>(digits - decimals));
        if (decimals > 0) {
            size_t from = std::min(kDigits.size(), static_cast<size_t>(digits - decimals));
            o.preview += "." + kDigits.substr(from, static_cast<size_t>(decimals));
        }
    }
    for (int i = 0; i < countOf(e.barCount, capacity::kBarGraphs); ++i) {
        const BarGraphRecord& r = b.barGraphs[static_cast<size_t>(i)];
        BarGraphObject& o = m_objects.barGraphs[static_cast<size_t>(i)];
        o.kindWord = kKindBarGraph;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.attr = r.attr;
        o.setting1 = r.setting1;
        o.setting2 = r.setting2;
        o.setting3 = r.setting3;
        o.length = r.length;
        o.thickness = r.thickness;
        o.style = r.style;
    }
    for (int i = 0; i < countOf(e.trendCount, capacity::kTrendGraphs); ++i) {
        const TrendGraphRecord& r = b.trendGraphs[static_cast<size_t>(i)];
        TrendGraphObject& o = m_objects.trendGraphs[static_cast<size_t>(i)];
        o.kindWord = kKindTrendGraph;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.attr = r.attr;
        o.setting1 = r.setting1;
        o.setting2 = r.setting2;
        o.setting3 = r.setting3;
        o.height = r.height;
        o.width = r.width;
        o.setting4 = r.setting4;
        o.spacing = r.spacing;
        o.pointCount = r.pointCount;
        o.trailing = r.trailing;
    }
    for (int i = 0; i < countOf(e.lampCount, capacity::kLamps); ++i) {
        const LampRecord& r = b.lamps[static_cast<size_t>(i)];
        LampObject& o = m_objects.lamps[static_cast<size_t>(i)];
        o.kindWord = kKindLamp;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.attr = r.attr;
        o.value = r.value;
        o.flags2 = r.flags2;
        o.name = r.nameString();
        o.dotCount = static_cast<int32_t>(r.dotCount);
        LampFileRead f = LampFiles::read(m_dir, o.name);
        if (!f.opened) {
            m_sink.show(Message::string(61558));
            f = LampFiles::read(m_dir, o.big() ? LampFiles::kDefault32 : LampFiles::kDefault16);
            if (!f.opened) {
                m_sink.show(Message::string(61559));
                return stop();
            }
        }
        if (f.isLampPicture()) {
            o.dots = std::move(f.bytes);
            o.dotCount = static_cast<int32_t>(o.dots.size());
        }
    }
    for (int i = 0; i < countOf(e.pictureCount, capacity::kPictureObjects); ++i) {
        const PictureObjectRecord& r = b.pictures[static_cast<size_t>(i)];
        PictureObject& o = m_objects.pictures[static_cast<size_t>(i)];
        o.kindWord = kKindPicture;
        o.x = 2 * r.x;
        o.y = 2 * r.y + 1;
        o.pictureNo = r.pictureNo;
    }
    m_fnKeyFlags = b.fnKeys;
    for (size_t k = 0; k < m_keys.size(); ++k) {
        m_keys[k] = (m_store.globalKeys[k].flags & 0x20) ? b.keys[k] : m_store.globalKeys[k];
    }
    m_modified = false;
    invalidateAll(true);
    m_store.screenOpen[static_cast<size_t>(s)] = 1;
    return OpenResult::Opened;
}

bool EditorSession::numberTaken(int n) const { return m_store.screenExists(n); }

void EditorSession::bindScreenNumber(int n, const std::string& name, bool saveAs) {
    if (!validScreen(n)) {
        return;
    }
    if (saveAs && validScreen(m_screenNo)) {
        m_store.screenOpen[static_cast<size_t>(m_screenNo)] = 0;
    }
    m_screenNo = n;
    ScreenEntry& e = m_store.entries[static_cast<size_t>(n)];
    e.number = static_cast<uint8_t>(n);
    e.setName(name);
    m_store.screenOpen[static_cast<size_t>(n)] = 1;
}

void EditorSession::windowClosed() {
    if (validScreen(m_screenNo)) {
        m_store.screenOpen[static_cast<size_t>(m_screenNo)] = 0;
    }
}

bool EditorSession::storeScreen() {
    if (!validScreen(m_screenNo)) {
        return false;
    }
    // The writer stops each list at the first slot that is not exactly the bare kind, so a
    // selected object would cut its list short: deselect here whatever the caller did.
    deselectAll();
    ScreenBlock& b = m_store.screens[static_cast<size_t>(m_screenNo)];
    ScreenEntry& e = m_store.entries[static_cast<size_t>(m_screenNo)];
    b.textPool.clear();

    size_t n = 0;
    for (; n < m_objects.textStrings.size() && m_objects.textStrings[n].kindWord == kKindTextString;
         ++n) {
        const TextStringObject& o = m_objects.textStrings[n];
        TextStringRecord r{};
        r.kind = kKindTextString;
        r.x = half(o.x);
        r.y = half(o.y);
        r.attr = o.attr;
        r.textOffset = static_cast<uint32_t>(b.textPool.size());
        r.textLength = append(b.textPool, o.text);
        b.textStrings[n] = r;
    }
    e.textCount = static_cast<uint8_t>(n);

    for (n = 0; n < m_objects.msgDisps.size() &&
                (m_objects.msgDisps[n].kindWord & 0xFF) == kKindMsgDisp;
         ++n) {
        const MsgDispObject& o = m_objects.msgDisps[n];
        MsgDispRecord r{};
        r.kind = kKindMsgDisp;
        r.x = half(o.x);
        r.y = half(o.y);
        r.attr = o.attr;
        r.value = static_cast<uint16_t>(o.value);
        r.trailing = o.trailing;
        for (size_t k = 0; k < o.texts.size(); ++k) {
            r.textOffsets[k] = static_cast<uint32_t>(b.textPool.size());
            r.textLengths[k] = append(b.textPool, o.texts[k]);
        }
        b.msgDisps[n] = r;
    }
    e.msgCount = static_cast<uint8_t>(n);

    for (n = 0; n < m_objects.numDisps.size() &&
                (m_objects.numDisps[n].kindWord & 0xFF) == kKindNumDisp;
         ++n) {
        const NumDispObject& o = m_objects.numDisps[n];
        NumDispRecord r{};
        r.kind = kKindNumDisp;
        r.x = half(o.x);
        r.y = half(o.y);
        r.attr = o.attr;
        r.flags2 = o.flags2;
        r.setting1 = static_cast<uint16_t>(o.setting(1));
        r.setting4 = o.setting(4);
        r.setting5 = o.setting(5);
        r.trailingValue = o.trailingValue;
        const SidePair& side = m_objects.numDispSides[n];
        b.numDispSides[n] = {side.value1, side.value2};
        // The preview goes to the project's shared pool; nothing reads it back.
        r.previewOffset = static_cast<uint32_t>(m_store.globalPool.size());
        r.previewLength = append(m_store.globalPool, o.preview);
        r.setting2 = static_cast<uint8_t>(o.setting(2));
        r.setting3 = static_cast<uint8_t>(o.setting(3));
        r.trailing = o.trailing;
        b.numDisps[n] = r;
    }
    e.numCount = static_cast<uint8_t>(n);

    for (n = 0; n < m_objects.barGraphs.size() && m_objects.barGraphs[n].kindWord == kKindBarGraph;
         ++n) {
        const BarGraphObject& o = m_objects.barGraphs[n];
        BarGraphRecord r{};
        r.kind = kKindBarGraph;
        r.x = half(o.x);
        r.y = half(o.y);
        r.attr = o.attr;
        r.setting1 = static_cast<uint16_t>(o.setting1);
        r.setting2 = static_cast<int16_t>(o.setting2);
        r.setting3 = static_cast<int16_t>(o.setting3);
        r.thickness = static_cast<uint8_t>(o.thickness);
        r.length = static_cast<uint8_t>(o.length);
        r.style = o.style;
        b.barGraphs[n] = r;
    }
    e.barCount = static_cast<uint8_t>(n);

    for (n = 0; n < m_objects.trendGraphs.size() &&
                m_objects.trendGraphs[n].kindWord == kKindTrendGraph;
         ++n) {
        const TrendGraphObject& o = m_objects.trendGraphs[n];
        TrendGraphRecord r{};
        r.kind = kKindTrendGraph;
        r.x = half(o.x);
        r.y = half(o.y);
        r.attr = o.attr;
        r.setting1 = static_cast<uint16_t>(o.setting1);
        r.setting2 = static_cast<int16_t>(o.setting2);
        r.setting3 = static_cast<int16_t>(o.setting3);
        r.width = static_cast<uint8_t>(o.width);
        r.height = static_cast<uint8_t>(o.height);
        r.spacing = static_cast<uint8_t>(o.spacing);
        r.pointCount = static_cast<uint8_t>(o.pointCount);
        r.setting4 = static_cast<uint8_t>(o.setting4);
        r.trailing = o.trailing;
        b.trendGraphs[n] = r;
    }
    e.trendCount = static_cast<uint8_t>(n);

    for (n = 0; n < m_objects.lamps.size() && m_objects.lamps[n].kindWord == kKindLamp; ++n) {
        const LampObject& o = m_objects.lamps[n];
        LampRecord r{};
        r.kind = kKindLamp;
        r.x = half(o.x);
        r.y = half(o.y);
        r.attr = o.attr;
        r.value = static_cast<uint16_t>(o.value);
        r.flags2 = o.flags2;
        r.setName(o.name); // the first 19 characters, zero-filled
        b.lamps[n] = r;
    }
    e.lampCount = static_cast<uint8_t>(n);

    for (n = 0; n < m_objects.pictures.size() && m_objects.pictures[n].kindWord == kKindPicture;
         ++n) {
        const PictureObject& o = m_objects.pictures[n];
        PictureObjectRecord r{};
        r.kind = kKindPicture;
        r.x = half(o.x);
        r.y = half(o.y);
        r.pictureNo = o.pictureNo;
        if (o.pictureNo < capacity::kPictureSlots) {
            r.width = m_store.pictures[o.pictureNo].width;
            r.height = m_store.pictures[o.pictureNo].height;
        }
        b.pictures[n] = r;
    }
    e.pictureCount = static_cast<uint8_t>(n);
    e.setPoolLength(b.textPool.size());

    ProjectStore::applyGlobalKeyCopy(m_store.globalKeys, m_keys);
    b.keys = m_keys;
    b.fnKeys = m_fnKeyFlags;
    return true;
}

} // namespace dispcraft
