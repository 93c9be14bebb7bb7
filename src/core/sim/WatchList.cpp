#include "sim/WatchList.h"

#include "base/FileIo.h"
#include "sim/SimMessages.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace dispcraft {

namespace {

using Json = nlohmann::json;

const char* generatorName(ValueGenerator::Kind k) {
    switch (k) {
    case ValueGenerator::Kind::Ramp: return "ramp";
    case ValueGenerator::Kind::Sine: return "sine";
    case ValueGenerator::Kind::None: break;
    }
    return "none";
}

void locateEntry(WatchEntry& e, const SimulatedPlc& plc) {
    SimulatedPlc::Located at = plc.locate(e.address);
    e.location = at.location;
    e.problem = at.location ? Message{} : at.error;
    if (e.location && e.location->isBit()) {
        e.generator = {}; // generators drive words
    }
}

} // namespace

std::string WatchList::pathFor(const std::string& projectPath) {
    if (projectPath.empty()) {
        return {};
    }
    std::string base = projectPath;
    const size_t slash = base.find_last_of('/');
    const size_t dot = base.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        base.erase(dot);
    }
    return base + ".sim.json";
}

std::optional<Message> WatchList::add(const std::string& address, const SimulatedPlc& plc) {
    WatchEntry e;
    e.address = address;
    locateEntry(e, plc);
    if (!e.location) {
        return e.problem;
    }
    e.address = plc.describe(*e.location);
    // The typed text stays when it names the same place: a six-position address cannot be
    // written back from its number.
    if (plc.locate(address).location == e.location) {
        e.address = address;
    }
    m_entries.push_back(std::move(e));
    return std::nullopt;
}

void WatchList::remove(size_t row) {
    if (row < m_entries.size()) {
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(row));
    }
}

void WatchList::relocate(const SimulatedPlc& plc) {
    for (WatchEntry& e : m_entries) {
        locateEntry(e, plc);
    }
}

void WatchList::apply(SimulatedPlc& plc, int64_t ms) const {
    for (const WatchEntry& e : m_entries) {
        if (e.location && e.generator.active() && !e.location->isBit()) {
            plc.write(*e.location, static_cast<uint16_t>(e.generator.valueAt(ms) & 0xFFFF));
        }
    }
}

std::string WatchList::toJson() const {
    Json rows = Json::array();
    for (const WatchEntry& e : m_entries) {
        Json row = {{"address", e.address}, {"display", WatchEntry::displayName(e.display)}};
        if (e.generator.active()) {
            row["generator"] = {{"kind", generatorName(e.generator.kind)},
                                {"low", e.generator.low},
                                {"high", e.generator.high},
                                {"periodMs", e.generator.periodMs}};
        }
        rows.push_back(std::move(row));
    }
    Json doc = {{"format", "dispcraft-watch-list"}, {"version", kFileVersion}, {"rows", rows}};
    return doc.dump(2) + "\n";
}

std::optional<Message> WatchList::fromJson(const std::string& text, const SimulatedPlc& plc) {
    std::vector<WatchEntry> read;
    try {
        const Json doc = Json::parse(text);
        if (!doc.is_object() || !doc.contains("rows") || !doc["rows"].is_array()) {
            return Message::string(simmsg::kWatchListUnreadable, {"", "it holds no list of rows"});
        }
        for (const Json& row : doc["rows"]) {
            if (!row.is_object() || !row.contains("address") || !row["address"].is_string()) {
                continue;
            }
            WatchEntry e;
            e.address = row["address"].get<std::string>();
            if (row.contains("display") && row["display"].is_string()) {
                e.display = WatchEntry::displayNamed(row["display"].get<std::string>()).value_or(e.display);
            }
            if (row.contains("generator") && row["generator"].is_object()) {
                const Json& g = row["generator"];
                const std::string kind = g.value("kind", std::string("none"));
                e.generator.kind = kind == "ramp"   ? ValueGenerator::Kind::Ramp
                                   : kind == "sine" ? ValueGenerator::Kind::Sine
                                                    : ValueGenerator::Kind::None;
                e.generator.low = std::clamp<int64_t>(g.value("low", int64_t{0}), -32768, 65535);
                e.generator.high = std::clamp<int64_t>(g.value("high", int64_t{1000}), -32768, 65535);
                e.generator.periodMs = std::clamp<int64_t>(g.value("periodMs", int64_t{10000}), 100, 86400000);
            }
            locateEntry(e, plc);
            read.push_back(std::move(e));
        }
    } catch (const Json::exception& ex) {
        return Message::string(simmsg::kWatchListUnreadable, {"", ex.what()});
    }
    m_entries = std::move(read);
    return std::nullopt;
}

std::optional<Message> WatchList::load(const std::string& path, const SimulatedPlc& plc) {
    auto bytes = FileIo::readBytes(path);
    if (!bytes) {
        return Message::string(simmsg::kWatchListUnreadable, {path, "it cannot be opened"});
    }
    std::optional<Message> m = fromJson(std::string(bytes->begin(), bytes->end()), plc);
    if (m && !m->args.empty()) {
        m->args[0] = path;
    }
    return m;
}

std::optional<Message> WatchList::save(const std::string& path) const {
    const std::string text = toJson();
    std::string why;
    if (!FileIo::writeAtomic(path, text.data(), text.size(), &why)) {
        return Message::string(simmsg::kWatchListNotWritten, {path, why});
    }
    return std::nullopt;
}

} // namespace dispcraft
