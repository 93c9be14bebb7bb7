#include "image/ImageBuilder.h"

#include "image/BuildMessages.h"
#include "base/ByteWriter.h"
#include "image/ColumnFormat.h"
#include "image/GlyphTable.h"
#include "image/LinkFiles.h"
#include "image/PanelGlyphs.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>

namespace dispcraft {

namespace {

constexpr int kPictureEntries = 200; // entry 200 + p: picture p
constexpr int kLampEntries = 230;    // entry 230 + k: lamp number k
constexpr int kLampNumbers = 30;     // 0..29

// Header positions.
constexpr size_t kHdrScreenList = 6;
constexpr size_t kHdrGlyphs = 8;
constexpr size_t kHdrPictures = 10;
constexpr size_t kHdrLamps = 12;
constexpr size_t kHdrFirstPairCell = 14;
constexpr size_t kHdrAlarmList = 36;

// A text of a pool by offset and length; a reference past the pool's end is cut at the end.
std::string_view poolText(const std::string& pool, uint32_t offset, uint32_t length) {
    if (offset >= pool.size()) {
        return {};
    }
    return std::string_view(pool).substr(offset, std::min<size_t>(length, pool.size() - offset));
}

// The scale factor as a whole number, toward zero; values no 32-bit integer holds are clamped
// (and NaN is 0) instead of being left to the processor.
int32_t truncatedScale(float f) {
    if (std::isnan(f)) {
        return 0;
    }
    if (f >= 2147483648.0f) {
        return std::numeric_limits<int32_t>::max();
    }
    if (f <= -2147483648.0f) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(f);
}

struct Failure {
    Message message;
    std::string detail;
};

// The state of one build, in the order the image is made.
class Build {
public:
    Build(const ProjectStore& store, const ProgramDirectory& dir, const BuildOptions& options)
        : m_store(store), m_dir(dir), m_options(options) {
        m_table.fill(0);
    }

    BuildResult run();

private:
    std::optional<Failure> collectGlyphs();
    void encodePictures();
    std::optional<Failure> serialHeader();
    std::optional<Failure> readDriver();
    void writeAlarmGroup(int group);
    std::optional<Failure> writeChangeRecords();
    std::optional<Failure> writeScreen(int s);
    std::optional<Failure> registerLamp(const LampRecord& lamp, int& number);
    void writeScreenTexts(std::string_view text);

    uint8_t x(uint16_t v) const { return static_cast<uint8_t>(v - m_store.lcdX / 2); }
    uint8_t y(uint16_t v) const { return static_cast<uint8_t>(v - m_store.lcdY / 2); }

    const ProjectStore& m_store;
    const ProgramDirectory& m_dir;
    const BuildOptions& m_options;
    BuildResult m_result;

    std::unique_ptr<PanelGlyphs> m_ownGlyphs;
    GlyphTable m_glyphs;
    std::vector<uint8_t> m_driver;
    std::array<uint8_t, ImageBuilder::kHeaderSize> m_header{};
    std::array<uint16_t, 260> m_table{};
    ByteWriter m_image; // from the header on
    std::vector<uint16_t> m_screenList;
    std::vector<uint16_t> m_alarmList;
    ByteWriter m_pictures;
    ByteWriter m_lamps;
};

std::optional<Failure> Build::collectGlyphs() {
    const std::string& pool = m_store.globalPool;
    const bool needSingle = GlyphTable::needsSingleByteGlyphs(pool);
    const bool needPairs = GlyphTable::needsTwoByteGlyphs(pool);

    PanelGlyphs* glyphs = m_options.glyphs;
    if (!glyphs) {
        // Open only what the texts need, so a project without two-byte texts builds without a
        // font; a font the caller named must open all the same.
        std::optional<Asc16Glyphs> ascii;
        if (needSingle) {
            Asc16Glyphs::Status status;
            const std::string path = Asc16Glyphs::pathIn(m_dir);
            ascii = Asc16Glyphs::load(path, &status);
            if (status == Asc16Glyphs::Status::Missing) {
                return Failure{Message::string(buildmsg::kAsciiGlyphsMissing), path};
            }
            if (status == Asc16Glyphs::Status::Damaged) {
                return Failure{Message::string(buildmsg::kAsciiGlyphsDamaged, {path}), path};
            }
        }
        std::unique_ptr<GlyphSource> font;
        if (needPairs || !m_options.glyphFontPath.empty()) {
            GlyphFontChoice choice = chooseGlyphFont(m_dir, m_options.glyphFontPath);
            if (choice.error) {
                return Failure{*choice.error, m_options.glyphFontPath};
            }
            for (Message& m : choice.warnings) {
                m_result.warnings.push_back(std::move(m));
            }
            font = std::move(choice.source);
        }
        m_ownGlyphs = std::make_unique<PanelGlyphs>(std::move(ascii), std::move(font));
        glyphs = m_ownGlyphs.get();
    }
    if (needSingle && !glyphs->hasAscii()) {
        return Failure{Message::string(buildmsg::kAsciiGlyphsMissing), Asc16Glyphs::pathIn(m_dir)};
    }
    if (needPairs && !glyphs->hasTwoByteSource()) {
        return Failure{Message::string(buildmsg::kNoGlyphFont), {}};
    }
    const Asc16Glyphs* ascii = glyphs->ascii() ? &*glyphs->ascii() : nullptr;
    m_glyphs.collect(pool, ascii, glyphs->twoByte());
    for (uint16_t key : m_glyphs.missingPairs()) {
        auto named = TwoByteGlyphs::describe(static_cast<uint8_t>(key >> 8), static_cast<uint8_t>(key & 0xFF));
        m_result.warnings.push_back(Message::string(buildmsg::kGlyphMissing, {named[0], named[1]}));
    }
    return std::nullopt;
}

void Build::encodePictures() {
    for (int p = 1; p <= capacity::kLastPicture; ++p) {
        const PictureTableEntry& e = m_store.pictures[p];
        if (!e.defined(p)) {
            continue;
        }
        m_table[kPictureEntries + p] = static_cast<uint16_t>(m_pictures.size());
        m_pictures.append(columnformat::picture(e.dots, e.width, e.height));
    }
}

std::optional<Failure> Build::serialHeader() {
    const ProjectBlock& pb = m_store.projectBlock;
    auto code1 = ImageBuilder::baudCode(pb.baud[0]);
    if (!code1) {
        return Failure{Message::string(buildmsg::kBaudRate, {std::to_string(pb.baud[0])}), "COM1"};
    }
    m_header[2] = *code1;
    m_header[3] = pb.dataBits[0];
    m_header[4] = pb.stopBits[0];
    m_header[5] = ImageBuilder::parityLetter(pb.parity[0]);
    if (m_store.cpu().com2SettingsInImage()) {
        auto code2 = ImageBuilder::baudCode(pb.baud[1]);
        if (!code2) {
            return Failure{Message::string(buildmsg::kBaudRate, {std::to_string(pb.baud[1])}), "COM2"};
        }
        m_header[15] = *code2;
        m_header[16] = pb.dataBits[1];
        m_header[17] = pb.stopBits[1];
        m_header[18] = ImageBuilder::parityLetter(pb.parity[1]);
    }
    auto put16 = [&](size_t at, unsigned v) {
        m_header[at] = static_cast<uint8_t>(v & 0xFF);
        m_header[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    m_header[19] = pb.startScreen;
    m_header[20] = pb.panelOptions;
    m_header[21] = pb.panelSetting1;
    put16(22, pb.controlAddress2);
    put16(24, pb.controlAddress1);
    m_header[26] = pb.panelSetting2;
    m_header[27] = pb.panelSetting4;
    put16(38, pb.panelSetting3);

    const unsigned com1Port = pb.portNumbers >> 16;
    const unsigned com2Port = pb.portNumbers & 0xFFFF;
    const uint8_t kind1 = linkfiles::linkKind(m_store, m_dir, 1);
    put16(28, pb.controlAreaAndBit2 | (kind1 << 8));
    put16(32, kind1 == 2 ? com1Port : 0);
    if (m_store.cpu().hasCom2()) {
        const uint8_t kind2 = linkfiles::linkKind(m_store, m_dir, 2);
        put16(30, pb.controlAreaAndBit1 | (kind2 << 8));
        put16(34, kind2 == 2 ? com2Port : 0);
    } else {
        put16(30, pb.controlAreaAndBit1);
    }
    return std::nullopt;
}

std::optional<Failure> Build::readDriver() {
    const std::string name = linkfiles::protocolName(m_store, 1);
    const std::string path = linkfiles::imageDriverPath(m_dir, name);
    auto bytes = FileIo::readBytes(path);
    if (!bytes) {
        return Failure{Message::string(buildmsg::kDriverMissing), path};
    }
    if (bytes->size() < ImageBuilder::kDriverBytes) {
        return Failure{Message::string(buildmsg::kDriverDamaged), path};
    }
    // The driver carries its marker right after the part that goes into the image.
    const bool x = bytes->size() > 4096 && (*bytes)[4096] == 'X';
    const bool y = bytes->size() > 4097 && (*bytes)[4097] == 'Y';
    if (!x && !y) {
        return Failure{Message::string(buildmsg::kDriverDamaged), path};
    }
    m_driver.assign(bytes->begin(), bytes->begin() + ImageBuilder::kDriverBytes);
    return std::nullopt;
}

void Build::writeAlarmGroup(int group) {
    constexpr unsigned kSecondGroupFollows = 0x80; // in group 1's flag byte
    const AlarmBlock& block = m_store.alarms[group];
    const std::string& pool = m_store.alarmPools[group];
    ByteWriter w;
    unsigned flags = block.options & (AlarmBlock::kOption1 | AlarmBlock::kOption2 | AlarmBlock::kCom2);
    // The panel learns from group 1 whether group 2 follows; it is said only when it is written.
    if (group == 0 && m_store.alarmGroupCount > 1 && m_store.alarms[1].count != 0) {
        flags |= kSecondGroupFollows;
    }
    w.u8(flags);
    w.u8(block.count);
    w.u8(block.areaAndBit);
    w.u8(0);
    w.u16(block.startAddress & 0xFFFF);
    w.u16(0);
    for (int i = 0; i < capacity::kAlarmMessages; ++i) {
        w.u16(static_cast<unsigned>(m_alarmList.size()));
        m_glyphs.encode(poolText(pool, block.offsets[i], block.lengths[i]), m_alarmList);
    }
    w.bytes(block.lengths, sizeof block.lengths);
    m_image.append(w.data());
}

std::optional<Failure> Build::writeChangeRecords() {
    const int count = m_store.changeCount;
    if (count > m_store.maxChangeCount || count > capacity::kChangeRecords) {
        return Failure{Message::string(buildmsg::kTooManyChanges), {}};
    }
    m_image.u8(static_cast<unsigned>(count));
    for (int i = 0; i < count; ++i) {
        const ChangeRecord& c = m_store.changes[i];
        if (c.length > m_store.maxChangeLength) {
            return Failure{Message::string(buildmsg::kChangeTooLong), "change record " + std::to_string(i + 1)};
        }
        m_image.bytes(&c, sizeof c);
    }
    return std::nullopt;
}

std::optional<Failure> Build::registerLamp(const LampRecord& lamp, int& number) {
    const std::string name = lamp.nameString();
    number = ImageBuilder::lampNumber(lamp);
    if (number < 0 || number >= kLampNumbers) {
        return Failure{Message::string(buildmsg::kLampNumber), name};
    }
    if (m_table[kLampEntries + number] != 0) {
        return std::nullopt; // the first picture under a number serves every lamp with it
    }
    if (ImageBuilder::unsafeLampName(name)) {
        return Failure{Message::string(buildmsg::kUnsafeLampName, {name}), name};
    }
    const std::string path = m_dir.file("lampdata/" + name + ".lmp");
    auto bytes = FileIo::readBytes(path);
    if (!bytes) {
        return Failure{Message::string(buildmsg::kLampFile), path};
    }
    const int size = (lamp.attr & LampRecord::kBig) ? 32 : 16;
    const size_t need = static_cast<size_t>(2 * size * size);
    if (bytes->size() < need) {
        return Failure{Message::string(buildmsg::kLampFileShort,
                                       {path, std::to_string(size), std::to_string(need)}),
                       path};
    }
    m_table[kLampEntries + number] = static_cast<uint16_t>(m_lamps.size());
    const std::string_view dots(reinterpret_cast<const char*>(bytes->data()), need);
    m_lamps.append(columnformat::picture(dots, 2 * size, size));
    return std::nullopt;
}

std::optional<Failure> Build::writeScreen(int s) {
    const ScreenEntry& e = m_store.entries[s];
    const ScreenBlock& b = m_store.screens[s];
    // Counts beyond the arrays come only from damaged data; never read past the records.
    const int texts = std::min<int>(e.textCount, capacity::kTextStrings);
    const int msgs = std::min<int>(e.msgCount, capacity::kMsgDisps);
    const int nums = std::min<int>(e.numCount, capacity::kNumDisps);
    const int bars = std::min<int>(e.barCount, capacity::kBarGraphs);
    const int trends = std::min<int>(e.trendCount, capacity::kTrendGraphs);
    const int lamps = std::min<int>(e.lampCount, capacity::kLamps);
    const int pics = std::min<int>(e.pictureCount, capacity::kPictureObjects);

    ByteWriter w;
    for (int n : {texts, msgs, nums, bars, trends, lamps, pics}) {
        w.u8(static_cast<unsigned>(n));
    }
    w.zeros(3);

    for (int i = 0; i < texts; ++i) {
        const TextStringRecord& r = b.textStrings[i];
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(r.attr);
        w.u16(static_cast<unsigned>(m_screenList.size()));
        m_glyphs.encode(poolText(b.textPool, r.textOffset, r.textLength), m_screenList);
        m_screenList.push_back(0);
    }
    for (int i = 0; i < msgs; ++i) {
        const MsgDispRecord& r = b.msgDisps[i];
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(r.attr);
        w.u16(r.address);
        for (int t = 0; t < 16; ++t) {
            w.u16(static_cast<unsigned>(m_screenList.size()));
            m_glyphs.encode(poolText(b.textPool, r.textOffsets[t], r.textLengths[t]), m_screenList);
        }
        m_screenList.push_back(0);
        w.bytes(r.textLengths, sizeof r.textLengths);
        w.u8(*std::max_element(std::begin(r.textLengths), std::end(r.textLengths)));
        w.u8(r.areaAndBit);
    }
    const std::vector<int> order = ImageBuilder::numDispOrder(b, nums);
    for (int i : order) {
        const NumDispRecord& r = b.numDisps[i];
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(r.attr);
        w.u8(r.options);
        w.u8(r.areaAndBit);
        w.u16(r.address);
        w.u8(r.digits);
        w.u8(r.decimals);
        w.zeros(2);
        w.u32(static_cast<uint32_t>(r.maximum));
        w.u32(static_cast<uint32_t>(r.minimum));
        w.u32(static_cast<uint32_t>(truncatedScale(r.scale())));
    }
    for (int i = 0; i < bars; ++i) {
        const BarGraphRecord& r = b.barGraphs[i];
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(r.attr);
        w.u16(r.address);
        w.u16(static_cast<uint16_t>(r.maximum));
        w.u16(static_cast<uint16_t>(r.minimum));
        w.u8(r.length);
        w.u8(r.thickness);
        w.u8(r.areaAndBit);
        w.u8(0);
    }
    for (int i = 0; i < trends; ++i) {
        const TrendGraphRecord& r = b.trendGraphs[i];
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(r.attr);
        w.u16(r.address);
        w.u16(static_cast<uint16_t>(r.maximum));
        w.u16(static_cast<uint16_t>(r.minimum));
        w.u8(r.settingA);
        w.u8(r.spacing);
        w.u8(r.height);
        w.u8(r.width);
        w.u8(r.pointCount);
        w.u8(r.areaAndBit);
    }
    for (int i = 0; i < lamps; ++i) {
        const LampRecord& r = b.lamps[i];
        int number = 0;
        if (auto f = registerLamp(r, number)) {
            return f;
        }
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(r.attr);
        w.u16(r.address);
        w.u8(static_cast<unsigned>(number));
        w.u8(r.areaAndBit);
    }
    for (int i = 0; i < pics; ++i) {
        const PictureObjectRecord& r = b.pictures[i];
        w.u8(r.kind);
        w.u8(x(r.x));
        w.u8(y(r.y));
        w.u8(0);
        w.u8(r.height);
        w.u8(r.width);
        w.u8(r.pictureNo);
    }

    // Function keys 3 and 4 step to the neighbouring screens unless they have a target.
    w.u8(b.fnKeys[0]);
    w.u8(b.fnKeys[1]);
    w.u8(b.fnKeys[2] == 0 && s != 1 && m_store.screenExists(s - 1) ? s - 1 : b.fnKeys[2]);
    w.u8(b.fnKeys[3] == 0 && s != capacity::kLastScreen && m_store.screenExists(s + 1) ? s + 1 : b.fnKeys[3]);

    for (const OldKeyRecord& k : b.oldKeys) {
        w.u8(k.kind);
        w.u8(k.flags);
        w.u16(k.address);
        w.u8(k.areaAndBit);
        w.u8(k.screen);
    }

    if (m_store.cpu().keyRecordsInImage()) {
        for (int k = 0; k < capacity::kPanelKeys; ++k) {
            const KeyRecord& r = b.keys[k];
            uint32_t operand = r.usesOperand() ? r.operand : r.screen;
            // Keys 8 and 9 show the previous and the next screen unless they do anything else.
            const bool plainScreenKey = !r.usesOperand() && r.screen == 0;
            if (k == 8 && plainScreenKey && m_store.screenExists(s - 1)) {
                operand = static_cast<uint32_t>(s - 1);
            } else if (k == 9 && plainScreenKey && s < capacity::kLastScreen && m_store.screenExists(s + 1)) {
                operand = static_cast<uint32_t>(s + 1);
            }
            w.u8(r.kind);
            w.u8(r.flags);
            w.u16(r.address);
            w.u8(r.areaAndBit);
            w.u32(operand);
        }
    }

    for (int i : order) {
        w.u32(static_cast<uint32_t>(b.numDispSides[i].high));
        w.u32(static_cast<uint32_t>(b.numDispSides[i].low));
    }
    m_image.append(w.data());
    return std::nullopt;
}

BuildResult Build::run() {
    auto stop = [&](Failure f) {
        m_result.outcome = BuildResult::Outcome::Stopped;
        m_result.failure = std::move(f.message);
        m_result.detail = std::move(f.detail);
        m_result.image.clear();
        return std::move(m_result);
    };

    const int format = m_store.header.format;
    if (format < 51 && format != 3) {
        return stop({Message::string(buildmsg::kOldFormat), {}});
    }
    if (auto f = collectGlyphs()) {
        return stop(std::move(*f));
    }
    encodePictures();
    if (auto f = serialHeader()) {
        return stop(std::move(*f));
    }
    if (m_store.cpu().linkDriverInImage()) {
        if (auto f = readDriver()) {
            return stop(std::move(*f));
        }
    }

    m_header[0] = 51;
    m_header[1] = 0;
    m_header[kHdrFirstPairCell] = m_glyphs.firstPairCell();
    m_image.zeros(ImageBuilder::kHeaderSize + ImageBuilder::kOffsetTableSize);
    m_image.bytes(&m_store.systemBlock, sizeof m_store.systemBlock);
    m_lamps.u8(0x31);
    writeAlarmGroup(0);

    if (m_store.cpu().hasCom2()) {
        if (auto f = writeChangeRecords()) {
            return stop(std::move(*f));
        }
    }
    if (m_store.alarmGroupCount > 1 && m_store.alarms[1].count != 0) {
        writeAlarmGroup(1);
    }

    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!m_store.screenExists(s)) {
            continue;
        }
        m_table[s] = static_cast<uint16_t>(m_image.size());
        if (auto f = writeScreen(s)) {
            return stop(std::move(*f));
        }
    }

    // The trailing blocks; their offsets are only known, and checked, once all are laid out.
    std::array<size_t, 5> starts{};
    starts[0] = m_image.size();
    for (uint16_t v : m_screenList) {
        m_image.u16(v);
    }
    starts[1] = m_image.size();
    for (uint16_t v : m_alarmList) {
        m_image.u16(v);
    }
    starts[2] = m_image.size();
    m_image.append(m_glyphs.bitmaps());
    starts[3] = m_image.size();
    m_image.append(m_pictures.data());
    starts[4] = m_image.size();
    m_image.append(m_lamps.data());

    // Every offset is 16 bits counted from the header: a longer image cannot be addressed, and
    // writing wrapped offsets would send the panel into the wrong data.
    if (m_image.size() > ImageBuilder::kAddressable) {
        return stop({Message::string(buildmsg::kImageNotAddressable, {std::to_string(m_image.size())}), {}});
    }

    auto put16 = [&](size_t at, size_t v) {
        m_header[at] = static_cast<uint8_t>(v & 0xFF);
        m_header[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
    };
    put16(kHdrScreenList, starts[0]);
    put16(kHdrAlarmList, starts[1]);
    put16(kHdrGlyphs, starts[2]);
    put16(kHdrPictures, starts[3]);
    put16(kHdrLamps, starts[4]);
    std::copy(m_header.begin(), m_header.end(), m_image.data().begin());
    for (size_t i = 0; i < m_table.size(); ++i) {
        m_image.patch16(ImageBuilder::kHeaderSize + 2 * i, m_table[i]);
    }

    std::vector<uint8_t>& file = m_result.image;
    file.reserve(m_driver.size() + m_image.size());
    file.assign(m_driver.begin(), m_driver.end());
    file.insert(file.end(), m_image.data().begin(), m_image.data().end());

    if (m_store.cpu().onePort()) {
        if (file.size() > ImageBuilder::kMaxOnePortFile) {
            m_result.warnings.push_back(Message::string(buildmsg::kTooLongOnePort));
        }
    } else if (file.size() > ImageBuilder::kMaxFile) {
        m_result.warnings.push_back(Message::string(buildmsg::kTooLong));
    }

    // Only screens have a place in the first 200 entries; a start screen number beyond them must
    // not pass for a screen by meeting a picture or lamp offset.
    const int start = m_store.projectBlock.startScreen;
    if (start >= capacity::kFirstScreen && start <= capacity::kLastScreen && m_table[start] != 0) {
        m_result.outcome = BuildResult::Outcome::Complete;
    } else {
        m_result.outcome = BuildResult::Outcome::StartScreenMissing;
        m_result.startScreenMessage = Message::string(buildmsg::kNoStartScreen, {std::to_string(start)});
    }
    return std::move(m_result);
}

} // namespace

BuildResult ImageBuilder::build(const ProjectStore& store, const ProgramDirectory& dir,
                                const BuildOptions& options) {
    auto b = std::make_unique<Build>(store, dir, options);
    return b->run();
}

std::optional<Message> ImageBuilder::write(const BuildResult& result, const std::string& path,
                                           std::string* detail) {
    std::string why;
    if (result.stopped() ||
        !FileIo::writeAtomic(path, result.image.data(), result.image.size(), &why)) {
        if (result.stopped()) {
            why = "the build stopped";
        }
        if (detail) {
            *detail = why;
        }
        return Message::string(buildmsg::kImageWriteFailed, {path, why});
    }
    return std::nullopt;
}

std::optional<uint8_t> ImageBuilder::baudCode(uint16_t stored) {
    switch (stored) {
    case 1200: return 0xE8;
    case 2400: return 0xF4;
    case 4800: return 0xFA;
    case 9600: return 0xFD;
    case 19200: return 5;
    case 38400: return 6;
    case 57600: return 7;
    case 49664: return 8; // 115200 in 16 bits
    default: return std::nullopt;
    }
}

uint8_t ImageBuilder::parityLetter(uint8_t stored) {
    switch (stored) {
    case 'e':
    case 'E': return 'E';
    case 'o':
    case 'O': return 'O';
    default: return 'N';
    }
}

std::vector<int> ImageBuilder::numDispOrder(const ScreenBlock& screen, int count) {
    std::vector<int> order;
    if (count <= 0) {
        return order;
    }
    if (count == 1) {
        order.push_back(0);
        return order;
    }
    // A selection in reading order on the stored coordinates: smaller y first, on equal y the
    // smaller x, and among equal positions the later record. The panel tools began the search at
    // y = 255, which never chose records further down and wrote some other record in their place;
    // starting from the first unplaced record keeps the same order for every record above that
    // line and places the others too, each exactly once.
    std::vector<bool> placed(static_cast<size_t>(count), false);
    for (int n = 0; n < count; ++n) {
        int choice = -1;
        int bestX = 0;
        int bestY = 0;
        for (int i = 0; i < count; ++i) {
            if (placed[i]) {
                continue;
            }
            const int rx = screen.numDisps[i].x;
            const int ry = screen.numDisps[i].y;
            if (choice < 0 || ry < bestY || (ry == bestY && rx <= bestX)) {
                choice = i;
                bestX = rx;
                bestY = ry;
            }
        }
        placed[choice] = true;
        order.push_back(choice);
    }
    return order;
}

int ImageBuilder::lampNumber(const LampRecord& lamp) {
    const auto tens = static_cast<uint8_t>(lamp.name[4]);
    const auto ones = static_cast<uint8_t>(lamp.name[5]);
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
        return -1;
    }
    return (tens - '0') * 10 + (ones - '0');
}

bool ImageBuilder::unsafeLampName(const std::string& name) { return linkfiles::unsafeName(name); }

} // namespace dispcraft
