#pragma once

#include "base/Message.h"
#include "sim/SimulatedPlc.h"
#include "sim/WatchEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// The simulator's PLC memory table: the addresses the user watches, with their display and
// generators. It is kept beside the project (NAME.sim.json for NAME.trn), so the next session
// starts with the same rows; values are not kept, the PLCs start at 0.
class WatchList {
public:
    static constexpr int kFileVersion = 1;

    // NAME.sim.json beside NAME.trn; empty for a project that has no file yet.
    static std::string pathFor(const std::string& projectPath);

    const std::vector<WatchEntry>& entries() const { return m_entries; }
    std::vector<WatchEntry>& entries() { return m_entries; }

    // Adds a row for an address text; the message when it is not an address of the project.
    std::optional<Message> add(const std::string& address, const SimulatedPlc& plc);
    void remove(size_t row);
    // Locates every row again, for a rebuilt project (its protocols may have changed).
    void relocate(const SimulatedPlc& plc);
    // Drives every row with a generator to its value at a simulated time.
    void apply(SimulatedPlc& plc, int64_t ms) const;

    // The file's text, and reading it back. A file that cannot be read leaves the list as it
    // was and says why; rows it holds that are not addresses of the project are kept as they
    // are, marked with their problem.
    std::string toJson() const;
    std::optional<Message> fromJson(const std::string& text, const SimulatedPlc& plc);
    std::optional<Message> load(const std::string& path, const SimulatedPlc& plc);
    std::optional<Message> save(const std::string& path) const;

private:
    std::vector<WatchEntry> m_entries;
};

} // namespace dispcraft
