#include "model/TrnDerivedParts.h"

#include "model/ProjectStore.h"
#include "model/TrnFormat.h"
#include "model/TrnWriter.h"

#include <cstring>

namespace dispcraft {

namespace {

template <typename T, size_t N> bool sameBytes(const std::array<T, N>& a, const std::array<T, N>& b) {
    return std::memcmp(a.data(), b.data(), sizeof(T) * N) == 0;
}

} // namespace

TrnDerivedParts TrnDerivedParts::taken(const ProjectStore& st) {
    TrnDerivedParts p;
    p.modelCode = st.header.modelCode;
    p.pictureDir = st.pictureDir;
    p.pictureDots = st.pictureDotPool;
    p.globalPool = st.globalPool;
    p.screenPoolsLength = st.fileIndex.screenPoolsLength;
    p.alarmPool1Length = st.fileIndex.alarmPool1Length;
    p.alarmPool2Length = st.fileIndex.alarmPool2Length;
    for (int s = 0; s < capacity::kScreenSlots; ++s) {
        const ScreenEntry& e = st.entries[s];
        p.poolLengths[s] = {e.poolLength8, e.poolLength32};
        p.fileOffsets[s] = e.fileOffset;
        p.screenOldKeys[s] = st.screens[s].oldKeys;
    }
    p.globalOldKeys = st.globalOldKeys;
    p.offsets = st.fileIndex;
    return p;
}

TrnDerivedParts TrnDerivedParts::derive(const ProjectStore& st, bool setModelCode) {
    TrnDerivedParts p = taken(st);
    if (setModelCode) {
        p.modelCode = static_cast<int16_t>(static_cast<signed char>(st.modelCode()));
    }

    p.pictureDots.clear();
    for (int i = 0; i < capacity::kPictureSlots; ++i) {
        PictureDirEntry& d = p.pictureDir[i];
        d = PictureDirEntry{};
        const PictureTableEntry& e = st.pictures[i];
        if (!e.defined(i)) {
            continue;
        }
        d.offset = static_cast<uint32_t>(p.pictureDots.size());
        d.width = e.width;
        d.height = e.height;
        // Exactly width x height dots, so that the next picture starts where the directory says.
        const size_t n = size_t(e.width) * e.height;
        p.pictureDots.append(e.dots, 0, n);
        p.pictureDots.resize(d.offset + n, '\0');
    }

    for (int k = 0; k < capacity::kOldKeys; ++k) {
        panelkeys::copyKeyFields(st.globalKeys[k], p.globalOldKeys[k]);
    }
    p.globalPool.clear();
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!st.screenExists(s)) {
            continue;
        }
        const ScreenBlock& b = st.screens[s];
        p.globalPool += b.textPool;
        ScreenEntry lengths{};
        lengths.setPoolLength(b.textPool.size());
        p.poolLengths[s] = {lengths.poolLength8, lengths.poolLength32};
        for (int k = 0; k < capacity::kOldKeys; ++k) {
            panelkeys::copyKeyFields(b.keys[k], p.screenOldKeys[s][k]);
        }
        panelkeys::applyGlobalKeyCopy(p.globalOldKeys, p.screenOldKeys[s]);
    }
    p.screenPoolsLength = static_cast<uint32_t>(p.globalPool.size());
    p.alarmPool1Length = static_cast<uint32_t>(st.alarmPools[0].size());
    p.alarmPool2Length = static_cast<uint32_t>(st.alarmPools[1].size());
    p.globalPool += st.alarmPools[0];
    p.globalPool += st.alarmPools[1];
    return p;
}

void TrnDerivedParts::layOut(const ProjectStore& st) {
    size_t pos = trn::kScreenRecordsOffset;
    offsets.screenRecordsOffset = static_cast<uint32_t>(pos);
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st.screenExists(s)) {
            fileOffsets[s] = static_cast<uint32_t>(pos);
            pos += TrnWriter::screenRecordSize(st.entries[s]);
        }
    }
    offsets.alarm1Offset = static_cast<uint32_t>(pos);
    pos += sizeof(AlarmBlock);
    offsets.globalPoolOffset = static_cast<uint32_t>(pos);
    pos += globalPool.size();
    offsets.pictureDotsOffset = static_cast<uint32_t>(pos);
    pos += pictureDots.size();
    offsets.scratchOffset = static_cast<uint32_t>(pos);
    pos += st.scratchPool.size();
    offsets.globalOldKeysOffset = static_cast<uint32_t>(pos);
}

void TrnDerivedParts::applyTo(ProjectStore& st) const {
    st.header.modelCode = modelCode;
    st.pictureDir = pictureDir;
    st.pictureDotPool = pictureDots;
    st.globalPool = globalPool;
    FileIndex& ix = st.fileIndex;
    ix.screenRecordsOffset = offsets.screenRecordsOffset;
    ix.alarm1Offset = offsets.alarm1Offset;
    ix.scratchOffset = offsets.scratchOffset;
    ix.scratchLength = static_cast<uint32_t>(st.scratchPool.size());
    ix.globalPoolOffset = offsets.globalPoolOffset;
    ix.globalPoolLength = static_cast<uint32_t>(globalPool.size());
    ix.globalOldKeysOffset = offsets.globalOldKeysOffset;
    ix.pictureDotsOffset = offsets.pictureDotsOffset;
    ix.pictureDotsLength = static_cast<uint32_t>(pictureDots.size());
    ix.alarmPool1Length = alarmPool1Length;
    ix.screenPoolsLength = screenPoolsLength;
    ix.alarmPool2Length = alarmPool2Length;
    for (int s = 0; s < capacity::kScreenSlots; ++s) {
        ScreenEntry& e = st.entries[s];
        e.poolLength8 = poolLengths[s].byteField;
        e.poolLength32 = poolLengths[s].wordField;
        e.fileOffset = fileOffsets[s];
        st.screens[s].oldKeys = screenOldKeys[s];
    }
    st.globalOldKeys = globalOldKeys;
}

bool TrnDerivedParts::samePictures(const TrnDerivedParts& o) const {
    return sameBytes(pictureDir, o.pictureDir) && pictureDots == o.pictureDots;
}

bool TrnDerivedParts::sameTexts(const TrnDerivedParts& o) const {
    return globalPool == o.globalPool && screenPoolsLength == o.screenPoolsLength &&
           alarmPool1Length == o.alarmPool1Length && alarmPool2Length == o.alarmPool2Length &&
           poolLengths == o.poolLengths;
}

} // namespace dispcraft
