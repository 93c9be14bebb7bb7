#pragma once

#include "base/Message.h"
#include "image/BuildResult.h"
#include "image/ImageBuilder.h"
#include "objects/NumberFont.h"
#include "sim/PanelRuntime.h"
#include "sim/SimulatedPlc.h"
#include "sim/WatchList.h"

#include <memory>
#include <optional>

namespace dispcraft {

class ProgramDirectory;
struct ProjectStore;

// A project running in the simulator: its download image, built as the build command builds
// it and read back as the panel reads it, the panel on that image and the simulated PLCs with
// the memory table's generators driving them.
class Simulation {
public:
    struct Started {
        std::unique_ptr<Simulation> simulation; // none when the build stopped or its image is unreadable
        BuildResult build;                      // the build's outcome and warnings
        std::optional<Message> failure;         // why there is no simulation
    };

    // Builds the store's image (from a copy prepared as saving prepares it; the store is left as
    // it is) and powers the panel on. A PLC from an earlier run is kept when the project's
    // protocols are the same, so a rebuilt project meets the PLC as it was; its watch list moves
    // over as well.
    static Started start(const ProjectStore& store, const ProgramDirectory& dir, const BuildOptions& options,
                         Simulation* previous = nullptr);
    // The panel on an image alone, with PLCs that have no areas (all reads 0).
    Simulation(std::shared_ptr<const PanelImage> image, NumberFont numbers,
               std::unique_ptr<SimulatedPlc> plc = nullptr);

    // The PLCs of a project's protocols.
    static std::unique_ptr<SimulatedPlc> plcFor(const ProjectStore& store);
    // The panel's own characters for values: the program directory's single-byte glyphs, or
    // the built-in figures when the file is missing.
    static NumberFont numberFont(const ProgramDirectory& dir);

    PanelRuntime& panel() { return *m_panel; }
    const PanelRuntime& panel() const { return *m_panel; }
    SimulatedPlc& plc() { return *m_plc; }
    const SimulatedPlc& plc() const { return *m_plc; }
    WatchList& watch() { return m_watch; }
    const PanelImage& image() const { return *m_image; }

    // Simulated time passes, the generators driving their words before every scan.
    void advance(int64_t ms);

private:
    std::shared_ptr<const PanelImage> m_image;
    std::unique_ptr<SimulatedPlc> m_plc;
    std::unique_ptr<PanelRuntime> m_panel;
    WatchList m_watch;
};

} // namespace dispcraft
