#include "model/TrnReader.h"

#include "model/TrnFormat.h"
#include "model/TrnMessages.h"
#include "objects/TextPool.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace dispcraft {

namespace {

// Reads records from the file bytes; a read that does not fit takes nothing.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    size_t left() const { return m_size - m_pos; }
    size_t position() const { return m_pos; }

    template <typename T>
    bool get(T& value) {
        return getBytes(&value, sizeof value);
    }
    template <typename T>
    bool getArray(T* values, size_t count) {
        return getBytes(values, sizeof(T) * count);
    }
    bool getString(std::string& s, size_t n) {
        if (n > left()) {
            return false;
        }
        s.assign(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        return true;
    }

private:
    bool getBytes(void* to, size_t n) {
        if (n > left()) {
            return false;
        }
        if (n > 0) {
            std::memcpy(to, m_data + m_pos, n);
        }
        m_pos += n;
        return true;
    }

    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

std::string num(long long v) { return std::to_string(v); }

// The whole file in one buffer, sized from the file so that it is not copied while it grows.
// Reading stops past the largest size a project can have, so that a device such as /dev/zero
// or a huge unrelated file cannot exhaust the memory.
bool readProjectFile(const std::string& path, std::string& out, int& err, bool& tooLarge) {
    errno = 0;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        err = errno;
        return false;
    }
    struct stat info {};
    if (fstat(fileno(f), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            std::fclose(f);
            err = EISDIR;
            return false;
        }
        if (S_ISREG(info.st_mode) && info.st_size > 0) {
            if (static_cast<uint64_t>(info.st_size) > trn::kMaxFileSize) {
                std::fclose(f);
                tooLarge = true;
                return false;
            }
            out.reserve(static_cast<size_t>(info.st_size));
        }
    }
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (out.size() + n > trn::kMaxFileSize) {
            std::fclose(f);
            out.clear();
            tooLarge = true;
            return false;
        }
        out.append(buf, n);
    }
    bool ok = !std::ferror(f);
    err = ok ? 0 : errno;
    std::fclose(f);
    return ok;
}

// What opening a file clears before reading: the reset of a new or opened project, the pools and
// the alarm fields that a file without them must not inherit.
void clearForLoad(ProjectStore& st) {
    st.reset();
    st.globalPool.clear();
    st.scratchPool.clear();
    st.pictureDotPool.clear();
    st.alarmPools[0].clear();
    st.alarmPools[1].clear();
    for (AlarmBlock& a : st.alarms) {
        a.count = 0;
        a.areaAndBit = 0;
        a.startAddress = 0;
        a.options = 0;
    }
}

// A refused file leaves nothing of itself behind.
void clearRefused(ProjectStore& st) {
    clearForLoad(st);
    st.header = FileHeader{};
    st.projectBlock = ProjectBlock{};
    st.fileIndex = FileIndex{};
    st.pictureDir = {};
    st.alarms = {};
    st.systemBlock = SystemBlock{};
    st.globalOldKeys = {};
    st.com1PortNumber = 0;
    st.com2PortNumber = 0;
}

bool textInside(uint32_t offset, uint8_t length, size_t poolSize) {
    return textpool::inside(offset, length, poolSize);
}

} // namespace

void TrnReader::applyLoadedNames(ProjectStore& st) {
    st.com1ProtocolName = ProjectBlock::nameOf(st.projectBlock.com1Protocol);
    st.com2ProtocolName = ProjectBlock::nameOf(st.projectBlock.com2Protocol);
    char code = static_cast<char>(st.header.modelCode & 0xFF);
    st.modelTitle = "TR - ";
    if (code != '\0') {
        st.modelTitle += code;
    }
}

TrnReader::Result TrnReader::read(ProjectStore& st, const uint8_t* data, size_t size) {
    clearForLoad(st);
    Result r;
    auto refuse = [&](Message m) {
        clearRefused(st);
        r.ok = false;
        r.message = std::move(m);
        return r;
    };
    Cursor c(data, size);

    // Header and the fixed part.
    if (!c.get(st.header) || std::memcmp(st.header.magic, trn::kMagic, sizeof trn::kMagic) != 0) {
        return refuse(Message::string(trnmsg::kNotProjectFile));
    }
    const int f = st.header.format;
    r.fileFormat = f;
    if (f >= trn::kFirstUnreadable) {
        return refuse(Message::string(trnmsg::kFormatTooNew));
    }
    if (size < trn::kScreenRecordsOffset) {
        return refuse(Message::string(trnmsg::kCutInDirectory, {num(size)}));
    }
    c.get(st.projectBlock);
    st.com1PortNumber = static_cast<int32_t>(st.projectBlock.portNumbers >> 16);
    st.com2PortNumber = static_cast<int32_t>(st.projectBlock.portNumbers & 0xFFFF);
    FileIndex& ix = st.fileIndex;
    c.get(ix);
    if (f < 51) {
        ix.alarmPool2Length = 0;
    }
    c.getArray(st.entries.data(), st.entries.size());
    c.getArray(st.pictureDir.data(), st.pictureDir.size());

    // Screen records.
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        std::optional<Message> tooMany;
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            const int count = e.count<K>();
            if (!tooMany && count > K::kCapacity) {
                tooMany = Message::string(trnmsg::kTooManyObjects,
                                          {num(s), num(count), K::kName, num(K::kCapacity)});
            }
        });
        if (tooMany) {
            return refuse(std::move(*tooMany));
        }
        ScreenBlock& b = st.screens[s];
        bool whole = true;
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            whole = whole && c.getArray(b.records<K>().data(), e.count<K>());
        });
        whole = whole && c.getArray(b.fnKeys.data(), b.fnKeys.size());
        if (whole && trn::hasScreenOldKeys(f)) {
            whole = c.getArray(b.oldKeys.data(), b.oldKeys.size());
            if (trn::clearsScreenKeyFlags(f)) {
                for (OldKeyRecord& o : b.oldKeys) {
                    o.flags = trn::oldKeyFlags(o.flags);
                }
            }
        } else if (whole) {
            // Not in the file: what the reset left (the flag byte), without a former project's bytes.
            for (OldKeyRecord& o : b.oldKeys) {
                o.kind = 0;
                o.byte1 = 0;
                o.reserved3 = 0;
            }
        }
        if (!whole) {
            return refuse(Message::string(trnmsg::kCutInScreen, {num(s)}));
        }
        for (int i = 0; i < e.pictureCount; ++i) {
            int n = b.pictures[i].pictureNo;
            if (n > capacity::kLastPicture) {
                return refuse(Message::string(trnmsg::kBadPictureNumber, {num(i + 1), num(s), num(n)}));
            }
        }
    }

    // Alarm group 1 and the pools.
    if (!c.get(st.alarms[0])) {
        return refuse(Message::string(trnmsg::kCutInAlarmGroup));
    }
    if (!c.getString(st.globalPool, ix.globalPoolLength)) {
        return refuse(Message::string(trnmsg::kTextPoolPastEnd, {num(ix.globalPoolLength)}));
    }
    if (!c.getString(st.pictureDotPool, ix.pictureDotsLength)) {
        return refuse(Message::string(trnmsg::kPictureDotsPastEnd, {num(ix.pictureDotsLength)}));
    }
    if (!c.getString(st.scratchPool, ix.scratchLength)) {
        return refuse(Message::string(trnmsg::kScratchPastEnd, {num(ix.scratchLength)}));
    }

    // From here on a file that ends early is read as far as it goes: each part is taken whole
    // or not at all, and the parts after a missing one keep their empty or derived values.
    bool more = true;
    auto take = [&](auto& value) {
        more = more && c.get(value);
        return more;
    };
    auto takeArray = [&](auto* values, size_t n) {
        more = more && c.getArray(values, n);
        return more;
    };

    if (takeArray(st.globalOldKeys.data(), st.globalOldKeys.size())) {
        for (OldKeyRecord& o : st.globalOldKeys) {
            if (!trn::keepsGlobalOldKeyKind(f)) {
                o.kind = 0;
            }
            if (trn::clearsGlobalOldKeyFlags(f)) {
                o.flags = trn::oldKeyFlags(o.flags);
            }
        }
    } else {
        st.globalOldKeys = {};
    }
    st.systemBlock = SystemBlock{};
    if (trn::hasSystemBlock(f)) {
        take(st.systemBlock);
    }

    // Key records as the old 12-byte records give them; newer files overwrite them below.
    auto derive = [](const std::array<OldKeyRecord, capacity::kOldKeys>& from,
                     std::array<KeyRecord, capacity::kPanelKeys>& to) {
        for (int k = 0; k < capacity::kPanelKeys; ++k) {
            to[k] = KeyRecord{};
            if (k < capacity::kOldKeys) {
                panelkeys::copyKeyFields(from[k], to[k]);
            }
        }
    };
    derive(st.globalOldKeys, st.globalKeys);
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        ScreenBlock& b = st.screens[s];
        derive(b.oldKeys, b.keys);
        for (int i = 0; i < capacity::kNumDisps; ++i) {
            b.numDispSides[i] = NumDispKind::sideOfOlderFile(b.numDisps[i]);
        }
    }

    if (trn::hasKeyRecords(f)) {
        for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen && more; ++s) {
            if (!st.screenExists(s)) {
                continue;
            }
            ScreenBlock& b = st.screens[s];
            std::array<KeyRecord, capacity::kPanelKeys> keys;
            if (takeArray(keys.data(), keys.size())) {
                b.keys = keys;
                if (trn::clearsScreenKeyFlags(f)) {
                    for (KeyRecord& k : b.keys) {
                        k.flags = trn::oldKeyFlags(k.flags);
                    }
                }
            }
            std::array<NumDispSideRecord, capacity::kNumDisps> sides;
            if (takeArray(sides.data(), st.entries[s].numCount)) {
                std::copy_n(sides.begin(), st.entries[s].numCount, b.numDispSides.begin());
            }
        }
        uint8_t count = 0;
        if (take(count)) {
            if (count > capacity::kChangeRecords) {
                return refuse(Message::string(trnmsg::kTooManyChanges, {num(count)}));
            }
            int n = 0;
            while (n < count && take(st.changes[n])) {
                ++n;
            }
            st.changeCount = static_cast<uint8_t>(n);
        }
        for (int k = 0; k < capacity::kPanelKeys && more; ++k) {
            KeyRecord key;
            if (take(key)) {
                // Formats 5 and 6 kept one project-wide record: the last one read wins.
                st.globalKeys[trn::globalKeysInOrder(f) ? k : 0] = key;
            }
        }
    }

    // Alarm group 2: a file without it (older format, or cut short) leaves it empty.
    if (!trn::hasAlarmGroup2(f) || !take(st.alarms[1])) {
        st.alarms[1] = AlarmBlock{};
    }
    r.endsEarly = !more;

    // Pictures.
    for (int i = 1; i < capacity::kPictureSlots; ++i) {
        const PictureDirEntry& d = st.pictureDir[i];
        PictureTableEntry& p = st.pictures[i];
        size_t n = size_t(d.width) * d.height;
        if (n == 0) {
            p = PictureTableEntry{};
            continue;
        }
        if (uint64_t(d.offset) + n > st.pictureDotPool.size()) {
            return refuse(Message::string(trnmsg::kPictureOutside, {num(i)}));
        }
        p.id = static_cast<uint8_t>(i);
        p.width = d.width;
        p.height = d.height;
        p.dots = st.pictureDotPool.substr(d.offset, n);
    }

    // Texts: the global pool holds the screen pools in screen order, then both alarm pools.
    const size_t poolSize = st.globalPool.size();
    uint64_t screenTotal = 0;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st.screenExists(s)) {
            screenTotal += st.entries[s].poolLength();
        }
    }
    if (screenTotal > poolSize) {
        return refuse(Message::string(trnmsg::kScreenTextsTooLong, {num(screenTotal), num(poolSize)}));
    }
    if (uint64_t(ix.screenPoolsLength) + ix.alarmPool1Length + ix.alarmPool2Length > poolSize) {
        return refuse(Message::string(trnmsg::kAlarmTextsOutside, {num(poolSize)}));
    }
    size_t at = 0;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        ScreenBlock& b = st.screens[s];
        size_t n = e.poolLength();
        b.textPool = st.globalPool.substr(at, n);
        at += n;
        std::optional<Message> outside;
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            if constexpr (requires { K::textsInside(b.records<K>()[0], n); }) {
                for (int i = 0; !outside && i < e.count<K>(); ++i) {
                    if (!K::textsInside(b.records<K>()[i], n)) {
                        outside = Message::string(trnmsg::kTextOutside, {K::kName, num(i + 1), num(s)});
                    }
                }
            }
        });
        if (outside) {
            return refuse(std::move(*outside));
        }
    }
    st.alarmPools[0] = st.globalPool.substr(ix.screenPoolsLength, ix.alarmPool1Length);
    st.alarmPools[1] =
        st.globalPool.substr(size_t(ix.screenPoolsLength) + ix.alarmPool1Length, ix.alarmPool2Length);
    for (int g = 0; g < 2; ++g) {
        const AlarmBlock& a = st.alarms[g];
        if (a.count > capacity::kAlarmMessages) {
            return refuse(Message::string(trnmsg::kTooManyAlarms, {num(g + 1), num(a.count)}));
        }
        // Every slot is compiled, whatever the count.
        for (int i = 0; i < capacity::kAlarmMessages; ++i) {
            if (!textInside(a.offsets[i], a.lengths[i], st.alarmPools[g].size())) {
                return refuse(Message::string(trnmsg::kAlarmOutside, {num(i + 1), num(g + 1)}));
            }
        }
    }

    st.projectOpen = true;
    applyLoadedNames(st);
    st.header.format = trn::kWrittenFormat;
    r.ok = true;
    return r;
}

TrnReader::Result TrnReader::load(ProjectStore& st, const std::string& path) {
    std::string bytes;
    int err = 0;
    bool tooLarge = false;
    if (!readProjectFile(path, bytes, err, tooLarge)) {
        clearRefused(st);
        Result r;
        if (tooLarge) {
            r.message = Message::string(trnmsg::kFileTooLarge, {num(trn::kMaxFileSize >> 20)});
        } else {
            r.message = Message::string(trnmsg::kCannotOpen);
            if (err != 0) {
                r.detail = std::strerror(err);
            }
        }
        return r;
    }
    Result r = read(st, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (r.ok) {
        st.projectPath = path;
    }
    return r;
}

} // namespace dispcraft
