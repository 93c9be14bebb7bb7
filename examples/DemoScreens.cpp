#include "DemoScreens.h"

#include "text/Gb2312.h"

#include <cstring>
#include <stdexcept>

namespace dispcraft::examples {

namespace {

// Demo texts are written here in UTF-8; the store keeps GB2312.
std::string gb(const std::string& utf8) {
    Gb2312::Result r = Gb2312::fromUtf8(utf8);
    if (!r.ok) {
        throw std::runtime_error("demo text outside GB2312: " + r.offending);
    }
    return r.text;
}

// Places objects by LCD dot (0..191, 0..63); the store keeps half the view pixel position, with
// the LCD origin included.
class ScreenMaker {
public:
    ScreenMaker(ProjectStore& st, int s, const std::string& name, LcdPlace lcd)
        : m_st(st), m_e(st.entries[s]), m_b(st.screens[s]), m_lcd(lcd) {
        m_e = ScreenEntry{};
        m_e.number = static_cast<uint8_t>(s);
        m_e.setName(gb(name));
        m_b.textPool.clear();
        m_b.fnKeys = {0, 0, 0, 0};
        // A screen's own key records count only where the project-wide record lets each screen
        // decide; the others take the project-wide record, as storing a screen does.
        m_b.keys = {};
        panelkeys::applyGlobalKeyCopy(st.globalKeys, m_b.keys);
    }

    uint16_t x(int dot) const { return static_cast<uint16_t>((m_lcd.x + 2 * dot) / 2); }
    uint16_t y(int dot) const { return static_cast<uint16_t>((m_lcd.y + 2 * dot) / 2); }

    void text(int dx, int dy, const std::string& utf8, uint8_t attr = 0) {
        TextStringRecord& t = m_b.textStrings[m_e.textCount++];
        t = TextStringRecord{};
        t.kind = kKindTextString;
        t.x = x(dx);
        t.y = y(dy);
        t.attr = attr;
        addText(gb(utf8), t.textOffset, t.textLength);
    }
    void message(int dx, int dy, uint16_t device, std::initializer_list<const char*> texts) {
        MsgDispRecord& m = m_b.msgDisps[m_e.msgCount++];
        m = MsgDispRecord{};
        m.kind = kKindMsgDisp;
        m.x = x(dx);
        m.y = y(dy);
        m.address = device;
        int k = 0;
        for (const char* t : texts) {
            addText(gb(t), m.textOffsets[k], m.textLengths[k]);
            ++k;
        }
        for (; k < 16; ++k) {
            addText("", m.textOffsets[k], m.textLengths[k]);
        }
    }
    void number(int dx, int dy, uint16_t device, int digits, int decimals, bool isSigned) {
        int i = m_e.numCount++;
        NumDispRecord& n = m_b.numDisps[i];
        n = NumDispRecord{};
        n.kind = kKindNumDisp;
        n.x = x(dx);
        n.y = y(dy);
        n.attr = isSigned ? 0x08 : 0;
        n.address = device;
        n.maximum = 9999; // entry range
        n.minimum = 0;
        n.setScale(1.0f);
        n.digits = static_cast<uint8_t>(digits);
        n.decimals = static_cast<uint8_t>(decimals);
        m_b.numDispSides[i] = {0, 9999};
    }
    void bar(int dx, int dy, uint16_t device, int length, int thickness) {
        BarGraphRecord& b = m_b.barGraphs[m_e.barCount++];
        b = BarGraphRecord{};
        b.kind = kKindBarGraph;
        b.x = x(dx);
        b.y = y(dy);
        b.attr = 0x01; // horizontal
        b.address = device;
        b.maximum = 1000;
        b.minimum = 0;
        b.length = static_cast<uint8_t>(length);
        b.thickness = static_cast<uint8_t>(thickness);
    }
    void trend(int dx, int dy, uint16_t device, int width, int height) {
        TrendGraphRecord& t = m_b.trendGraphs[m_e.trendCount++];
        t = TrendGraphRecord{};
        t.kind = kKindTrendGraph;
        t.x = x(dx);
        t.y = y(dy);
        t.address = device;
        t.maximum = 500;
        t.minimum = 0;
        t.settingA = 1; // a sample every second
        t.width = static_cast<uint8_t>(width);
        t.height = static_cast<uint8_t>(height);
        t.spacing = 4;
        t.pointCount = static_cast<uint8_t>(width / 4);
    }
    void lamp(int dx, int dy, uint16_t device, bool big) {
        LampRecord& l = m_b.lamps[m_e.lampCount++];
        l = LampRecord{};
        l.kind = kKindLamp;
        l.x = x(dx);
        l.y = y(dy);
        l.attr = big ? 0x40 : 0;
        l.address = device;
        l.dotCount = big ? 2048 : 512;
        l.setName(big ? "lamp20_32x32" : "lamp01_16x16");
    }
    void picture(int dx, int dy, int number) {
        PictureObjectRecord& p = m_b.pictures[m_e.pictureCount++];
        p = PictureObjectRecord{};
        p.kind = kKindPicture;
        p.x = x(dx);
        p.y = y(dy);
        p.pictureNo = static_cast<uint8_t>(number);
        p.width = m_st.pictures[number].width;
        p.height = m_st.pictures[number].height;
    }
    // Function keys 1..4: target screens (keys 3 and 4 fall back to the neighbours when 0).
    void functionKeys(uint8_t f1, uint8_t f2) { m_b.fnKeys = {f1, f2, 0, 0}; }
    // Panel key k of this screen shows screen target.
    void keyShowsScreen(int k, uint8_t target) {
        KeyRecord& r = m_b.keys[k];
        r = KeyRecord{};
        r.kind = kKindKey;
        r.screen = target;
    }
    // Panel key k sets a PLC bit while it is held (bit action, mode 3).
    void keyBit(int k, uint16_t device, uint8_t areaBit) {
        KeyRecord& r = m_b.keys[k];
        r = KeyRecord{};
        r.kind = kKindKey;
        r.flags = 0x43;
        r.address = device;
        r.areaAndBit = areaBit;
        r.operand = device;
    }

private:
    void addText(const std::string& t, uint32_t& offset, uint8_t& length) {
        offset = static_cast<uint32_t>(m_b.textPool.size());
        m_b.textPool += t;
        length = static_cast<uint8_t>(t.size());
    }

    ProjectStore& m_st;
    ScreenEntry& m_e;
    ScreenBlock& m_b;
    LcdPlace m_lcd;
};

// A framed picture with a diagonal, width x height dots, 0 = dark.
void makePicture(ProjectStore& st, int number, int w, int h) {
    PictureTableEntry& p = st.pictures[number];
    p.id = static_cast<uint8_t>(number);
    p.width = static_cast<uint8_t>(w);
    p.height = static_cast<uint8_t>(h);
    p.dots.assign(size_t(w) * h, '\1');
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            bool edge = r == 0 || c == 0 || r == h - 1 || c == w - 1;
            bool diagonal = c * h / w == r;
            if (edge || diagonal) {
                p.dots[size_t(r) * w + c] = '\0';
            }
        }
    }
}

// Alarm messages of one group, packed into its alarm text pool.
void setAlarms(ProjectStore& st, int group, uint32_t start, std::initializer_list<const char*> texts) {
    AlarmBlock& a = st.alarms[group];
    std::string& pool = st.alarmPools[group];
    pool.clear();
    a.startAddress = start;
    int i = 0;
    for (const char* t : texts) {
        std::string g = gb(t);
        a.offsets[i] = static_cast<uint32_t>(pool.size());
        a.lengths[i] = static_cast<uint8_t>(g.size());
        pool += g;
        ++i;
    }
    for (int k = i; k < capacity::kAlarmMessages; ++k) {
        a.offsets[k] = static_cast<uint32_t>(pool.size());
        a.lengths[k] = 0;
    }
    a.count = static_cast<uint8_t>(i);
}

} // namespace

void addDemoContent(ProjectStore& st, LcdPlace lcd, bool twoPort) {
    makePicture(st, 1, 24, 16);
    makePicture(st, 2, 16, 16);

    // Project-wide keys: key 0 goes to the main screen everywhere; keys 1 and 2 let each screen
    // decide (bit 5 of the project-wide flags).
    st.globalKeys[0].kind = kKindKey;
    st.globalKeys[0].screen = 1;
    for (int k : {1, 2}) {
        st.globalKeys[k].kind = kKindKey;
        st.globalKeys[k].flags = 0x20;
    }

    {
        ScreenMaker m(st, 1, "主画面", lcd);
        m.text(0, 0, "Line 3 泵站 Pump station", 0);
        m.text(0, 16, "状态:", 0);
        m.message(48, 16, 10, {"停止 Stop", "运行 Run", "故障 Fault"});
        m.text(0, 32, "Flow", 0);
        m.number(48, 32, 120, 5, 1, false);
        m.text(104, 32, "m3/h", 0);
        m.lamp(160, 24, 20, true);
        m.text(0, 48, "S1:设定 S2:趋势", 0x80); // the screen keys below the LCD
        m.functionKeys(2, 3);
        m.keyShowsScreen(1, 2);
        m.keyBit(2, 16, 0x00);
    }
    {
        ScreenMaker m(st, 2, "设定", lcd);
        m.text(0, 0, "设定 SET", 1); // double width: 8 bytes, 128 dots
        m.text(0, 16, "Level", 0);
        m.number(48, 16, 122, 4, 0, false);
        m.bar(96, 20, 122, 88, 8);
        m.text(0, 32, "Temp", 0);
        m.number(48, 32, 124, 4, 1, true);
        m.lamp(104, 32, 21, false);
        m.lamp(128, 32, 22, false);
        m.picture(160, 32, 2);
        m.functionKeys(1, 3);
        m.keyShowsScreen(1, 3);
    }
    {
        ScreenMaker m(st, 3, "趋势", lcd);
        m.text(0, 0, "Trend 趋势", 0);
        m.trend(0, 16, 110, 128, 48);
        m.trend(136, 16, 112, 48, 48);
        m.functionKeys(1, 2);
    }
    {
        ScreenMaker m(st, 10, "About", lcd);
        m.picture(0, 0, 1);
        m.text(32, 0, "Dispcraft demo", 0);
        m.text(32, 16, twoPort ? "two ports 双口" : "one port 单口", 0);
        m.text(0, 32, "版本 1.0", 2);
        m.functionKeys(1, 0);
    }

    setAlarms(st, 0, 200, {"Pump overload", "泵过载", "Low level 液位低", "Door open"});
    st.alarms[0].options = 1;
    if (twoPort && st.alarmGroupCount > 1) {
        // The second group exists only on models with two alarm groups.
        setAlarms(st, 1, 300, {"COM2 link lost", "通讯中断"});
        st.alarms[1].options = 4; // bits on the COM2 device
    }
    if (twoPort) {
        // Two exchanges between the PLCs on COM1 and COM2, each block in a word area of its
        // port's protocol and inside that area's range.
        st.changeCount = 2;
        st.changes[0] = ChangeRecord{0x80, 4, 0x00, 0x00, 100, 200};
        st.changes[1] = ChangeRecord{0x00, 2, 0x01, 0x00, 300, 240};
    }
    st.projectBlock.startScreen = 1;
}

void addSeedContent(ProjectStore& st) {
    LcdPlace lcd{208, 100};
    makePicture(st, 1, 8, 4);
    st.globalKeys[0].kind = kKindKey;
    st.globalKeys[0].screen = 2;
    st.globalKeys[3].kind = kKindKey;
    st.globalKeys[3].flags = 0x20;
    ScreenMaker a(st, 1, "seed", lcd);
    a.text(0, 0, "AB中文", 1);
    a.message(0, 16, 5, {"on", "off"});
    a.number(64, 16, 7, 5, 2, true);
    a.bar(0, 32, 9, 40, 6);
    a.trend(64, 32, 11, 32, 16);
    a.lamp(120, 0, 3, false);
    a.picture(150, 40, 1);
    a.keyBit(3, 12, 0x21);
    a.functionKeys(2, 0);
    ScreenMaker b(st, 2, "two", lcd);
    b.text(8, 8, "x", 0);
    setAlarms(st, 0, 10, {"a1", "报警"});
    setAlarms(st, 1, 20, {"b"});
    st.changeCount = 1;
    st.changes[0] = ChangeRecord{0x80, 4, 0x02, 0x31, 100, 200};
}

} // namespace dispcraft::examples
