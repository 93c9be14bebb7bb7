#include "model/TrnWriter.h"

#include "base/FileIo.h"
#include "model/TrnDerivedParts.h"
#include "model/TrnFileForm.h"
#include "model/TrnFormat.h"
#include "model/TrnMessages.h"

#include <optional>
#include <cstring>

namespace dispcraft {

namespace {

template <typename T>
void put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
void putArray(std::string& out, const T* values, size_t count) {
    out.append(reinterpret_cast<const char*>(values), sizeof(T) * count);
}

TrnWriter::Result failure(Message m, std::string detail = {}) {
    TrnWriter::Result r;
    r.message = std::move(m);
    r.detail = std::move(detail);
    return r;
}

} // namespace

size_t TrnWriter::screenRecordSize(const ScreenEntry& e, int format) {
    size_t n = capacity::kFunctionKeys;
    forEachKind([&](auto kind) {
        using K = decltype(kind);
        n += e.count<K>() * sizeof(typename K::Record);
    });
    if (trn::hasScreenOldKeys(format)) {
        n += capacity::kOldKeys * sizeof(OldKeyRecord);
    }
    return n;
}

TrnWriter::Result TrnWriter::prepare(ProjectStore& st, Options options) {
    // Refuse before touching anything: a count above its capacity would write records that are
    // not there.
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        std::optional<Message> tooMany;
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            const int count = st.entries[s].count<K>();
            if (!tooMany && count > K::kCapacity) {
                tooMany = Message::string(trnmsg::kStoreTooManyObjects,
                                          {std::to_string(s), K::kName, std::to_string(count),
                                           std::to_string(K::kCapacity)});
            }
        });
        if (tooMany) {
            return failure(std::move(*tooMany));
        }
    }
    if (st.changeCount > capacity::kChangeRecords) {
        return failure(
            Message::string(trnmsg::kStoreTooManyChanges, {std::to_string(st.changeCount)}));
    }

    FileHeader& h = st.header;
    std::memcpy(h.magic, trn::kMagic, sizeof h.magic);
    h.format = trn::kWrittenFormat;
    // The header's reserved bytes stay as they are: another program's file may use them.

    // The COM2 value is kept to its 16 bits so that it cannot spill into the COM1 half.
    st.projectBlock.portNumbers = (static_cast<uint32_t>(st.com1PortNumber) << 16) |
                                  (static_cast<uint32_t>(st.com2PortNumber) & 0xFFFFu);

    TrnDerivedParts parts = TrnDerivedParts::derive(st, options.setModelCode);
    if (st.fileForm) {
        st.fileForm->keepUnchanged(parts);
    }
    parts.layOut(st);
    if (st.fileForm) {
        st.fileForm->keepUnchangedPlaces(parts);
    }
    parts.applyTo(st);

    Result r;
    r.ok = true;
    return r;
}

std::string TrnWriter::serialise(const ProjectStore& st) {
    std::string out;
    size_t estimate = trn::kScreenRecordsOffset + st.globalPool.size() +
                      st.pictureDotPool.size() + st.scratchPool.size() + 2048;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st.screenExists(s)) {
            estimate += screenRecordSize(st.entries[s]) + 400 + 8 * st.entries[s].numCount;
        }
    }
    out.reserve(estimate);

    put(out, st.header);
    put(out, st.projectBlock);
    put(out, st.fileIndex);
    putArray(out, st.entries.data(), st.entries.size());
    putArray(out, st.pictureDir.data(), st.pictureDir.size());

    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = st.entries[s];
        const ScreenBlock& b = st.screens[s];
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            putArray(out, b.records<K>().data(), e.count<K>());
        });
        putArray(out, b.fnKeys.data(), b.fnKeys.size());
        putArray(out, b.oldKeys.data(), b.oldKeys.size());
    }
    put(out, st.alarms[0]);
    out += st.globalPool;
    out += st.pictureDotPool;
    out += st.scratchPool;
    putArray(out, st.globalOldKeys.data(), st.globalOldKeys.size());
    put(out, st.systemBlock);
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenBlock& b = st.screens[s];
        putArray(out, b.keys.data(), b.keys.size());
        putArray(out, b.numDispSides.data(), st.entries[s].numCount);
    }
    put(out, st.changeCount);
    putArray(out, st.changes.data(), st.changeCount);
    putArray(out, st.globalKeys.data(), st.globalKeys.size());
    put(out, st.alarms[1]);
    if (st.fileForm) {
        out += st.fileForm->trailing();
    }
    return out;
}

TrnWriter::Result TrnWriter::save(ProjectStore& st, const std::string& path, Options options) {
    Result r = prepare(st, options);
    if (!r.ok) {
        return r;
    }
    std::string bytes = serialise(st);
    std::string error;
    if (!FileIo::writeAtomic(path, bytes, &error)) {
        return failure(Message::string(trnmsg::kCannotCreate), error);
    }
    return r;
}

} // namespace dispcraft
