#include "image/ImageBuilder.h"

#include "image/BuildMessages.h"
#include "base/ByteWriter.h"
#include "image/ColumnFormat.h"
#include "image/GlyphTable.h"
#include "image/ImageHeader.h"
#include "image/LinkFiles.h"
#include "image/PanelGlyphs.h"
#include "image/ScreenImage.h"
#include "objects/ImageContext.h"
#include "objects/ObjectKinds.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "model/ProjectReferences.h"
#include "objects/TextPool.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <span>
#include <string_view>

namespace dispcraft {

static_assert(ImageHeader::kSize == ImageBuilder::kHeaderSize);

namespace {

constexpr int kPictureEntries = 200; // entry 200 + p: picture p
constexpr int kLampEntries = 230;    // entry 230 + k: lamp number k
constexpr int kLampNumbers = 30;     // 0..29

// A text of a pool by offset and length; one that does not lie wholly inside the pool is built
// as an empty text, as every other reader takes it.
std::string_view poolText(const std::string& pool, uint32_t offset, uint32_t length) {
    if (length == 0 || !textpool::inside(offset, length, pool.size())) {
        return {}; // an empty text may name any offset, past the pool's end too
    }
    return std::string_view(pool).substr(offset, length);
}

// The length a text is built with: 0 for one outside its pool.
uint8_t builtLength(const std::string& pool, uint32_t offset, uint8_t length) {
    return textpool::inside(offset, length, pool.size()) ? length : 0;
}

// The build's warning for a reference that leads nowhere, naming the object.
Message badReferenceWarning(int s, const char* kindName, int i, const BadReference& bad) {
    const std::string screen = std::to_string(s);
    const std::string object = std::to_string(i + 1);
    if (bad.what == BadReference::What::Picture) {
        return Message::string(buildmsg::kPictureLeftOut,
                               {screen, kindName, object, std::to_string(bad.picture)});
    }
    if (bad.text > 0) {
        return Message::string(buildmsg::kTextNBuiltEmpty,
                               {screen, kindName, object, std::to_string(bad.text)});
    }
    return Message::string(buildmsg::kTextBuiltEmpty, {screen, kindName, object});
}

struct Failure {
    Message message;
    std::string detail;
};

// The state of one build, in the order the image is made.
class Build final : public ImageContext {
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

    // What the object kinds ask of the build while their records are made (see ImageContext).
    uint8_t lcdX(uint16_t v) const override { return static_cast<uint8_t>(v - m_store.lcdX / 2); }
    uint8_t lcdY(uint16_t v) const override { return static_cast<uint8_t>(v - m_store.lcdY / 2); }
    uint16_t addScreenText(uint32_t offset, uint32_t length) override;
    uint8_t builtTextLength(uint32_t offset, uint8_t length) const override {
        return builtLength(*m_screenPool, offset, length);
    }
    void endScreenTexts() override { m_screenList.push_back(0); }
    uint8_t lampPicture(const LampRecord& lamp) override;

    const ProjectStore& m_store;
    const ProgramDirectory& m_dir;
    const BuildOptions& m_options;
    BuildResult m_result;

    std::unique_ptr<PanelGlyphs> m_ownGlyphs;
    GlyphTable m_glyphs;
    std::vector<uint8_t> m_driver;
    ImageHeader m_header;
    std::array<uint16_t, 260> m_table{};
    ByteWriter m_image; // from the header on
    std::vector<uint16_t> m_screenList;
    std::vector<uint16_t> m_alarmList;
    ByteWriter m_pictures;
    ByteWriter m_lamps;
    const std::string* m_screenPool = nullptr; // of the screen being written
    std::optional<Failure> m_lampFailure;
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
    m_header.com1Baud = *code1;
    m_header.com1DataBits = pb.dataBits[0];
    m_header.com1StopBits = pb.stopBits[0];
    m_header.com1Parity = ImageBuilder::parityLetter(pb.parity[0]);
    if (m_store.cpu().com2SettingsInImage()) {
        auto code2 = ImageBuilder::baudCode(pb.baud[1]);
        if (!code2) {
            return Failure{Message::string(buildmsg::kBaudRate, {std::to_string(pb.baud[1])}), "COM2"};
        }
        m_header.com2Baud = *code2;
        m_header.com2DataBits = pb.dataBits[1];
        m_header.com2StopBits = pb.stopBits[1];
        m_header.com2Parity = ImageBuilder::parityLetter(pb.parity[1]);
    }
    m_header.startScreen = pb.startScreen;
    m_header.controlOptions = pb.panelOptions;
    m_header.panelSetting1 = pb.panelSetting1;
    m_header.controlAddress2 = pb.controlAddress2;
    m_header.controlAddress1 = pb.controlAddress1;
    m_header.panelSetting2 = pb.panelSetting2;
    m_header.panelSetting4Low = pb.panelSetting4;
    m_header.panelSetting3 = pb.panelSetting3;

    const auto com1Port = static_cast<uint16_t>(pb.portNumbers >> 16);
    const auto com2Port = static_cast<uint16_t>(pb.portNumbers & 0xFFFF);
    m_header.controlAreaBit2 = pb.controlAreaAndBit2;
    m_header.com1LinkKind = linkfiles::linkKind(m_store, m_dir, 1);
    m_header.com1PortNumber = m_header.com1LinkKind == 2 ? com1Port : 0;
    m_header.controlAreaBit1 = pb.controlAreaAndBit1;
    if (m_store.cpu().hasCom2()) {
        m_header.com2LinkKind = linkfiles::linkKind(m_store, m_dir, 2);
        m_header.com2PortNumber = m_header.com2LinkKind == 2 ? com2Port : 0;
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
    unsigned flags = block.options & (AlarmBlock::kNewestOnLcd | AlarmBlock::kOption2 | AlarmBlock::kCom2);
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
    uint8_t lengths[capacity::kAlarmMessages];
    for (int i = 0; i < capacity::kAlarmMessages; ++i) {
        w.u16(static_cast<unsigned>(m_alarmList.size()));
        m_glyphs.encode(poolText(pool, block.offsets[i], block.lengths[i]), m_alarmList);
        lengths[i] = builtLength(pool, block.offsets[i], block.lengths[i]);
        if (!ProjectReferences::alarmMessageInside(m_store, group, i)) {
            m_result.warnings.push_back(Message::string(
                buildmsg::kAlarmBuiltEmpty, {std::to_string(group + 1), std::to_string(i + 1)}));
        }
    }
    w.bytes(lengths, sizeof lengths);
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

uint16_t Build::addScreenText(uint32_t offset, uint32_t length) {
    const auto start = static_cast<uint16_t>(m_screenList.size());
    m_glyphs.encode(poolText(*m_screenPool, offset, length), m_screenList);
    return start;
}

uint8_t Build::lampPicture(const LampRecord& lamp) {
    int number = 0;
    if (!m_lampFailure) {
        m_lampFailure = registerLamp(lamp, number);
    }
    return static_cast<uint8_t>(number);
}

std::optional<Failure> Build::writeScreen(int s) {
    const ScreenEntry& e = m_store.entries[s];
    const ScreenBlock& b = m_store.screens[s];
    m_screenPool = &b.textPool;
    ScreenImage image;
    image.number = s;

    // References that lead nowhere: each is warned of; a text is built empty, an object without
    // its picture is left out (the panel would show another picture in its place).
    std::vector<std::pair<int, int>> leftOut; // kind code, index
    ProjectReferences::forEachBad(m_store, s, [&](auto kind, int i, const BadReference& bad) {
        using K = decltype(kind);
        m_result.warnings.push_back(badReferenceWarning(s, K::kName, i, bad));
        if (bad.what == BadReference::What::Picture) {
            leftOut.emplace_back(K::kCode, i);
        }
    });
    auto isLeftOut = [&](int code, int i) {
        return std::find(leftOut.begin(), leftOut.end(), std::pair{code, i}) != leftOut.end();
    };

    forEachKind([&](auto kind) {
        using K = decltype(kind);
        // Counts beyond the arrays come only from damaged data; never read past the records.
        const size_t count = std::min<size_t>(e.count<K>(), K::kCapacity);
        const auto records = std::span(b.records<K>()).first(count);
        std::vector<int> order;
        if constexpr (requires { K::imageOrder(records); }) {
            order = K::imageOrder(records);
        } else {
            order.resize(records.size());
            std::iota(order.begin(), order.end(), 0);
        }
        std::vector<typename K::ImageRecord>& out = image.records<typename K::ImageRecord>();
        for (int i : order) {
            if (m_lampFailure) {
                return;
            }
            if (isLeftOut(K::kCode, i)) {
                continue;
            }
            if constexpr (HasSide<K>) {
                out.push_back(K::toImage(records[i], b.sides<K>()[i], *this));
            } else {
                out.push_back(K::toImage(records[i], *this));
            }
        }
    });
    if (m_lampFailure) {
        return std::move(m_lampFailure);
    }

    // Function keys 3 and 4 step to the neighbouring screens unless they have a target.
    const bool hasEarlier = s != capacity::kFirstScreen && m_store.screenExists(s - 1);
    const bool hasLater = s != capacity::kLastScreen && m_store.screenExists(s + 1);
    const int key3 = b.fnKeys[2] == 0 && hasEarlier ? s - 1 : b.fnKeys[2];
    const int key4 = b.fnKeys[3] == 0 && hasLater ? s + 1 : b.fnKeys[3];
    image.functionKeys.targets = {b.fnKeys[0], b.fnKeys[1], static_cast<uint8_t>(key3),
                                  static_cast<uint8_t>(key4)};

    static_assert(OldKeyImageRecord::kCount == capacity::kOldKeys);
    for (int k = 0; k < capacity::kOldKeys; ++k) {
        const OldKeyRecord& r = b.oldKeys[k];
        image.oldKeys[k] = {r.kind, r.flags, r.address, r.areaAndBit, r.screen};
    }

    image.hasKeys = m_store.cpu().keyRecordsInImage();
    if (image.hasKeys) {
        static_assert(KeyImageRecord::kCount == capacity::kPanelKeys);
        for (int k = 0; k < capacity::kPanelKeys; ++k) {
            const KeyRecord& r = b.keys[k];
            uint32_t operand = r.usesOperand() ? r.operand : r.screen;
            // Keys 8 and 9 show the previous and the next screen unless they do anything else.
            const bool plainScreenKey = !r.usesOperand() && r.screen == 0;
            if (k == 8 && plainScreenKey && m_store.screenExists(s - 1)) {
                operand = static_cast<uint32_t>(s - 1);
            } else if (k == 9 && plainScreenKey && hasLater) {
                operand = static_cast<uint32_t>(s + 1);
            }
            image.keys[k] = {r.kind, r.flags, r.address, r.areaAndBit, operand};
        }
    }
    image.write(m_image);
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

    m_header.format = ImageHeader::kFormat;
    m_header.firstPairCell = m_glyphs.firstPairCell();
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

    m_header.screenTextsAt = static_cast<uint16_t>(starts[0]);
    m_header.alarmTextsAt = static_cast<uint16_t>(starts[1]);
    m_header.glyphsAt = static_cast<uint16_t>(starts[2]);
    m_header.picturesAt = static_cast<uint16_t>(starts[3]);
    m_header.lampsAt = static_cast<uint16_t>(starts[4]);
    ByteWriter header;
    m_header.write(header);
    std::copy(header.data().begin(), header.data().end(), m_image.data().begin());
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
    const auto n = static_cast<size_t>(std::clamp(count, 0, NumDispKind::kCapacity));
    return NumDispKind::imageOrder(std::span(screen.numDisps).first(n));
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
