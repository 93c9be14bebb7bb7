#include "sim/Simulation.h"

#include "base/ProgramDirectory.h"
#include "image/Asc16Glyphs.h"
#include "model/ProjectStore.h"
#include "model/TrnWriter.h"
#include "sim/ImageReader.h"

namespace dispcraft {

Simulation::Simulation(std::shared_ptr<const PanelImage> image, NumberFont numbers,
                       std::unique_ptr<SimulatedPlc> plc)
    : m_image(std::move(image)), m_plc(plc ? std::move(plc) : std::make_unique<SimulatedPlc>()) {
    m_panel = std::make_unique<PanelRuntime>(m_image, *m_plc, std::move(numbers));
    m_panel->start();
}

std::unique_ptr<SimulatedPlc> Simulation::plcFor(const ProjectStore& store) {
    std::array<SimulatedPlc::Port, 2> ports;
    ports[0].present = !store.com1ProtocolName.empty();
    ports[0].protocol = store.com1ProtocolName;
    ports[0].areas = PlcPortAreas::fromProtocol(store.com1Protocol);
    // Only two-port models talk to a PLC on COM2.
    ports[1].present = store.cpuId != 1 && !store.com2ProtocolName.empty();
    ports[1].protocol = ports[1].present ? store.com2ProtocolName : std::string();
    ports[1].areas = PlcPortAreas::fromProtocol(store.com2Protocol);
    return std::make_unique<SimulatedPlc>(ports);
}

NumberFont Simulation::numberFont(const ProgramDirectory& dir) {
    NumberFont font = NumberFont::builtIn();
    if (auto ascii = Asc16Glyphs::load(Asc16Glyphs::pathIn(dir))) {
        for (char c : NumberFont::kCharacters) {
            font.setRows(c, ascii->rows(static_cast<uint8_t>(c)));
        }
    }
    return font;
}

Simulation::Started Simulation::start(const ProjectStore& store, const ProgramDirectory& dir,
                                      const BuildOptions& options, Simulation* previous) {
    Started out;
    auto prepared = std::make_unique<ProjectStore>(store);
    TrnWriter::Result ready = TrnWriter::prepare(*prepared);
    if (!ready.ok) {
        out.failure = ready.message;
        return out;
    }
    out.build = ImageBuilder::build(*prepared, dir, options);
    if (out.build.stopped()) {
        out.failure = out.build.failure;
        return out;
    }
    ImageReader::Result read = ImageReader::read(
        out.build.image, store.cpuId == 1 ? ImageReader::Layout::DriverInFront : ImageReader::Layout::HeaderFirst);
    if (!read.ok()) {
        out.failure = read.error;
        return out;
    }
    std::unique_ptr<SimulatedPlc> plc = plcFor(store);
    if (previous) {
        const SimulatedPlc& old = previous->plc();
        bool same = true;
        for (int p = 0; p < 2; ++p) {
            same = same && old.port(p).present == plc->port(p).present &&
                   old.port(p).protocol == plc->port(p).protocol;
        }
        if (same) {
            plc = std::move(previous->m_plc);
        }
    }
    out.simulation = std::make_unique<Simulation>(read.image, numberFont(dir), std::move(plc));
    if (previous) {
        out.simulation->m_watch = std::move(previous->m_watch);
        out.simulation->m_watch.relocate(out.simulation->plc());
    }
    return out;
}

void Simulation::advance(int64_t ms) {
    m_panel->advance(ms, [this](int64_t t) { m_watch.apply(*m_plc, t); });
}

} // namespace dispcraft
