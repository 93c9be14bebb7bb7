#pragma once

#include <cstdint>
#include <string>

namespace dispcraft {

class ProgramDirectory;
struct ProjectStore;

// The protocol files and link driver the build reads.
namespace linkfiles {

// The protocol name of port 1 or 2: the store's copy, else the project block's.
std::string protocolName(const ProjectStore& store, int port);
// A file name that would leave its directory (a path separator or "..").
bool unsafeName(const std::string& name);
// The link kind of a port: PLCID of the protocol file the build uses, modulo 256 (COM1 in
// "Protocol" for CPU_ID 1, else in "Protocol120\comport1"; COM2 in "Protocol120\comport2").
uint8_t linkKind(const ProjectStore& store, const ProgramDirectory& dir, int port);
// "Protocol\<name>.bin", whose first 4096 bytes open the image of a CPU_ID 1 model.
std::string imageDriverPath(const ProgramDirectory& dir, const std::string& com1Name);

} // namespace linkfiles

} // namespace dispcraft
