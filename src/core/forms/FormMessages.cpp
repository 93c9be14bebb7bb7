#include "forms/FormMessages.h"

#include "forms/ObjectFormMessages.h"
#include "text/Gb2312.h"

namespace dispcraft::formmsg {

Message addressRange(const std::string& range) { return Message::followed(kAddressOutside, range + ")!"); }

Message lastBitRange(const std::string& range) { return Message::followed(kLastBitOutside, range + ")!"); }

Message range(long long low, long long high) { return objectform::rangeMessage(low, high); }

std::optional<size_t> gbLength(std::string_view utf8) { return Gb2312::byteLength(utf8); }

std::string cutGb(std::string_view gb, size_t maxBytes) {
    size_t i = 0;
    while (i < gb.size()) {
        size_t n = static_cast<unsigned char>(gb[i]) >= 0x80 ? 2 : 1;
        if (i + n > maxBytes || i + n > gb.size()) {
            break;
        }
        i += n;
    }
    return std::string(gb.substr(0, i));
}

} // namespace dispcraft::formmsg
