#include "forms/GraphValueRange.h"

#include "forms/GraphCoding.h"
#include "forms/ObjectFormMessages.h"

namespace dispcraft {

void GraphValueRange::open(uint8_t attr, long long storedMaximum, long long storedMinimum) {
    coding = graphcoding::fromAttr(attr);
    maximum = graphcoding::opened(coding, storedMaximum);
    minimum = graphcoding::opened(coding, storedMinimum);
}

objectform::Range GraphValueRange::range() const {
    return graphcoding::range(coding);
}

void GraphValueRange::setCoding(int newCoding) {
    coding = newCoding == graphcoding::kBcd || newCoding == graphcoding::kSigned
                 ? newCoding
                 : graphcoding::kUnsigned;
    const objectform::Range r = range();
    maximum = r.high;
    minimum = r.low;
}

FormOutcome<int> GraphValueRange::check(int maximumControl, int minimumControl) const {
    if (minimum >= maximum) {
        return FormOutcome<int>::fail(Message::string(objectform::kMinimumNotBelowMaximum), minimumControl, Icon::Warning);
    }
    const objectform::Range r = range();
    if (!r.contains(maximum) || !r.contains(minimum)) {
        return FormOutcome<int>::fail(Message::string(graphcoding::rangeMessage(coding)),
                                      r.contains(maximum) ? minimumControl : maximumControl);
    }
    return FormOutcome<int>::accept(0);
}

} // namespace dispcraft
