#include "document/ProjectCheckpoint.h"

#include "model/ProjectStore.h"

#include <cstring>
#include <string>
#include <type_traits>

namespace dispcraft {

namespace {

// Every member of the store that a user's change may touch, to be compared and kept one by
// one. A new member that the user can change joins this list.
template <typename F> void forEachSetting(F&& f) {
    f(&ProjectStore::cpuId);
    f(&ProjectStore::modelTitle);
    f(&ProjectStore::com1ProtocolName);
    f(&ProjectStore::com2ProtocolName);
    f(&ProjectStore::com1LinkName);
    f(&ProjectStore::com2LinkName);
    f(&ProjectStore::com1PortNumber);
    f(&ProjectStore::com2PortNumber);
    f(&ProjectStore::lcdX);
    f(&ProjectStore::lcdY);
    f(&ProjectStore::pictureWidth);
    f(&ProjectStore::pictureHeight);
    f(&ProjectStore::fnKeyRects);
    f(&ProjectStore::panelKeyRects);
    f(&ProjectStore::maxChangeLength);
    f(&ProjectStore::maxChangeCount);
    f(&ProjectStore::projectBlock);
    f(&ProjectStore::header);
    f(&ProjectStore::globalKeys);
    f(&ProjectStore::alarms);
    f(&ProjectStore::alarmPools);
    f(&ProjectStore::pictures);
    f(&ProjectStore::systemBlock);
    f(&ProjectStore::changeCount);
    f(&ProjectStore::changes);
    f(&ProjectStore::alarmGroupCount);
    f(&ProjectStore::alarmBackup);
    f(&ProjectStore::screenPassword);
    f(&ProjectStore::alarmView);
    f(&ProjectStore::com1Protocol);
    f(&ProjectStore::com2Protocol);
    f(&ProjectStore::defaultStation);
    f(&ProjectStore::maxStation);
    f(&ProjectStore::minStation);
}

template <typename T> bool same(const T& a, const T& b);

bool sameValue(const std::string& a, const std::string& b) {
    return a == b;
}
bool sameValue(const PictureTableEntry& a, const PictureTableEntry& b) {
    return a.id == b.id && a.width == b.width && a.height == b.height && a.spare == b.spare &&
           a.dots == b.dots;
}
bool sameValue(const AddressArea& a, const AddressArea& b) {
    return a.name == b.name && a.range == b.range && a.format == b.format;
}
bool sameValue(const PortProtocol& a, const PortProtocol& b) {
    return same(a.wordAreas, b.wordAreas) && same(a.bitAreas, b.bitAreas) &&
           a.stationText == b.stationText && a.changePerLen == b.changePerLen &&
           a.changeMaxNum == b.changeMaxNum;
}
template <typename T, size_t N>
bool sameValue(const std::array<T, N>& a, const std::array<T, N>& b) {
    for (size_t i = 0; i < N; ++i) {
        if (!same(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

// Plain records (the stored forms) compare byte for byte.
template <typename T> bool same(const T& a, const T& b) {
    if constexpr (std::is_trivially_copyable_v<T>) {
        return std::memcmp(&a, &b, sizeof(T)) == 0;
    } else {
        return sameValue(a, b);
    }
}

template <typename T> size_t heapBytes(const T& v) {
    if constexpr (std::is_same_v<T, std::string>) {
        return v.capacity();
    } else if constexpr (std::is_same_v<T, PictureTableEntry>) {
        return v.dots.capacity();
    } else if constexpr (std::is_same_v<T, PortProtocol>) {
        return v.stationText.capacity();
    } else if constexpr (requires {
                             v.size();
                             v[0];
                         }) {
        size_t n = 0;
        for (const auto& e : v) {
            n += heapBytes(e);
        }
        return n;
    } else {
        return 0;
    }
}

template <typename T> class MemberChange : public ProjectChangeCommand::Setting {
public:
    MemberChange(T ProjectStore::*member, T before, T after)
        : m_member(member), m_before(std::move(before)), m_after(std::move(after)) {}
    void apply(ProjectStore& store, bool after) const override {
        store.*m_member = after ? m_after : m_before;
    }
    size_t bytes() const override {
        return sizeof(*this) + heapBytes(m_before) + heapBytes(m_after);
    }

private:
    T ProjectStore::*m_member;
    T m_before;
    T m_after;
};

// The objects, texts and function keys of a stored screen; the keys apart, since a key's
// change is written into every screen and the windows take keys from the store anyway.
bool sameObjects(const ScreenBlock& a, const ScreenBlock& b) {
    bool equal = a.textPool == b.textPool && same(a.fnKeys, b.fnKeys);
    forEachKind([&](auto k) {
        using K = decltype(k);
        equal = equal && same(a.records<K>(), b.records<K>());
        if constexpr (HasSide<K>) {
            equal = equal && same(a.sides<K>(), b.sides<K>());
        }
    });
    return equal;
}

bool sameBlock(const ScreenBlock& a, const ScreenBlock& b) {
    return sameObjects(a, b) && same(a.keys, b.keys) && same(a.oldKeys, b.oldKeys);
}

} // namespace

ProjectCheckpoint::ProjectCheckpoint(const ProjectStore& store)
    : m_before(std::make_unique<ProjectStore>(store)) {}

ProjectCheckpoint::~ProjectCheckpoint() = default;

std::unique_ptr<ProjectChangeCommand> ProjectCheckpoint::changeTo(const ProjectStore& now,
                                                                  Message name) const {
    auto step = std::make_unique<ProjectChangeCommand>(std::move(name));
    const ProjectStore& before = *m_before;
    forEachSetting([&](auto member) {
        using T = std::remove_cvref_t<decltype(before.*member)>;
        if (!same(before.*member, now.*member)) {
            step->addSetting(
                std::make_unique<MemberChange<T>>(member, before.*member, now.*member));
        }
    });
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        const size_t i = static_cast<size_t>(s);
        const bool entryChanged = !same(before.entries[i], now.entries[i]);
        if (entryChanged) {
            step->addEntry(s, before.entries[i], now.entries[i]);
        }
        const bool objectsChanged = !sameObjects(before.screens[i], now.screens[i]);
        if (objectsChanged || !sameBlock(before.screens[i], now.screens[i])) {
            step->addBlock(s, before.screens[i], now.screens[i]);
        }
        if (objectsChanged || (entryChanged && before.entries[i].number != now.entries[i].number)) {
            step->addChangedScreen(s);
        }
    }
    if (step->empty()) {
        return nullptr;
    }
    return step;
}

} // namespace dispcraft
