#pragma once

#include <string>

namespace dispcraft {

class LampDotSource;
class MessageSink;

// What opening a stored record into a working one needs besides the record.
struct OpenContext {
    const std::string& screenPool; // the texts of the stored screen
    MessageSink& sink;
    LampDotSource& lamps;
};

} // namespace dispcraft
