#include "editor/EditorObjects.h"

namespace dispcraft {

namespace {

template <typename T, size_t N>
void closeGap(std::array<T, N>& list, size_t i) {
    for (size_t k = i; k + 1 < N; ++k) {
        list[k] = std::move(list[k + 1]);
    }
    list[N - 1] = T{};
}

} // namespace

int ScreenObjects::capacityOf(int kind) {
    switch (kind) {
    case kKindTextString: return capacity::kTextStrings;
    case kKindMsgDisp: return capacity::kMsgDisps;
    case kKindNumDisp: return capacity::kNumDisps;
    case kKindBarGraph: return capacity::kBarGraphs;
    case kKindTrendGraph: return capacity::kTrendGraphs;
    case kKindLamp: return capacity::kLamps;
    case kKindPicture: return capacity::kPictureObjects;
    default: return 0;
    }
}

const EditorObject& ScreenObjects::head(int kind, int i) const {
    size_t k = static_cast<size_t>(i);
    switch (kind) {
    case kKindTextString: return textStrings.at(k);
    case kKindMsgDisp: return msgDisps.at(k);
    case kKindNumDisp: return numDisps.at(k);
    case kKindBarGraph: return barGraphs.at(k);
    case kKindTrendGraph: return trendGraphs.at(k);
    case kKindLamp: return lamps.at(k);
    default: return pictures.at(k);
    }
}

EditorObject& ScreenObjects::head(int kind, int i) {
    return const_cast<EditorObject&>(static_cast<const ScreenObjects*>(this)->head(kind, i));
}

int ScreenObjects::count(int kind) const {
    int n = 0;
    for (int i = 0; i < capacityOf(kind); ++i) {
        n += occupied(kind, i) ? 1 : 0;
    }
    return n;
}

int ScreenObjects::firstFree(int kind) const {
    for (int i = 0; i < capacityOf(kind); ++i) {
        if (!occupied(kind, i)) {
            return i;
        }
    }
    return -1;
}

bool ScreenObjects::anySelected() const {
    for (int kind : kKinds) {
        for (int i = 0; i < capacityOf(kind); ++i) {
            if (head(kind, i).isSelectedAs(kind)) {
                return true;
            }
        }
    }
    return false;
}

void ScreenObjects::deselectAll() {
    for (int kind : kKinds) {
        for (int i = 0; i < capacityOf(kind); ++i) {
            EditorObject& o = head(kind, i);
            if (o.occupies(kind)) {
                o.select(false);
            }
        }
    }
}

void ScreenObjects::clear() {
    textStrings.fill({});
    msgDisps.fill({});
    numDisps.fill({});
    numDispSides.fill({});
    barGraphs.fill({});
    trendGraphs.fill({});
    lamps.fill({});
    pictures.fill({});
}

void ScreenObjects::removeAt(int kind, int i) {
    size_t k = static_cast<size_t>(i);
    switch (kind) {
    case kKindTextString: closeGap(textStrings, k); break;
    case kKindMsgDisp: closeGap(msgDisps, k); break;
    case kKindNumDisp:
        closeGap(numDisps, k);
        closeGap(numDispSides, k);
        break;
    case kKindBarGraph: closeGap(barGraphs, k); break;
    case kKindTrendGraph: closeGap(trendGraphs, k); break;
    case kKindLamp: closeGap(lamps, k); break;
    case kKindPicture: closeGap(pictures, k); break;
    default: break;
    }
}

} // namespace dispcraft
