#pragma once

#include "app/DialogRunner.h"

#include <QDialog>

#include <optional>

namespace dispcraft {

// Shows a form dialog modally; the values its OK left in slot, or nothing when it was cancelled.
template <typename V>
std::optional<V> runForValues(QDialog& dialog, std::optional<V>& slot) {
    slot.reset();
    if (DialogRunner::exec(dialog) != QDialog::Accepted) {
        return std::nullopt;
    }
    return slot;
}

} // namespace dispcraft
