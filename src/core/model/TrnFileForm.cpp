#include "model/TrnFileForm.h"

#include "model/ProjectStore.h"

#include <cstring>

namespace dispcraft {

namespace {

bool sameKey(const OldKeyRecord& a, const OldKeyRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The file's value where the working-out gives what it gave when the file was read.
template <typename T> void keepIfSame(T& now, const T& derivedAtLoad, const T& file) {
    if (now == derivedAtLoad) {
        now = file;
    }
}

} // namespace

std::shared_ptr<const TrnFileForm> TrnFileForm::of(const ProjectStore& store,
                                                   std::string trailing) {
    auto form = std::make_shared<TrnFileForm>();
    form->m_file = TrnDerivedParts::taken(store);
    form->m_derived = TrnDerivedParts::derive(store, true);
    // The places compare with those of the file's own parts: those are what saving lays out
    // while nothing changes.
    TrnDerivedParts places = form->m_file;
    places.layOut(store);
    form->m_derived.fileOffsets = places.fileOffsets;
    form->m_derived.offsets = places.offsets;
    form->m_trailing = std::move(trailing);
    return form;
}

void TrnFileForm::keepUnchanged(TrnDerivedParts& p) const {
    keepIfSame(p.modelCode, m_derived.modelCode, m_file.modelCode);
    if (p.samePictures(m_derived)) {
        p.pictureDir = m_file.pictureDir;
        p.pictureDots = m_file.pictureDots;
    }
    if (p.sameTexts(m_derived)) {
        p.globalPool = m_file.globalPool;
        p.screenPoolsLength = m_file.screenPoolsLength;
        p.alarmPool1Length = m_file.alarmPool1Length;
        p.alarmPool2Length = m_file.alarmPool2Length;
        p.poolLengths = m_file.poolLengths;
    }
    for (int k = 0; k < capacity::kOldKeys; ++k) {
        if (sameKey(p.globalOldKeys[k], m_derived.globalOldKeys[k])) {
            p.globalOldKeys[k] = m_file.globalOldKeys[k];
        }
    }
    for (int s = 0; s < capacity::kScreenSlots; ++s) {
        for (int k = 0; k < capacity::kOldKeys; ++k) {
            if (sameKey(p.screenOldKeys[s][k], m_derived.screenOldKeys[s][k])) {
                p.screenOldKeys[s][k] = m_file.screenOldKeys[s][k];
            }
        }
    }
}

void TrnFileForm::keepUnchangedPlaces(TrnDerivedParts& p) const {
    for (int s = 0; s < capacity::kScreenSlots; ++s) {
        keepIfSame(p.fileOffsets[s], m_derived.fileOffsets[s], m_file.fileOffsets[s]);
    }
    FileIndex& now = p.offsets;
    const FileIndex& was = m_derived.offsets;
    const FileIndex& file = m_file.offsets;
    keepIfSame(now.screenRecordsOffset, was.screenRecordsOffset, file.screenRecordsOffset);
    keepIfSame(now.alarm1Offset, was.alarm1Offset, file.alarm1Offset);
    keepIfSame(now.globalPoolOffset, was.globalPoolOffset, file.globalPoolOffset);
    keepIfSame(now.pictureDotsOffset, was.pictureDotsOffset, file.pictureDotsOffset);
    keepIfSame(now.scratchOffset, was.scratchOffset, file.scratchOffset);
    keepIfSame(now.globalOldKeysOffset, was.globalOldKeysOffset, file.globalOldKeysOffset);
}

} // namespace dispcraft
