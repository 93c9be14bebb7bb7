#pragma once

#include "base/Message.h"
#include "model/ProjectStore.h"
#include "objects/BadReference.h"

#include <algorithm>
#include <string>
#include <vector>

namespace dispcraft {

// The references of a project's stored records that lead nowhere, found kind by kind through
// each kind's own check. The project file reader lists them when a project opens, the build
// warns of each one it meets, and every reader takes such a text as empty and such a picture as
// absent.
class ProjectReferences {
public:
    // Calls f(kind, objectIndex, badReference) for every bad reference of screen s's records,
    // kinds in list order, objects in array order.
    template <typename F> static void forEachBad(const ProjectStore& store, int s, F&& f) {
        const ScreenEntry& e = store.entries[static_cast<size_t>(s)];
        const ScreenBlock& b = store.screens[static_cast<size_t>(s)];
        const ReferenceScope scope{b.textPool.size(), store.pictures};
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            if constexpr (requires(BadReferences& out) {
                              K::findBadReferences(b.records<K>()[0], scope, out);
                          }) {
                const int n = std::min<int>(e.count<K>(), K::kCapacity);
                BadReferences found;
                for (int i = 0; i < n; ++i) {
                    found.clear();
                    K::findBadReferences(b.records<K>()[static_cast<size_t>(i)], scope, found);
                    for (const BadReference& bad : found) {
                        f(kind, i, bad);
                    }
                }
            }
        });
    }

    // One line for a bad reference of object i (0-based) of a kind on screen s.
    static Message finding(int s, const char* kindName, int i, const BadReference& bad);
    // Whether message i of alarm group g (0 or 1) lies inside its pool.
    static bool alarmMessageInside(const ProjectStore& store, int g, int i);
    // Every bad reference of the project: the existing screens' objects in order, then the
    // alarm messages.
    static std::vector<Message> findings(const ProjectStore& store);
};

} // namespace dispcraft
