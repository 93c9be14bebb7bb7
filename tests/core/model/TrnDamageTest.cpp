#include "TrnTestSupport.h"

#include "model/TrnMessages.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

template <typename T>
void poke(std::string& bytes, size_t offset, T value) {
    ASSERT_LE(offset + sizeof value, bytes.size());
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

TrnReader::Result readBytes(ProjectStore& st, const std::string& bytes) {
    return TrnReader::read(st, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void expectReset(const ProjectStore& st) {
    EXPECT_FALSE(st.projectOpen);
    for (int s = 1; s <= 199; ++s) {
        ASSERT_FALSE(st.screenExists(s)) << s;
    }
    EXPECT_TRUE(st.globalPool.empty());
    EXPECT_TRUE(st.pictureDotPool.empty());
    EXPECT_TRUE(st.alarmPools[0].empty());
    EXPECT_EQ(st.changeCount, 0);
    EXPECT_EQ(st.alarms[0].count, 0);
    EXPECT_EQ(st.pictures[1].id, 0);
    EXPECT_TRUE(st.modelTitle.empty());
    EXPECT_TRUE(st.com1ProtocolName.empty());
}

class TrnDamage : public ::testing::Test {
protected:
    void SetUp() override {
        st = sampleProject();
        ASSERT_TRUE(TrnWriter::prepare(*st).ok);
        good = TrnWriter::serialise(*st);
        back = std::make_unique<ProjectStore>();
    }
    size_t entry(int s) const { return 144 + 32 * size_t(s); }
    size_t pictureRecords(int s) const {
        const ScreenEntry& e = st->entries[s];
        return e.fileOffset + e.textCount * 20 + e.msgCount * 96 + e.numCount * 40 +
               e.barCount * 24 + e.trendCount * 24 + e.lampCount * 48;
    }
    size_t changeCountOffset() const { return good.size() - 332 - 400 - 8 * st->changeCount - 1; }
    size_t alarm2() const { return good.size() - 332; }

    std::unique_ptr<ProjectStore> st;
    std::unique_ptr<ProjectStore> back;
    std::string good;
};

} // namespace

TEST_F(TrnDamage, OnlyAFileThatIsNoProjectClaimsTooMuchOrEndsInABlockIsRefused) {
    struct Case {
        const char* what;
        int message;
        std::function<void(std::string&)> damage;
    };
    const FileIndex& ix = st->fileIndex;
    const Case cases[] = {
        {"empty file", trnmsg::kNotProjectFile, [](std::string& f) { f.clear(); }},
        {"shorter than the header", trnmsg::kNotProjectFile, [](std::string& f) { f.resize(19); }},
        {"no mark", trnmsg::kNotProjectFile, [](std::string& f) { f[3] = 'X'; }},
        {"cut in the directory", trnmsg::kCutInDirectory, [](std::string& f) { f.resize(6903); }},
        {"200 TextStrings", trnmsg::kTooManyObjects,
         [&](std::string& f) { poke<uint8_t>(f, entry(7) + 16, 200); }},
        {"3 TrendGraphs", trnmsg::kTooManyObjects,
         [&](std::string& f) { poke<uint8_t>(f, entry(1) + 20, 3); }},
        {"49 Lamps", trnmsg::kTooManyObjects,
         [&](std::string& f) { poke<uint8_t>(f, entry(199) + 21, 49); }},
        {"cut in a screen", trnmsg::kCutInScreen,
         [&](std::string& f) { f.resize(st->entries[199].fileOffset + 30); }},
        {"cut in alarm group 1", trnmsg::kCutInAlarmGroup,
         [&](std::string& f) { f.resize(ix.alarm1Offset + 100); }},
        {"text pool past the end", trnmsg::kTextPoolPastEnd,
         [&](std::string& f) { poke<uint32_t>(f, 96 + 20, 0xFFFFFFF0u); }},
        {"cut in the text pool", trnmsg::kTextPoolPastEnd,
         [&](std::string& f) { f.resize(ix.globalPoolOffset + 5); }},
        {"picture dots past the end", trnmsg::kPictureDotsPastEnd,
         [&](std::string& f) { poke<uint32_t>(f, 96 + 32, 1u << 30); }},
        {"scratch past the end", trnmsg::kScratchPastEnd,
         [&](std::string& f) { poke<uint32_t>(f, 96 + 12, 1u << 31); }},
        {"250 change records", trnmsg::kTooManyChanges,
         [&](std::string& f) { poke<uint8_t>(f, changeCountOffset(), 250); }},
        {"65 alarm messages", trnmsg::kTooManyAlarms,
         [&](std::string& f) { poke<uint8_t>(f, ix.alarm1Offset + 324, 65); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string f = good;
        c.damage(f);
        // Start from a loaded project: nothing of it may survive the refused file.
        ASSERT_TRUE(readBytes(*back, good).ok);
        auto r = readBytes(*back, f);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.id, c.message);
        expectReset(*back);
    }
}

TEST_F(TrnDamage, MessagesSayWhereTheDamageIs) {
    std::string f = good;
    poke<uint8_t>(f, entry(7) + 16, 200);
    auto r = readBytes(*back, f);
    EXPECT_EQ(r.message.args, (std::vector<std::string>{"7", "200", "TextString", "96"}));
    f = good;
    poke<uint8_t>(f, changeCountOffset(), 250);
    EXPECT_EQ(readBytes(*back, f).message.args, std::vector<std::string>{"250"});
}

TEST_F(TrnDamage, AFileCutInItsLastPartsIsReadAsFarAsItGoes) {
    // Inside alarm group 2: everything before it is there.
    std::string f = good.substr(0, alarm2() + 100);
    auto r = readBytes(*back, f);
    ASSERT_TRUE(r.ok) << r.message.id;
    EXPECT_TRUE(r.endsEarly);
    EXPECT_EQ(back->alarms[1].count, 0);
    EXPECT_EQ(std::memcmp(back->globalKeys.data(), st->globalKeys.data(), 400), 0);
    EXPECT_EQ(back->screens[7].textPool, st->screens[7].textPool);

    // Inside the change records: the whole records read, the keys after them as derived.
    f = good.substr(0, changeCountOffset() + 1 + 8 + 3);
    r = readBytes(*back, f);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.endsEarly);
    EXPECT_EQ(back->changeCount, 1);
    EXPECT_EQ(std::memcmp(&back->changes[0], &st->changes[0], 8), 0);
    EXPECT_EQ(back->globalKeys[3].screen, st->globalOldKeys[3].screen);
    EXPECT_EQ(back->globalKeys[3].operand, 0u);

    // Right after the pools: global keys empty, screen keys from the screens' old records.
    f = good.substr(0, st->fileIndex.globalOldKeysOffset + 50);
    r = readBytes(*back, f);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.endsEarly);
    EXPECT_EQ(back->globalKeys[0].screen, 0);
    EXPECT_EQ(back->screens[7].keys[0].kind, st->screens[7].oldKeys[0].kind);
    EXPECT_EQ(back->screens[7].keys[0].operand, 0u);
    EXPECT_EQ(back->pictures[29].dots, st->pictures[29].dots);

    // A whole file does not end early.
    EXPECT_FALSE(readBytes(*back, good).endsEarly);
}

TEST_F(TrnDamage, NoCutOrFlippedByteCrashesOrLeavesAHalfStore) {
    for (size_t n = 0; n < good.size(); n += 97) {
        auto r = readBytes(*back, good.substr(0, n));
        if (!r.ok) {
            ASSERT_FALSE(r.message.empty()) << n;
            ASSERT_FALSE(back->projectOpen) << n;
        }
    }
    std::mt19937 rng(12345);
    for (int i = 0; i < 60; ++i) {
        std::string f = good;
        for (int k = 0; k < 4; ++k) {
            size_t pos = rng() % f.size();
            f[pos] = static_cast<char>(rng());
        }
        auto r = readBytes(*back, f);
        EXPECT_TRUE(r.ok || !r.message.empty());
        if (r.ok) {
            // What was accepted can be saved and read again.
            auto again = std::make_unique<ProjectStore>();
            ASSERT_TRUE(TrnWriter::prepare(*back).ok);
            std::string g = TrnWriter::serialise(*back);
            ASSERT_TRUE(readBytes(*again, g).ok) << i;
        }
    }
}

TEST_F(TrnDamage, EmptyTextsMayPointAnywhere) {
    // An empty text refers to nothing: its offset is not checked, and reading it gives "".
    std::string f = good;
    size_t m = st->entries[7].fileOffset + 2 * 20;
    poke<uint32_t>(f, m + 8 + 4 * 15, 0xFFFFFF00u);
    poke<uint8_t>(f, m + 72 + 15, 0);
    auto r = readBytes(*back, f);
    ASSERT_TRUE(r.ok) << r.message.id;
    const MsgDispRecord& rec = back->screens[7].msgDisps[0];
    EXPECT_EQ(back->screens[7].text(rec.textOffsets[15], rec.textLengths[15]), "");
    EXPECT_EQ(back->screens[7].text(rec.textOffsets[0], rec.textLengths[0]), "M0");
}

TEST_F(TrnDamage, ReferencesThatLeadNowhereOpenAreListedAndResaveByteForByte) {
    struct Case {
        const char* what;
        std::vector<int> findings; // the message of each finding, in order
        std::function<void(std::string&)> damage;
        std::function<void(const ProjectStore&)> check;
    };
    const size_t msgDisp = st->entries[7].fileOffset + 2 * 20;
    const Case cases[] = {
        {"TextString text outside", {trnmsg::kTextOutside},
         [&](std::string& f) { poke<uint32_t>(f, st->entries[1].fileOffset + 8, 1000); },
         [](const ProjectStore& b) {
             const TextStringRecord& r = b.screens[1].textStrings[0];
             EXPECT_EQ(b.screens[1].text(r.textOffset, r.textLength), "");
         }},
        {"MsgDisp text 16 partly outside", {trnmsg::kTextNOutside},
         [&](std::string& f) { poke<uint8_t>(f, msgDisp + 72 + 15, 200); },
         [](const ProjectStore& b) {
             const MsgDispRecord& r = b.screens[7].msgDisps[0];
             // Not the part that happens to lie inside: nothing.
             EXPECT_EQ(b.screens[7].text(r.textOffsets[15], r.textLengths[15]), "");
             EXPECT_EQ(b.screens[7].text(r.textOffsets[0], r.textLengths[0]), "M0");
         }},
        {"picture object showing picture 40", {trnmsg::kPictureMissing},
         [&](std::string& f) { poke<uint8_t>(f, pictureRecords(1) + 16 + 8, 40); },
         [](const ProjectStore& b) { EXPECT_EQ(b.screens[1].pictures[1].pictureNo, 40); }},
        {"picture dots outside the picture data", // and so the two objects showing it
         {trnmsg::kPictureDotsOutside, trnmsg::kPictureMissing, trnmsg::kPictureMissing},
         [&](std::string& f) { poke<uint32_t>(f, 6544 + 29 * 12, 1000000); },
         [](const ProjectStore& b) { EXPECT_FALSE(b.pictures[29].defined(29)); }},
        {"alarm message outside", {trnmsg::kAlarmOutside},
         [&](std::string& f) {
             poke<uint32_t>(f, alarm2() + 4 + 63 * 4, 3);
             poke<uint8_t>(f, alarm2() + 260 + 63, 1);
         },
         [](const ProjectStore& b) { EXPECT_EQ(b.alarms[1].message(b.alarmPools[1], 63), ""); }},
        {"stray bytes in reserved fields", {},
         [&](std::string& f) {
             poke<uint32_t>(f, 8, 0xA5A5A5A5u);            // header
             poke<uint16_t>(f, 6, 0x7742);                 // model code's high byte
             poke<uint8_t>(f, 6544 + 3 * 12 + 7, 0x5A);    // picture directory entry 3
             poke<uint32_t>(f, 6544, 77);                  // directory entry 0
             poke<uint32_t>(f, 96 + 24, 12345);            // an offset nobody reads
             poke<uint8_t>(f, st->fileIndex.alarm1Offset + 326, 9);       // alarm group 1
             f += "more bytes after the last block";
         },
         [](const ProjectStore&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string f = good;
        c.damage(f);
        auto r = readBytes(*back, f);
        ASSERT_TRUE(r.ok) << r.message.id;
        std::vector<int> ids;
        for (const Message& m : r.findings) {
            ids.push_back(m.id);
        }
        EXPECT_EQ(ids, c.findings);
        c.check(*back);
        // Saved without an edit: the very bytes read; read again: the same findings.
        ASSERT_TRUE(TrnWriter::prepare(*back).ok);
        const std::string saved = TrnWriter::serialise(*back);
        EXPECT_TRUE(saved == f) << "first difference at " << std::mismatch(saved.begin(), saved.end(), f.begin(), f.end()).first - saved.begin();
        auto again = std::make_unique<ProjectStore>();
        EXPECT_EQ(readBytes(*again, saved).findings, r.findings);
    }
}

TEST_F(TrnDamage, PoolsThatRunPastTheTextPoolOpenCut) {
    std::string f = good;
    poke<uint8_t>(f, entry(7) + 23, 0);
    poke<uint32_t>(f, entry(7) + 28, 100000);
    auto r = readBytes(*back, f);
    ASSERT_TRUE(r.ok) << r.message.id;
    ASSERT_FALSE(r.findings.empty());
    EXPECT_EQ(r.findings[0], Message::string(trnmsg::kScreenTextsCut, {"7"}));
    ASSERT_TRUE(TrnWriter::prepare(*back).ok);
    EXPECT_TRUE(TrnWriter::serialise(*back) == f);

    f = good;
    poke<uint32_t>(f, 96 + 36, 1000);
    r = readBytes(*back, f);
    ASSERT_TRUE(r.ok) << r.message.id;
    ASSERT_FALSE(r.findings.empty());
    EXPECT_EQ(r.findings[0], Message::string(trnmsg::kAlarmTextsCut, {"1"}));
    ASSERT_TRUE(TrnWriter::prepare(*back).ok);
    EXPECT_TRUE(TrnWriter::serialise(*back) == f);
}
