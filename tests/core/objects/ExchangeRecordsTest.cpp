// The kinds' exchange records (the clipboard's form of an object) and their conversions.
#include "base/RecordingSink.h"
#include "editor/ClipboardBlock.h"
#include "objects/ObjectKinds.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <tuple>

using namespace dispcraft;

TEST(ExchangeRecords, FieldOffsets) {
    EXPECT_EQ(offsetof(TextStringExchange, text), 13u);
    EXPECT_EQ(offsetof(MsgDispExchange, texts), 13u);
    EXPECT_EQ(offsetof(MsgDispExchange, address), 1616u);
    EXPECT_EQ(offsetof(MsgDispExchange, areaAndBit), 1620u);
    EXPECT_EQ(offsetof(NumDispExchange, options), 13u);
    EXPECT_EQ(offsetof(NumDispExchange, address), 16u);
    EXPECT_EQ(offsetof(NumDispExchange, minimum), 32u);
    EXPECT_EQ(offsetof(NumDispExchange, preview), 36u);
    EXPECT_EQ(offsetof(NumDispExchange, scaleBits), 136u);
    EXPECT_EQ(offsetof(NumDispExchange, areaAndBit), 140u);
    EXPECT_EQ(offsetof(LampExchange, areaAndBit), 13u);
    EXPECT_EQ(offsetof(LampExchange, address), 16u);
    EXPECT_EQ(offsetof(LampExchange, name), 20u);
    EXPECT_EQ(offsetof(LampExchange, secondValue), 120u);
    EXPECT_EQ(offsetof(LampExchange, dotCount), 124u);
    EXPECT_EQ(offsetof(LampExchange, dots), 128u);
    EXPECT_EQ(offsetof(BarGraphExchange, address), 16u);
    EXPECT_EQ(offsetof(BarGraphExchange, areaAndBit), 36u);
    EXPECT_EQ(offsetof(TrendGraphExchange, settingA), 36u);
    EXPECT_EQ(offsetof(TrendGraphExchange, areaAndBit), 48u);
    EXPECT_EQ(offsetof(PictureExchange, pictureNo), 12u);
    EXPECT_EQ(ClipboardBlock::kMsgDispOffset, 100 + 96 * sizeof(TextStringExchange));
    EXPECT_EQ(ClipboardBlock::kNumDispOffset,
              ClipboardBlock::kMsgDispOffset + 96 * sizeof(MsgDispExchange));
    EXPECT_EQ(ClipboardBlock::kSidePairOffset,
              ClipboardBlock::kNumDispOffset + 96 * sizeof(NumDispExchange));
    EXPECT_EQ(ClipboardBlock::kBarGraphOffset, ClipboardBlock::kSidePairOffset + 96 * 8);
    EXPECT_EQ(ClipboardBlock::kTrendGraphOffset,
              ClipboardBlock::kBarGraphOffset + 48 * sizeof(BarGraphExchange));
    EXPECT_EQ(ClipboardBlock::kLampOffset,
              ClipboardBlock::kTrendGraphOffset + 2 * sizeof(TrendGraphExchange));
    EXPECT_EQ(ClipboardBlock::kPictureOffset,
              ClipboardBlock::kLampOffset + 48 * sizeof(LampExchange));
    EXPECT_EQ(ClipboardBlock::kSize, ClipboardBlock::kPictureOffset + 48 * sizeof(PictureExchange));
}

TEST(ExchangeConversions, FullLengthTextsComeBackUnchanged) {
    RecordingSink sink;
    MsgDispObject m;
    m.kindWord = 130;
    m.x = 10;
    m.y = 11;
    m.attr = 0x80;
    for (size_t k = 0; k < 16; ++k) {
        m.texts[k] = std::string(100, static_cast<char>('a' + k));
    }
    m.address = -70000;
    m.areaAndBit = 9;
    auto back = MsgDispKind::fromExchange(MsgDispKind::toExchange(m, sink));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->texts, m.texts);
    EXPECT_EQ(back->address, -70000);
    EXPECT_EQ(back->areaAndBit, 9);
    EXPECT_EQ(back->attr, 0x80);
    EXPECT_TRUE(sink.shown().empty());

    NumDispObject n;
    n.kindWord = 131;
    n.attr = 0x49;
    n.options = 0x81;
    n.address = 5;
    n.digits = 4;
    n.decimals = 1;
    n.maximum = -7;
    n.minimum = 123456;
    n.preview = "-123.4";
    n.scaleBits = 0x3F800000;
    n.areaAndBit = 3;
    auto nb = NumDispKind::fromExchange(NumDispKind::toExchange(n, sink));
    ASSERT_TRUE(nb);
    EXPECT_EQ(std::tie(nb->address, nb->digits, nb->decimals, nb->maximum, nb->minimum),
              std::tie(n.address, n.digits, n.decimals, n.maximum, n.minimum));
    EXPECT_EQ(nb->preview, n.preview);
    EXPECT_EQ(nb->options, n.options);
    EXPECT_EQ(nb->attr, n.attr);
    EXPECT_EQ(nb->scaleBits, n.scaleBits);
    EXPECT_EQ(nb->areaAndBit, n.areaAndBit);

    LampObject l;
    l.kindWord = 134;
    l.name = "lamp20_32x32";
    l.dotCount = 2048;
    l.dots = std::string(2048, '\1');
    l.dots[2047] = 0;
    l.address = 77;
    l.secondValue = 78;
    auto lb = LampKind::fromExchange(LampKind::toExchange(l, sink));
    ASSERT_TRUE(lb);
    EXPECT_EQ(lb->dotCount, 2048);
    EXPECT_EQ(lb->dots, l.dots);
    EXPECT_EQ(lb->secondValue, 78);
}

TEST(ExchangeConversions, OverlongFieldsShowTheirMessageAndKeepWhatWasWritten) {
    RecordingSink sink;
    TextStringObject t;
    t.kindWord = 129;
    t.attr = 2;
    t.text = std::string(101, 'x');
    auto te = TextStringKind::toExchange(t, sink);
    EXPECT_EQ(sink.shown().back(),
              Message::text("the length of str in TextString exceed 100 num!"));
    EXPECT_EQ(te.text[0], 0);
    EXPECT_EQ(te.attr, 2);

    MsgDispObject m;
    m.kindWord = 130;
    m.texts[0] = "first";
    m.texts[1] = std::string(101, 'y');
    m.texts[2] = "third";
    m.address = 5;
    auto me = MsgDispKind::toExchange(m, sink);
    EXPECT_EQ(sink.shown().back(),
              Message::text("the length of textdata in MsgDisp exceeded 100 num!"));
    EXPECT_STREQ(me.texts[0], "first");
    EXPECT_EQ(me.texts[1][0], 0);
    EXPECT_EQ(me.texts[2][0], 0);
    EXPECT_EQ(me.address, 0);

    NumDispObject n;
    n.kindWord = 131;
    n.attr = 7;
    n.options = 1;
    n.address = 1;
    n.preview = std::string(101, '1');
    auto ne = NumDispKind::toExchange(n, sink);
    EXPECT_EQ(sink.shown().back(),
              Message::text("the length of dispdata in NumDisp exceeded 100 num!"));
    EXPECT_EQ(ne.attr, 7);
    EXPECT_EQ(ne.options, 0);
    EXPECT_EQ(ne.address, 0);

    LampObject l;
    l.kindWord = 134;
    l.name = "lamp01";
    l.dotCount = 2048;
    l.dots = std::string(4097, '\0');
    l.address = 3;
    auto le = LampKind::toExchange(l, sink);
    EXPECT_EQ(sink.shown().back(),
              Message::text("the length of lampstr in Lamp exceeded 100 num!"));
    EXPECT_STREQ(le.name, "lamp01");
    EXPECT_EQ(le.dotCount, 0);
    EXPECT_EQ(le.address, 0);

    l.name = std::string(101, 'n');
    le = LampKind::toExchange(l, sink);
    EXPECT_EQ(sink.shown().back(),
              Message::text("the length of lampname in Lamp exceeded 100 num!"));
    EXPECT_EQ(le.name[0], 0);
}
