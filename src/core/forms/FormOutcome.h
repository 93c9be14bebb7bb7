#pragma once

#include "base/Message.h"
#include "base/MessageSink.h"

#include <optional>
#include <utility>

namespace dispcraft {

// What pressing OK in a property form gives: either the values to hand back (the dialog closes)
// or the first failing check (the dialog stays open with everything as typed). A confirmed
// outcome may still carry a notice that is shown before the dialog closes.
template <typename T>
struct FormOutcome {
    std::optional<T> values;
    Message message;       // the failure, or a notice when values are set
    int focus = 0;         // control ID that gets the focus after a failure, 0 = unchanged
    Icon icon = Icon::None;

    bool ok() const { return values.has_value(); }

    static FormOutcome accept(T v, Message notice = {}) {
        FormOutcome o;
        o.values = std::move(v);
        o.message = std::move(notice);
        return o;
    }
    static FormOutcome fail(Message m, int focus = 0, Icon icon = Icon::None) {
        FormOutcome o;
        o.message = std::move(m);
        o.focus = focus;
        o.icon = icon;
        return o;
    }
    // Carries a failure of another outcome type over.
    template <typename U>
    static FormOutcome failLike(const FormOutcome<U>& other) {
        return fail(other.message, other.focus, other.icon);
    }
};

// An inclusive range of a spin control.
struct SpinRange {
    long long low = 0;
    long long high = 0;
    bool contains(long long v) const { return v >= low && v <= high; }
    bool operator==(const SpinRange&) const = default;
};

} // namespace dispcraft
