#include "TrnTestSupport.h"

#include "base/FileIo.h"
#include "base/ScratchDirectory.h"
#include "model/TrnFormat.h"
#include "model/TrnMessages.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

template <typename T>
T at(const std::string& bytes, size_t offset) {
    T v;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

TrnReader::Result readBytes(ProjectStore& st, const std::string& bytes) {
    return TrnReader::read(st, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string saved(ProjectStore& st) {
    EXPECT_TRUE(TrnWriter::prepare(st).ok);
    return TrnWriter::serialise(st);
}

using TempDir = ScratchDirectory;

} // namespace

TEST(TrnWriter, EmptyProjectIsTheFixedPartAndTheGlobalParts) {
    auto st = newProject('C');
    st->header.reserved8[3] = 7; // reserved header bytes are written as 0
    std::string f = saved(*st);
    // 6904 fixed bytes, alarm group 1, empty pools, 6 old keys, system block, change count 0,
    // 25 global keys and alarm group 2.
    EXPECT_EQ(f.size(), 6904u + 332 + 72 + 36 + 1 + 400 + 332);
    EXPECT_EQ(f.substr(0, 4), "DAVO");
    EXPECT_EQ(at<uint16_t>(f, 4), 51);
    EXPECT_EQ(at<int16_t>(f, 6), 'C');
    EXPECT_EQ(at<uint32_t>(f, 96 + 0), 6904u);  // screen records
    EXPECT_EQ(at<uint32_t>(f, 96 + 4), 6904u);  // alarm group 1
    EXPECT_EQ(at<uint32_t>(f, 96 + 16), 7236u); // global pool
    EXPECT_EQ(at<uint32_t>(f, 96 + 28), 7236u); // picture dots
    EXPECT_EQ(at<uint32_t>(f, 96 + 8), 7236u);  // scratch
    EXPECT_EQ(at<uint32_t>(f, 96 + 24), 7236u); // global old keys
    for (size_t i = 8; i < 20; ++i) {
        ASSERT_EQ(f[i], 0) << "header byte " << i;
    }
    for (size_t i = 144; i < 6904; ++i) {
        ASSERT_EQ(f[i], 0) << "byte " << i << " of the screen entries and picture directory";
    }
    EXPECT_EQ(f[6904 + 332 + 72 + 36], 0); // change count
}

TEST(TrnWriter, OffsetsInTheIndexAndEntriesPointAtTheirBlocks) {
    auto st = sampleProject();
    std::string f = saved(*st);
    const FileIndex& ix = st->fileIndex;
    EXPECT_EQ(std::memcmp(f.data() + 96, &ix, sizeof ix), 0);
    EXPECT_EQ(st->entries[1].fileOffset, 6904u);
    EXPECT_EQ(at<uint8_t>(f, st->entries[7].fileOffset), kKindTextString);
    EXPECT_EQ(f.substr(ix.globalPoolOffset, ix.globalPoolLength), st->globalPool);
    EXPECT_EQ(f.substr(ix.pictureDotsOffset, ix.pictureDotsLength), st->pictureDotPool);
    EXPECT_EQ(f.substr(ix.scratchOffset, ix.scratchLength), "scratch");
    EXPECT_EQ(std::memcmp(f.data() + ix.globalOldKeysOffset, st->globalOldKeys.data(), 72), 0);
    EXPECT_EQ(ix.screenPoolsLength, st->screens[1].textPool.size() + st->screens[7].textPool.size() +
                                        st->screens[199].textPool.size());
    EXPECT_EQ(ix.alarmPool1Length, 14u);
    EXPECT_EQ(ix.alarmPool2Length, 3u);
    // Picture 29 follows picture 1 in the dot pool.
    EXPECT_EQ(st->pictureDir[29].offset, 32u);
    EXPECT_EQ(st->pictureDir[29].width, 3);
    EXPECT_EQ(st->pictureDir[0].width, 0);
}

TEST(TrnWriter, KeyRecordsAndPortNumbersAsSaveDerivesThem) {
    auto st = sampleProject();
    st->com1PortNumber = 0x12;
    st->com2PortNumber = 0x10034; // more than 16 bits: must not reach the COM1 half
    saved(*st);
    EXPECT_EQ(st->projectBlock.portNumbers, 0x00120034u);
    // Global old keys are derived from global keys 0..5.
    EXPECT_EQ(st->globalOldKeys[4].screen, st->globalKeys[4].screen);
    EXPECT_EQ(st->globalOldKeys[4].address, st->globalKeys[4].address);
    // A screen's old keys come from its own keys, except where the project-wide key is global
    // (byte 0 is 0): that one is copied with byte 0 set to 9.
    const ScreenBlock& b = st->screens[7];
    EXPECT_EQ(b.oldKeys[1].kind, b.keys[1].kind);
    EXPECT_EQ(b.oldKeys[1].areaAndBit, b.keys[1].areaAndBit);
    EXPECT_EQ(b.oldKeys[2].kind, kKindKey);
    EXPECT_EQ(b.oldKeys[2].address, st->globalKeys[2].address);
    EXPECT_EQ(b.oldKeys[2].screen, st->globalKeys[2].screen);
}

TEST(TrnWriter, RefusesAStoreWithCountsAboveCapacity) {
    auto st = sampleProject();
    st->entries[7].trendCount = 3;
    auto r = TrnWriter::prepare(*st);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.id, trnmsg::kStoreTooManyObjects);
    st->entries[7].trendCount = 2;
    st->changeCount = 101;
    EXPECT_EQ(TrnWriter::prepare(*st).message.id, trnmsg::kStoreTooManyChanges);
}

TEST(TrnRoundTrip, EveryRecordKindAndBlockComesBack) {
    auto st = sampleProject();
    std::string f = saved(*st);
    auto back = std::make_unique<ProjectStore>();
    auto r = readBytes(*back, f);
    ASSERT_TRUE(r.ok) << r.message.id;
    EXPECT_FALSE(r.endsEarly);
    EXPECT_EQ(r.fileFormat, 51);
    EXPECT_TRUE(back->projectOpen);
    EXPECT_EQ(back->modelTitle, "TR - B");
    expectSameStore(*st, *back);
    // Saving what was read gives the same bytes again.
    EXPECT_EQ(saved(*back), f);
}

TEST(TrnRoundTrip, ScreenTextPoolsOf255And256Bytes) {
    auto st = newProject();
    addScreen(*st, 2, 0, "a");
    addScreen(*st, 3, 0, "b");
    st->screens[2].textPool = std::string(255, 'x');
    st->screens[3].textPool = std::string(256, 'y');
    st->entries[3].textCount = 1;
    st->screens[3].textStrings[0] = TextStringRecord{};
    st->screens[3].textStrings[0].kind = kKindTextString;
    st->screens[3].textStrings[0].textOffset = 200;
    st->screens[3].textStrings[0].textLength = 56;
    std::string f = saved(*st);
    EXPECT_EQ(at<uint8_t>(f, 144 + 2 * 32 + 23), 255);
    EXPECT_EQ(at<uint32_t>(f, 144 + 2 * 32 + 28), 0u);
    EXPECT_EQ(at<uint8_t>(f, 144 + 3 * 32 + 23), 0);
    EXPECT_EQ(at<uint32_t>(f, 144 + 3 * 32 + 28), 256u);
    auto back = std::make_unique<ProjectStore>();
    ASSERT_TRUE(readBytes(*back, f).ok);
    EXPECT_EQ(back->screens[2].textPool, std::string(255, 'x'));
    EXPECT_EQ(back->screens[3].textPool, std::string(256, 'y'));
}

TEST(TrnRoundTrip, BaudRate115200IsStoredAs49664) {
    auto st = newProject();
    std::string f = saved(*st);
    EXPECT_EQ(at<uint16_t>(f, 20 + 40), 49664);
    EXPECT_EQ(at<uint16_t>(f, 20 + 42), 9600);
    auto back = std::make_unique<ProjectStore>();
    ASSERT_TRUE(readBytes(*back, f).ok);
    EXPECT_EQ(back->serial(1).baud, 115200u);
    EXPECT_EQ(back->serial(1).parity, 'e');
    EXPECT_EQ(back->serial(2).baud, 9600u);
}

TEST(TrnRoundTrip, ShortDotStringsStillGiveAConsistentPictureDirectory) {
    auto st = newProject();
    addPicture(*st, 3, 4, 4);
    addPicture(*st, 5, 2, 2);
    st->pictures[3].dots.resize(10); // 16 expected
    std::string f = saved(*st);
    auto back = std::make_unique<ProjectStore>();
    ASSERT_TRUE(readBytes(*back, f).ok);
    EXPECT_EQ(back->pictures[3].dots.size(), 16u);
    EXPECT_EQ(back->pictures[5].dots, st->pictures[5].dots);
}

// The older layouts. Each test writes the file the way that format laid it out.
class TrnOldFormats : public ::testing::Test {
protected:
    void SetUp() override {
        st = sampleProject();
        ASSERT_TRUE(TrnWriter::prepare(*st).ok);
        back = std::make_unique<ProjectStore>();
    }
    TrnReader::Result load(int format) { return readBytes(*back, legacyFile(*st, format)); }

    std::unique_ptr<ProjectStore> st;
    std::unique_ptr<ProjectStore> back;
};

TEST_F(TrnOldFormats, Format4HasNoSideRecordsKeyBlockOrSystemBlock) {
    st->globalOldKeys[0].flags = 0x23 | 0x80; // no bit action: loses 0x23
    st->globalOldKeys[1].flags = 0x63;        // bit action: kept
    st->screens[7].oldKeys[3].flags = 0x27;
    auto r = load(4);
    ASSERT_TRUE(r.ok) << r.message.id;
    EXPECT_FALSE(r.endsEarly);
    EXPECT_EQ(r.fileFormat, 4);
    EXPECT_EQ(back->header.format, 51);
    // Format 4 is the first with a system block.
    EXPECT_EQ(std::memcmp(&back->systemBlock, &st->systemBlock, 36), 0);
    // Keys 0..5 from the 12-byte records, keys 6..24 empty; screens likewise with value 0.
    EXPECT_EQ(back->globalKeys[0].flags, 0x80);
    EXPECT_EQ(back->globalKeys[1].flags, 0x63);
    EXPECT_EQ(back->globalKeys[5].screen, st->globalOldKeys[5].screen);
    EXPECT_EQ(back->globalKeys[5].operand, 0u);
    EXPECT_EQ(back->globalKeys[6].kind, 0);
    EXPECT_EQ(back->globalKeys[24].address, 0);
    const ScreenBlock& b = back->screens[7];
    EXPECT_EQ(b.keys[3].flags, 0x04);
    EXPECT_EQ(b.keys[4].address, st->screens[7].oldKeys[4].address);
    EXPECT_EQ(b.keys[4].operand, 0u);
    EXPECT_EQ(b.keys[10].kind, 0);
    // Side records from the NumDisp's own values at 12 and 16.
    EXPECT_EQ(b.numDispSides[1].high, st->screens[7].numDisps[1].maximum);
    EXPECT_EQ(b.numDispSides[1].low, st->screens[7].numDisps[1].minimum);
    EXPECT_EQ(back->changeCount, 0);
    EXPECT_EQ(back->alarms[1].count, 0);
    EXPECT_TRUE(back->alarmPools[1].empty());
    EXPECT_EQ(back->screens[1].textPool, st->screens[1].textPool);
}

TEST_F(TrnOldFormats, Format3HasNoSystemBlockAndSavesWithoutAsking) {
    auto r = load(3);
    ASSERT_TRUE(r.ok) << r.message.id;
    SystemBlock zero{};
    EXPECT_EQ(std::memcmp(&back->systemBlock, &zero, sizeof zero), 0);
    EXPECT_EQ(back->globalKeys[3].kind, st->globalOldKeys[3].kind);
    EXPECT_FALSE(trn::isOlderFormat(3));
    EXPECT_TRUE(trn::isOlderFormat(2));
    EXPECT_TRUE(trn::isOlderFormat(50));
    EXPECT_FALSE(trn::isOlderFormat(51));
}

TEST_F(TrnOldFormats, Format1HasNoScreenOldKeysAndNoGlobalKinds) {
    st->globalOldKeys[1].kind = 5;
    auto r = load(1);
    ASSERT_TRUE(r.ok) << r.message.id;
    EXPECT_EQ(back->globalKeys[1].kind, 0);
    EXPECT_EQ(back->globalKeys[1].address, st->globalOldKeys[1].address);
    // The screen keys are what a reset leaves: flag byte 2, all else 0.
    EXPECT_EQ(back->screens[7].keys[0].flags, 2);
    EXPECT_EQ(back->screens[7].keys[0].address, 0);
    EXPECT_EQ(back->screens[7].lamps[1].nameString(), "lamp20_32x32");
    EXPECT_EQ(back->screens[199].textPool, st->screens[199].textPool);
}

TEST_F(TrnOldFormats, Format2AddsScreenOldKeysAndKeepsGlobalKinds) {
    st->globalOldKeys[1].kind = 5;
    st->screens[7].oldKeys[3].flags = 0x63; // bit action: kept
    st->screens[7].oldKeys[4].flags = 0x23; // loses 0x23
    auto r = load(2);
    ASSERT_TRUE(r.ok) << r.message.id;
    EXPECT_FALSE(r.endsEarly);
    EXPECT_EQ(back->globalKeys[1].kind, 5);
    EXPECT_EQ(back->screens[7].keys[3].flags, 0x63);
    EXPECT_EQ(back->screens[7].keys[4].flags, 0);
    EXPECT_EQ(back->screens[7].keys[4].address, st->screens[7].oldKeys[4].address);
    SystemBlock zero{};
    EXPECT_EQ(std::memcmp(&back->systemBlock, &zero, sizeof zero), 0);
    EXPECT_EQ(back->screens[199].textPool, st->screens[199].textPool);
    EXPECT_TRUE(trn::isOlderFormat(2));
}

TEST_F(TrnOldFormats, Formats5And6ReadAllGlobalKeysIntoKey0) {
    for (int format : {5, 6}) {
        auto r = load(format);
        ASSERT_TRUE(r.ok) << r.message.id;
        EXPECT_FALSE(r.endsEarly);
        EXPECT_EQ(std::memcmp(&back->globalKeys[0], &st->globalKeys[24], 16), 0) << format;
        // Keys 1..5 stay as the old records gave them, the rest empty.
        EXPECT_EQ(back->globalKeys[1].screen, st->globalOldKeys[1].screen) << format;
        EXPECT_EQ(back->globalKeys[1].operand, 0u) << format;
        EXPECT_EQ(back->globalKeys[7].screen, 0) << format;
        // Side records and change records are there from format 5 on.
        EXPECT_EQ(std::memcmp(&back->screens[1].numDispSides[2], &st->screens[1].numDispSides[2], 8), 0);
        EXPECT_EQ(back->changeCount, 3);
    }
}

TEST_F(TrnOldFormats, Format7ReadsGlobalKeysInOrderAndStillClearsScreenKeyFlags) {
    st->screens[1].keys[9].flags = 0x23;
    st->screens[1].keys[10].flags = 0x43;
    auto r = load(7);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(std::memcmp(back->globalKeys.data(), st->globalKeys.data(), 400), 0);
    EXPECT_EQ(back->screens[1].keys[9].flags, 0);
    EXPECT_EQ(back->screens[1].keys[10].flags, 0x43);
    // Format 50 keeps them.
    ASSERT_TRUE(load(50).ok);
    EXPECT_EQ(back->screens[1].keys[9].flags, 0x23);
}

TEST_F(TrnOldFormats, Format50HasNoAlarmGroup2AndIgnoresIndex44) {
    // Build the file of a project whose global pool has no second alarm pool, and leave a stray
    // value in index 44.
    st->alarmPools[1].clear();
    ASSERT_TRUE(TrnWriter::prepare(*st).ok);
    st->fileIndex.alarmPool2Length = 77;
    auto r = load(50);
    ASSERT_TRUE(r.ok) << r.message.id;
    EXPECT_FALSE(r.endsEarly);
    EXPECT_EQ(back->fileIndex.alarmPool2Length, 0u);
    EXPECT_TRUE(back->alarmPools[1].empty());
    EXPECT_EQ(back->alarmPools[0], st->alarmPools[0]);
    AlarmBlock zero{};
    EXPECT_EQ(std::memcmp(&back->alarms[1], &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&back->alarms[0], &st->alarms[0], sizeof zero), 0);
    EXPECT_EQ(std::memcmp(back->globalKeys.data(), st->globalKeys.data(), 400), 0);
}

TEST_F(TrnOldFormats, FormatsFrom80AreRefused) {
    for (int format : {80, 81, 0xFFFF}) {
        auto r = load(format);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.id, trnmsg::kFormatTooNew);
        EXPECT_FALSE(back->projectOpen);
        EXPECT_FALSE(back->screenExists(1));
    }
    EXPECT_TRUE(load(79).ok);
}

TEST(TrnFile, AtomicSaveKeepsTheOldFileWhenTheWriteFails) {
    TempDir dir;
    std::string path = dir.file("p.trn");
    auto st = sampleProject();
    ASSERT_TRUE(TrnWriter::save(*st, path).ok);
    auto before = FileIo::readBytes(path);
    ASSERT_TRUE(before);

    // A write that fails half way (a full disk, here a file size limit).
    addScreen(*st, 50, 40, "big");
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto r = TrnWriter::save(*st, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.id, trnmsg::kCannotCreate);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(FileIo::readBytes(path), before);
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);

    // A directory that does not exist.
    EXPECT_EQ(TrnWriter::save(*st, dir.file("missing/p.trn")).message.id, trnmsg::kCannotCreate);
}

TEST(TrnFile, SaveFollowsALinkAndKeepsAReadOnlyFile) {
    TempDir dir;
    auto st = sampleProject();
    ASSERT_TRUE(TrnWriter::save(*st, dir.file("real.trn")).ok);
    std::filesystem::create_symlink("real.trn", dir.file("link.trn"));
    addScreen(*st, 60, 3, "more");
    ASSERT_TRUE(TrnWriter::save(*st, dir.file("link.trn")).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.trn")));
    auto back = std::make_unique<ProjectStore>();
    ASSERT_TRUE(TrnReader::load(*back, dir.file("real.trn")).ok);
    EXPECT_TRUE(back->screenExists(60));

    // A read-only project is not replaced behind the user's back, not even by its owner.
    ::chmod(dir.file("real.trn").c_str(), 0444);
    auto before = FileIo::readBytes(dir.file("real.trn"));
    addScreen(*st, 61, 3, "again");
    for (const char* name : {"real.trn", "link.trn"}) {
        auto r = TrnWriter::save(*st, dir.file(name));
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(r.message.id, trnmsg::kCannotCreate);
        EXPECT_FALSE(r.detail.empty());
    }
    EXPECT_EQ(FileIo::readBytes(dir.file("real.trn")), before);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.trn")));
}

TEST(TrnFile, LoadSetsThePathOrReportsAFileThatCannotBeOpened) {
    TempDir dir;
    auto st = sampleProject();
    ASSERT_TRUE(TrnWriter::save(*st, dir.file("a.trn")).ok);
    auto back = std::make_unique<ProjectStore>();
    auto r = TrnReader::load(*back, dir.file("a.trn"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(back->projectPath, dir.file("a.trn"));
    r = TrnReader::load(*back, dir.file("none.trn"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.id, trnmsg::kCannotOpen);
    EXPECT_FALSE(back->screenExists(1));
    EXPECT_TRUE(back->projectPath.empty());
    EXPECT_EQ(TrnReader::load(*back, dir.file("")).message.id, trnmsg::kCannotOpen);
    r = TrnReader::load(*back, dir.file("."));
    EXPECT_EQ(r.message.id, trnmsg::kCannotOpen);
    EXPECT_FALSE(r.detail.empty());

    // A file far larger than any project is refused before it is read (a sparse file here).
    ASSERT_TRUE(TrnReader::load(*back, dir.file("a.trn")).ok);
    std::filesystem::copy_file(dir.file("a.trn"), dir.file("huge.trn"));
    std::filesystem::resize_file(dir.file("huge.trn"), trn::kMaxFileSize + 1);
    r = TrnReader::load(*back, dir.file("huge.trn"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.id, trnmsg::kFileTooLarge);
    EXPECT_FALSE(back->screenExists(1));
    EXPECT_TRUE(back->projectPath.empty());
    // Below the limit size alone refuses nothing: trailing bytes after the last block are ignored.
    std::filesystem::resize_file(dir.file("huge.trn"),
                                 std::filesystem::file_size(dir.file("a.trn")) + 100);
    EXPECT_TRUE(TrnReader::load(*back, dir.file("huge.trn")).ok);
}
