#pragma once

#include "editor/EditorObjects.h"
#include "editor/ExchangeRecords.h"

#include <optional>

namespace dispcraft {

class MessageSink;

// Conversions between working records and their exchange forms. Going out, a text that does not
// fit shows its record-length message and the record is written as far as it got (the caller
// still uses it). Coming in, the record is untrusted: it is refused (nothing) unless its kind
// byte marks it valid for paste and every count and position is one the editor can hold; texts
// are read up to their NUL or the end of their field.
class ExchangeConversion {
public:
    static TextStringExchange toExchange(const TextStringObject& o, MessageSink& sink);
    static MsgDispExchange toExchange(const MsgDispObject& o, MessageSink& sink);
    static NumDispExchange toExchange(const NumDispObject& o, MessageSink& sink);
    static LampExchange toExchange(const LampObject& o, MessageSink& sink);
    static BarGraphExchange toExchange(const BarGraphObject& o);
    static TrendGraphExchange toExchange(const TrendGraphObject& o);
    static PictureExchange toExchange(const PictureObject& o);
    static SidePairExchange toExchange(const SidePair& p) { return {p.value1, p.value2}; }

    static std::optional<TextStringObject> fromExchange(const TextStringExchange& e);
    static std::optional<MsgDispObject> fromExchange(const MsgDispExchange& e);
    static std::optional<NumDispObject> fromExchange(const NumDispExchange& e);
    static std::optional<LampObject> fromExchange(const LampExchange& e);
    static std::optional<BarGraphObject> fromExchange(const BarGraphExchange& e);
    static std::optional<TrendGraphObject> fromExchange(const TrendGraphExchange& e);
    static std::optional<PictureObject> fromExchange(const PictureExchange& e);
    static SidePair fromExchange(const SidePairExchange& e) { return {e.value1, e.value2}; }

    // Largest view coordinate a pasted object may have: the store halves it into 16 bits.
    // One grid step is left for the same-project offset of a paste.
    static constexpr int32_t kMaxCoordinate = 2 * 65535 - 16;
};

} // namespace dispcraft
