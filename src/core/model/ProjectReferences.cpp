#include "model/ProjectReferences.h"

#include "model/TrnMessages.h"
#include "objects/TextPool.h"

namespace dispcraft {

Message ProjectReferences::finding(int s, const char* kindName, int i, const BadReference& bad) {
    const std::string screen = std::to_string(s);
    const std::string object = std::to_string(i + 1);
    if (bad.what == BadReference::What::Picture) {
        return Message::string(trnmsg::kPictureMissing,
                               {screen, kindName, object, std::to_string(bad.picture)});
    }
    if (bad.text > 0) {
        return Message::string(trnmsg::kTextNOutside,
                               {screen, std::to_string(bad.text), kindName, object});
    }
    return Message::string(trnmsg::kTextOutside, {screen, kindName, object});
}

bool ProjectReferences::alarmMessageInside(const ProjectStore& store, int g, int i) {
    const AlarmBlock& a = store.alarms[static_cast<size_t>(g)];
    return textpool::inside(a.offsets[i], a.lengths[i], store.alarmPools[static_cast<size_t>(g)].size());
}

std::vector<Message> ProjectReferences::findings(const ProjectStore& store) {
    std::vector<Message> out;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!store.screenExists(s)) {
            continue;
        }
        forEachBad(store, s, [&](auto kind, int i, const BadReference& bad) {
            out.push_back(finding(s, decltype(kind)::kName, i, bad));
        });
    }
    for (int g = 0; g < 2; ++g) {
        // Every slot is built, whatever the count.
        for (int i = 0; i < capacity::kAlarmMessages; ++i) {
            if (!alarmMessageInside(store, g, i)) {
                out.push_back(Message::string(trnmsg::kAlarmOutside,
                                              {std::to_string(g + 1), std::to_string(i + 1)}));
            }
        }
    }
    return out;
}

} // namespace dispcraft
