#include "editor/ClipboardBlock.h"

#include "editor/ExchangeConversion.h"

#include <cstring>

namespace dispcraft {

namespace {

template <typename E>
void put(std::vector<uint8_t>& block, size_t area, size_t index, const E& e) {
    std::memcpy(block.data() + area + index * sizeof(E), &e, sizeof(E));
}

template <typename E>
E get(const uint8_t* block, size_t area, size_t index) {
    E e;
    std::memcpy(&e, block + area + index * sizeof(E), sizeof(E));
    return e;
}

// Copies the selected slots of one list into its area, in slot order.
template <typename List, typename Convert>
void buildKind(const List& list, int kind, Convert convert) {
    size_t n = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].isSelectedAs(kind)) {
            convert(n, i);
            ++n;
        }
    }
}

// Walks the list's slots; each free slot takes the next record of the area while that record
// is valid. The block is untrusted: every record is checked before use, and the first one that
// is not valid (normally the zero record after the last one) ends the kind.
template <typename Exchange, typename List, typename Store>
int pasteKind(const uint8_t* block, size_t area, size_t records, List& list, int kind,
              int offset, Store store) {
    size_t next = 0;
    int pasted = 0;
    for (size_t slot = 0; slot < list.size() && next < records; ++slot) {
        if (list[slot].occupies(kind)) {
            continue;
        }
        auto o = ExchangeConversion::fromExchange(get<Exchange>(block, area, next));
        if (!o) {
            break;
        }
        o->x += offset;
        o->y += offset;
        list[slot] = std::move(*o);
        store(slot, next);
        ++next;
        ++pasted;
    }
    return pasted;
}

} // namespace

std::vector<uint8_t> ClipboardBlock::build(const ScreenObjects& objects,
                                           const std::string& projectPath, MessageSink& sink) {
    std::vector<uint8_t> block(kSize, 0);
    std::memcpy(block.data(), projectPath.data(), std::min(projectPath.size(), kPathSize - 1));

    buildKind(objects.textStrings, kKindTextString,
              [&](size_t n, size_t i) {
                  put(block, kTextStringOffset, n,
                      ExchangeConversion::toExchange(objects.textStrings[i], sink));
              });
    buildKind(objects.msgDisps, kKindMsgDisp, [&](size_t n, size_t i) {
        put(block, kMsgDispOffset, n, ExchangeConversion::toExchange(objects.msgDisps[i], sink));
    });
    buildKind(objects.numDisps, kKindNumDisp, [&](size_t n, size_t i) {
        put(block, kNumDispOffset, n, ExchangeConversion::toExchange(objects.numDisps[i], sink));
        put(block, kSidePairOffset, n, ExchangeConversion::toExchange(objects.numDispSides[i]));
    });
    buildKind(objects.barGraphs, kKindBarGraph, [&](size_t n, size_t i) {
        put(block, kBarGraphOffset, n, ExchangeConversion::toExchange(objects.barGraphs[i]));
    });
    buildKind(objects.trendGraphs, kKindTrendGraph,
              [&](size_t n, size_t i) {
                  put(block, kTrendGraphOffset, n,
                      ExchangeConversion::toExchange(objects.trendGraphs[i]));
              });
    buildKind(objects.lamps, kKindLamp, [&](size_t n, size_t i) {
        put(block, kLampOffset, n, ExchangeConversion::toExchange(objects.lamps[i], sink));
    });
    buildKind(objects.pictures, kKindPicture, [&](size_t n, size_t i) {
        put(block, kPictureOffset, n, ExchangeConversion::toExchange(objects.pictures[i]));
    });
    return block;
}

std::string ClipboardBlock::sourcePath(const uint8_t* block) {
    const char* p = reinterpret_cast<const char*>(block + kPathOffset);
    return std::string(p, strnlen(p, kPathSize));
}

int ClipboardBlock::paste(ScreenObjects& objects, const uint8_t* block, size_t size, int offset) {
    if (block == nullptr || size != kSize) {
        return 0;
    }
    int n = 0;
    auto none = [](size_t, size_t) {};
    n += pasteKind<TextStringExchange>(block, kTextStringOffset, capacity::kTextStrings,
                                       objects.textStrings, kKindTextString, offset, none);
    n += pasteKind<MsgDispExchange>(block, kMsgDispOffset, capacity::kMsgDisps, objects.msgDisps,
                                    kKindMsgDisp, offset, none);
    n += pasteKind<NumDispExchange>(
        block, kNumDispOffset, capacity::kNumDisps, objects.numDisps, kKindNumDisp, offset,
        [&](size_t slot, size_t index) {
            objects.numDispSides[slot] =
                ExchangeConversion::fromExchange(get<SidePairExchange>(block, kSidePairOffset, index));
        });
    n += pasteKind<BarGraphExchange>(block, kBarGraphOffset, capacity::kBarGraphs,
                                     objects.barGraphs, kKindBarGraph, offset, none);
    n += pasteKind<TrendGraphExchange>(block, kTrendGraphOffset, capacity::kTrendGraphs,
                                       objects.trendGraphs, kKindTrendGraph, offset, none);
    n += pasteKind<LampExchange>(block, kLampOffset, capacity::kLamps, objects.lamps, kKindLamp,
                                 offset, none);
    n += pasteKind<PictureExchange>(block, kPictureOffset, capacity::kPictureObjects,
                                    objects.pictures, kKindPicture, offset, none);
    return n;
}

} // namespace dispcraft
