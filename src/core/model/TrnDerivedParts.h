#pragma once

#include "model/Capacity.h"
#include "model/FileIndex.h"
#include "model/PictureDirEntry.h"
#include "objects/OldKeyRecord.h"

#include <array>
#include <cstdint>
#include <string>

namespace dispcraft {

struct ProjectStore;

// The parts of a project file that saving works out anew from the rest of the store, rather
// than writing them as they are: the model code, the picture directory and dot pool, the global
// text pool with its lengths, the old key records, and the places of the blocks. The writer
// derives them (derive, then layOut), and what a loaded file held of them is kept beside the
// store (TrnFileForm) so that parts nobody changed are written back as the file had them.
struct TrnDerivedParts {
    // Both text pool length fields of a screen entry.
    struct PoolLength {
        uint8_t byteField = 0;
        uint32_t wordField = 0;
        bool operator==(const PoolLength&) const = default;
    };
    using OldKeys = std::array<OldKeyRecord, capacity::kOldKeys>;

    // Header word 6.
    int16_t modelCode = 0;

    // Pictures: the directory and the dots it points into.
    std::array<PictureDirEntry, capacity::kPictureSlots> pictureDir{};
    std::string pictureDots;

    // Texts: the global pool and how it divides into the screens' and the alarm groups' pools.
    std::string globalPool;
    uint32_t screenPoolsLength = 0; // index 40
    uint32_t alarmPool1Length = 0;  // index 36
    uint32_t alarmPool2Length = 0;  // index 44
    std::array<PoolLength, capacity::kScreenSlots> poolLengths{};

    OldKeys globalOldKeys{};
    std::array<OldKeys, capacity::kScreenSlots> screenOldKeys{};

    // Places in the file (layOut): the screens' records and the index's offsets.
    std::array<uint32_t, capacity::kScreenSlots> fileOffsets{};
    FileIndex offsets{}; // only the offset fields are used

    // The parts as the store holds them now (after loading: as the file had them).
    static TrnDerivedParts taken(const ProjectStore& store);
    // The parts as saving works them out from the rest of the store. Screens that do not exist
    // keep what the store holds: nothing of them is written but their entry.
    static TrnDerivedParts derive(const ProjectStore& store, bool setModelCode);
    // The places of the blocks when these parts are written with the rest of the store.
    void layOut(const ProjectStore& store);
    // Puts the parts into the store, which is then ready to be written.
    void applyTo(ProjectStore& store) const;

    bool samePictures(const TrnDerivedParts& o) const;
    bool sameTexts(const TrnDerivedParts& o) const;
};

} // namespace dispcraft
