#pragma once

// Crafted projects for the simulator tests, built through the real build into an image and run
// by the real panel runtime. The LCD sits at picture pixels (100, 60), so stored (50, 30) is dot
// (0, 0); at() takes LCD dots.

#include "core/image/BuildTestSupport.h"
#include "sim/Simulation.h"

#include <memory>

namespace simtest {

using namespace dispcraft;
using namespace buildtest;

inline uint16_t atX(int dot) { return static_cast<uint16_t>(50 + dot); }
inline uint16_t atY(int dot) { return static_cast<uint16_t>(30 + dot); }

// COM1 and COM2 each have the word area D (decimal, 0..7999) and the bit areas M (decimal) and
// X (octal).
inline void giveAreas(ProjectStore& store) {
    for (PortProtocol* p : {&store.com1Protocol, &store.com2Protocol}) {
        p->wordAreas.fill({"end", "end", "end"});
        p->bitAreas.fill({"end", "end", "end"});
        p->wordAreas[0] = {"D", "7999", "9999"};
        p->bitAreas[0] = {"M", "3071", "9999"};
        p->bitAreas[1] = {"X", "0377", "7777"};
        p->stationText = "15";
    }
}

struct SimProject {
    ProgramDir dir{"sim"};
    std::unique_ptr<ProjectStore> store;

    explicit SimProject(int cpuId = 2) : store(newStore(cpuId)) {
        giveAreas(*store);
        for (int s : {1, 2, 3}) {
            addScreen(*store, s);
        }
    }
    KeyRecord& key(int screen, int k) { return store->screens[screen].keys[static_cast<size_t>(k - 1)]; }

    std::unique_ptr<Simulation> start() {
        Simulation::Started started = Simulation::start(*store, dir.dir(), {});
        EXPECT_TRUE(started.simulation) << (started.failure ? started.failure->literal : "");
        return std::move(started.simulation);
    }
};

} // namespace simtest
