#pragma once

#include <string>

namespace dispcraft::examples {

// Writes the seed corpus of the project file fuzzer into dir: files of every stored layout
// (formats 1, 3, 4, 6, 50 and 51), an empty project and a file that ends early. False on a write
// failure.
bool writeFuzzSeeds(const std::string& dir);

} // namespace dispcraft::examples
