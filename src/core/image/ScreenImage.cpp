#include "image/ScreenImage.h"

namespace dispcraft {

void ScreenImage::write(ByteWriter& w) const {
    ScreenObjectKinds::forEach([&]<typename K, size_t>() { w.u8(static_cast<unsigned>(records<K>().size())); });
    w.zeros(kHeaderSize - ScreenObjectKinds::kCount);
    ScreenObjectKinds::forEach([&]<typename K, size_t>() {
        for (const K& r : records<K>()) {
            r.write(w);
        }
    });
    functionKeys.write(w);
    for (const OldKeyImageRecord& k : oldKeys) {
        k.write(w);
    }
    if (hasKeys) {
        for (const KeyImageRecord& k : keys) {
            k.write(w);
        }
    }
    for (const NumDispImageRecord& n : records<NumDispImageRecord>()) {
        n.writeSide(w);
    }
}

bool ScreenImage::read(ByteReader& r, bool withKeys, ScreenImage& out) {
    std::array<uint8_t, kHeaderSize> counts{};
    r.bytes(counts.data(), counts.size());
    bool fits = true;
    ScreenObjectKinds::forEach([&]<typename K, size_t I>() {
        if (counts[I] > K::kCapacity) {
            fits = false;
        }
    });
    if (!fits || !r.ok()) {
        return false;
    }
    ScreenObjectKinds::forEach([&]<typename K, size_t I>() {
        std::vector<K>& list = out.records<K>();
        list.clear();
        list.reserve(counts[I]);
        for (int i = 0; i < counts[I] && r.ok(); ++i) {
            list.push_back(K::read(r));
        }
    });
    out.functionKeys = FunctionKeysImageRecord::read(r);
    for (OldKeyImageRecord& k : out.oldKeys) {
        k = OldKeyImageRecord::read(r);
    }
    out.hasKeys = withKeys;
    if (withKeys) {
        for (KeyImageRecord& k : out.keys) {
            k = KeyImageRecord::read(r);
        }
    }
    for (NumDispImageRecord& n : out.records<NumDispImageRecord>()) {
        n.readSide(r);
    }
    return r.ok();
}

} // namespace dispcraft
