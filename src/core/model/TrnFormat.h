#pragma once

#include "model/AlarmBlock.h"
#include "model/FileHeader.h"
#include "model/FileIndex.h"
#include "model/PictureDirEntry.h"
#include "model/ProjectBlock.h"
#include "model/ScreenEntry.h"
#include "objects/KeyRecord.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace dispcraft::trn {

// The records are written with their in-memory bytes.
static_assert(std::endian::native == std::endian::little, "the project file is little-endian");

constexpr char kMagic[4] = {'D', 'A', 'V', 'O'};
// What the writer writes; the reader takes everything below kFirstUnreadable.
constexpr uint16_t kWrittenFormat = 51;
constexpr uint16_t kFirstUnreadable = 80;
// A project holds at most about 40 MB (199 full screens with texts of 100 characters, 29
// pictures of 255 x 255 dots); anything far larger is not a project file.
constexpr size_t kMaxFileSize = size_t(256) << 20;

// Fixed places of the blocks at the start of the file.
constexpr size_t kHeaderOffset = 0;
constexpr size_t kProjectBlockOffset = kHeaderOffset + sizeof(FileHeader);       // 20
constexpr size_t kFileIndexOffset = kProjectBlockOffset + sizeof(ProjectBlock);  // 96
constexpr size_t kEntriesOffset = kFileIndexOffset + sizeof(FileIndex);          // 144
constexpr size_t kPictureDirOffset = kEntriesOffset + 200 * sizeof(ScreenEntry); // 6544
constexpr size_t kScreenRecordsOffset = kPictureDirOffset + 30 * sizeof(PictureDirEntry);
static_assert(kScreenRecordsOffset == 6904);

// The differences between the stored formats, one question each.
inline bool hasScreenOldKeys(int format) { return format >= 2; }
inline bool keepsGlobalOldKeyKind(int format) { return format >= 2; }
inline bool hasSystemBlock(int format) { return format > 3; }
inline bool clearsGlobalOldKeyFlags(int format) { return format <= 4; }
inline bool hasKeyRecords(int format) { return format > 4; }
inline bool globalKeysInOrder(int format) { return format > 6; }
inline bool clearsScreenKeyFlags(int format) { return format <= 7; }
inline bool hasAlarmGroup2(int format) { return format >= 51; }
// A project still in an older format than the one written (format 3 counts as current): saving
// over it asks first, building refuses until it is saved.
inline bool isOlderFormat(int format) { return format < kWrittenFormat && format != 3; }

// Older formats did not tell key actions from their options: a key record whose flag byte lacks
// the bit action loses the screen option and the mode bits.
inline uint8_t oldKeyFlags(uint8_t flags) {
    return (flags & KeyRecord::kBitAction)
               ? flags
               : static_cast<uint8_t>(flags & ~(KeyRecord::kScreenOption | KeyRecord::kMode));
}

} // namespace dispcraft::trn
