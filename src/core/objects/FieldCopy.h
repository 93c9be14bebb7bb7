#pragma once

namespace dispcraft::fieldcopy {

// A field of one form of an object (stored, working, exchange) copied into another form, kept to
// the width of its target.
template <typename To, typename From> void copy(To& to, const From& from) {
    to = static_cast<To>(from);
}

// The fields every kind that shows a register has in all its forms: the attribute byte, the
// address with its area-and-bit byte, and the value range.
template <typename From, typename To> void copyRegisterFields(const From& from, To& to) {
    copy(to.attr, from.attr);
    copy(to.address, from.address);
    copy(to.areaAndBit, from.areaAndBit);
    copy(to.maximum, from.maximum);
    copy(to.minimum, from.minimum);
}

} // namespace dispcraft::fieldcopy
