#include "report/AddressXref.h"

#include "forms/AddressRules.h"
#include "forms/AreaTable.h"
#include "model/ProjectStore.h"
#include "sim/SimMessages.h"
#include "sim/SimulatedPlc.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <strings.h>
#include <tuple>

namespace dispcraft {

namespace {

// Order of the kinds among the uses of one screen: the object kinds as every list has them,
// then the records that are not objects.
constexpr int kKeyOrder = static_cast<int>(ObjectKinds::kCount);

int kindOrder(const char* kind) {
    int order = -1;
    int i = 0;
    forEachKind([&](auto k) {
        if (std::string_view(decltype(k)::kName) == kind) {
            order = i;
        }
        ++i;
    });
    if (order >= 0) {
        return order;
    }
    const char* rest[] = {AddressXref::kKey, AddressXref::kFunctionKey, AddressXref::kAlarmGroup,
                          AddressXref::kChangeRecord, AddressXref::kPanelSettings};
    for (int r = 0; r < 5; ++r) {
        if (std::string_view(rest[r]) == kind) {
            return kKeyOrder + r;
        }
    }
    return kKeyOrder + 5;
}

using EntryKey = std::tuple<int, bool, int, uint32_t, int>;

class Collector {
public:
    explicit Collector(const ProjectStore& store) : m_store(store) {}

    void add(const PlcUse& use, int screen, const char* kind, int index) {
        for (int i = 0; i < use.count; ++i) {
            const uint32_t address = use.address + static_cast<uint32_t>(i);
            const EntryKey key{use.port, use.bit, use.area, address, use.bit ? use.bitNumber : 0};
            auto it = m_entries.find(key);
            if (it == m_entries.end()) {
                it = m_entries.emplace(key, AddressXref::entryOf(m_store, use, i)).first;
            }
            it->second.uses.push_back({screen, kind, index, use.access});
        }
    }

    std::vector<AddressEntry> take() {
        std::vector<AddressEntry> out;
        out.reserve(m_entries.size());
        for (auto& [key, e] : m_entries) {
            auto before = [](const AddressUse& a, const AddressUse& b) {
                return std::tuple(a.screen, kindOrder(a.kind), a.index, a.access) <
                       std::tuple(b.screen, kindOrder(b.kind), b.index, b.access);
            };
            std::sort(e.uses.begin(), e.uses.end(), before);
            e.uses.erase(std::unique(e.uses.begin(), e.uses.end()), e.uses.end());
            out.push_back(std::move(e));
        }
        return out;
    }

private:
    const ProjectStore& m_store;
    std::map<EntryKey, AddressEntry> m_entries;
};

} // namespace

std::string AddressEntry::label() const {
    std::string s = portName() + " " + areaName + " " + addressText;
    if (bit) {
        s += "." + std::to_string(bitNumber);
    }
    return s;
}

AddressEntry AddressXref::entryOf(const ProjectStore& store, const PlcUse& use, int i) {
    AddressEntry e;
    e.port = use.port;
    e.bit = use.bit;
    e.area = use.area;
    e.address = use.address + static_cast<uint32_t>(i);
    e.bitNumber = use.bit ? use.bitNumber : 0;
    const PlcPortAreas areas = PlcPortAreas::fromProtocol(store.protocol(use.port + 1));
    const AreaTable& table = areas.table(use.bit);
    const std::vector<std::string> names = table.names();
    e.areaName = use.area >= 0 && static_cast<size_t>(use.area) < names.size()
                     ? names[static_cast<size_t>(use.area)]
                     : "?";
    e.addressText = NumberToAddress(e.address, table.format(use.area));
    if (e.addressText.empty()) {
        e.addressText = std::to_string(e.address); // an area the protocol does not list
    }
    return e;
}

std::vector<AddressEntry> AddressXref::build(const ProjectStore& store) {
    Collector c(store);
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (!store.screenExists(s)) {
            continue;
        }
        const ScreenEntry& e = store.entries[static_cast<size_t>(s)];
        const ScreenBlock& b = store.screens[static_cast<size_t>(s)];
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            if constexpr (requires(const typename K::Record& r) { K::plcUse(r); }) {
                const int n = std::min<int>(e.count<K>(), K::kCapacity);
                for (int i = 0; i < n; ++i) {
                    if (auto use = K::plcUse(b.records<K>()[static_cast<size_t>(i)])) {
                        c.add(*use, s, K::kName, i + 1);
                    }
                }
            }
        });
        // A key takes the screen's own record only where the project-wide one says so, as
        // opening the screen does.
        for (size_t k = 0; k < b.keys.size(); ++k) {
            if (store.globalKeys[k].flags & KeyRecord::kScreenOption) {
                if (auto use = b.keys[k].plcUse()) {
                    c.add(*use, s, kKey, static_cast<int>(k) + 1);
                }
            }
        }
    }
    for (size_t k = 0; k < store.globalKeys.size(); ++k) {
        if (!(store.globalKeys[k].flags & KeyRecord::kScreenOption)) {
            if (auto use = store.globalKeys[k].plcUse()) {
                c.add(*use, 0, kKey, static_cast<int>(k) + 1);
            }
        }
    }
    for (int g = 0; g < 2; ++g) {
        // The second group counts on models that have it.
        const AlarmBlock& a = store.alarms[static_cast<size_t>(g)];
        if ((g == 0 || store.alarmGroupCount > 1) && a.count > 0) {
            PlcUse use = a.plcUse();
            use.count = std::min<int>(a.count, capacity::kAlarmMessages);
            c.add(use, 0, kAlarmGroup, g + 1);
        }
    }
    const int changes = std::min<int>(store.changeCount, capacity::kChangeRecords);
    for (int i = 0; i < changes; ++i) {
        for (const PlcUse& use : store.changes[static_cast<size_t>(i)].plcUses()) {
            c.add(use, 0, kChangeRecord, i + 1);
        }
    }
    const auto control = store.projectBlock.controlUses();
    for (size_t i = 0; i < control.size(); ++i) {
        if (control[i]) {
            c.add(*control[i], 0, kPanelSettings, static_cast<int>(i) + 1);
        }
    }
    return c.take();
}

const char* AddressXref::accessName(PlcUse::Access access) {
    switch (access) {
    case PlcUse::Access::Read:
        return "read";
    case PlcUse::Access::Write:
        return "write";
    case PlcUse::Access::ReadWrite:
        return "read-write";
    }
    return "read";
}

std::string AddressXref::json(const std::vector<AddressEntry>& entries) {
    using Json = nlohmann::ordered_json;
    Json all = Json::array();
    for (const AddressEntry& e : entries) {
        Json uses = Json::array();
        for (const AddressUse& u : e.uses) {
            uses.push_back({{"screen", u.screen},
                            {"kind", u.kind},
                            {"index", u.index},
                            {"access", accessName(u.access)}});
        }
        all.push_back({{"port", e.portName()},
                       {"area", e.areaName},
                       {"address", e.addressText},
                       {"bit", e.bit ? Json(e.bitNumber) : Json(nullptr)},
                       {"uses", std::move(uses)}});
    }
    return all.dump(2, ' ', false, Json::error_handler_t::replace);
}

std::string AddressXref::text(const std::vector<AddressEntry>& entries) {
    size_t width = 0;
    for (const AddressEntry& e : entries) {
        width = std::max(width, e.label().size());
    }
    std::string out;
    for (const AddressEntry& e : entries) {
        std::string address = e.label();
        for (const AddressUse& u : e.uses) {
            address.resize(width, ' ');
            std::string where =
                u.screen == 0 ? std::string("project") : "screen " + std::to_string(u.screen);
            where.resize(11, ' ');
            std::string what = std::string(u.kind) + " " + std::to_string(u.index);
            what.resize(16, ' ');
            out += address + "  " + where + what + accessName(u.access) + "\n";
            address.clear();
        }
    }
    return out;
}

AddressXref::Found AddressXref::find(const std::vector<AddressEntry>& entries,
                                     const ProjectStore& store, std::string_view typed) {
    std::array<SimulatedPlc::Port, 2> ports;
    for (int p = 0; p < 2; ++p) {
        const std::string& name = p == 0 ? store.com1ProtocolName : store.com2ProtocolName;
        ports[static_cast<size_t>(p)].present = !name.empty() && (p == 0 || store.cpuId != 1);
        ports[static_cast<size_t>(p)].areas = PlcPortAreas::fromProtocol(store.protocol(p + 1));
    }
    const SimulatedPlc plc(ports);

    std::vector<std::string> words;
    {
        std::istringstream in{std::string(typed)};
        for (std::string w; in >> w;) {
            words.push_back(w);
        }
    }
    // The texts to try: as typed with a port, else on each port; one word is split after each
    // area name it starts with ("DM0078").
    std::vector<std::string> tries;
    auto onEachPort = [&](const std::string& rest) {
        for (int p = 0; p < 2; ++p) {
            if (ports[static_cast<size_t>(p)].present) {
                tries.push_back((p == 0 ? "COM1 " : "COM2 ") + rest);
            }
        }
    };
    const bool withPort = !words.empty() && (strcasecmp(words[0].c_str(), "COM1") == 0 ||
                                             strcasecmp(words[0].c_str(), "COM2") == 0);
    const std::vector<std::string> rest(words.begin() + (withPort ? 1 : 0), words.end());
    auto place = [&](const std::string& r) {
        if (withPort) {
            tries.push_back(words[0] + " " + r);
        } else {
            onEachPort(r);
        }
    };
    if (rest.size() == 2) {
        place(rest[0] + " " + rest[1]);
    } else if (rest.size() == 1) {
        for (const SimulatedPlc::Port& port : ports) {
            for (const AreaTable* table : {&port.areas.wordAreas, &port.areas.bitAreas}) {
                for (const std::string& name : table->names()) {
                    const std::string& w = rest[0];
                    if (w.size() > name.size() &&
                        strncasecmp(w.c_str(), name.c_str(), name.size()) == 0 &&
                        std::isxdigit(static_cast<unsigned char>(w[name.size()]))) {
                        place(name + " " + w.substr(name.size()));
                    }
                }
            }
        }
    }

    Found found;
    found.error = Message::string(simmsg::kAddressForm);
    bool errorFromLocate = false;
    for (const std::string& t : tries) {
        SimulatedPlc::Located at = plc.locate(t);
        if (!at.location) {
            if (!errorFromLocate && !found.valid) {
                found.error = at.error;
                errorFromLocate = true;
            }
            continue;
        }
        const PlcLocation& l = *at.location;
        const bool bit = l.kind == PlcLocation::Kind::Bit;
        if (!found.valid) {
            found.label = plc.describe(
                bit ? l : PlcLocation{l.port, PlcLocation::Kind::Word, l.area, l.address, 0});
        }
        found.valid = true;
        for (size_t i = 0; i < entries.size(); ++i) {
            const AddressEntry& e = entries[i];
            if (e.port == l.port && e.bit == bit && e.area == l.area && e.address == l.address &&
                (!bit || e.bitNumber == l.bit) &&
                std::find(found.entries.begin(), found.entries.end(), i) == found.entries.end()) {
                found.entries.push_back(i);
            }
        }
    }
    if (found.valid) {
        found.error = {};
    }
    return found;
}

} // namespace dispcraft
