#pragma once

#include <cstdint>

namespace dispcraft {

// Fixed-size forms of the working records, as they travel in the clipboard block between
// windows and program instances. Little-endian; every reserved byte is 0.
#pragma pack(push, 1)
struct TextStringExchange {
    uint32_t kindWord; // 129 when copied selected
    int32_t x;
    int32_t y;
    uint8_t attr;
    char text[101]; // NUL-terminated, at most 100 bytes
    uint8_t reserved114[2];
};

struct MsgDispExchange {
    uint8_t kind; // 130 when copied selected
    uint8_t reserved1[3];
    int32_t x;
    int32_t y;
    uint8_t attr;
    char texts[16][100]; // each NUL-terminated unless it has exactly 100 bytes
    uint8_t reserved1613[3];
    int32_t value;
    uint8_t trailing;
    uint8_t reserved1621[3];
};

struct NumDispExchange {
    uint8_t kind; // 131 when copied selected
    uint8_t reserved1[3];
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t flags2;
    uint8_t reserved14[2];
    int32_t settings[5];
    char preview[100]; // NUL-terminated unless it has exactly 100 bytes
    uint32_t trailingValue;
    uint8_t trailing;
    uint8_t reserved141[3];
};

struct SidePairExchange {
    int32_t value1;
    int32_t value2;
};

struct BarGraphExchange {
    uint32_t kindWord;
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t reserved13[3];
    int32_t setting1;
    int32_t setting2;
    int32_t setting3;
    int32_t length;
    int32_t thickness;
    uint8_t style;
    uint8_t reserved37[3];
};

struct TrendGraphExchange {
    uint32_t kindWord;
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t reserved13[3];
    int32_t setting1;
    int32_t setting2;
    int32_t setting3;
    int32_t height;
    int32_t width;
    int32_t setting4;
    int32_t spacing;
    int32_t pointCount;
    uint8_t trailing;
    uint8_t reserved49[3];
};

struct LampExchange {
    uint32_t kindWord; // 134 when copied selected
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t flags2;
    uint8_t reserved14[2];
    int32_t value;
    char name[100]; // NUL-terminated unless it has exactly 100 bytes
    int32_t value2;
    int32_t dotCount;
    uint8_t dots[4096]; // dot-count bytes used
};

struct PictureExchange {
    uint32_t kindWord;
    int32_t x;
    int32_t y;
    uint8_t pictureNo;
    uint8_t reserved13[3];
};
#pragma pack(pop)

static_assert(sizeof(TextStringExchange) == 116);
static_assert(sizeof(MsgDispExchange) == 1624);
static_assert(sizeof(NumDispExchange) == 144);
static_assert(sizeof(SidePairExchange) == 8);
static_assert(sizeof(BarGraphExchange) == 40);
static_assert(sizeof(TrendGraphExchange) == 52);
static_assert(sizeof(LampExchange) == 4224);
static_assert(sizeof(PictureExchange) == 16);

} // namespace dispcraft
