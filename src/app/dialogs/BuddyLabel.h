#pragma once

#include <QLabel>

namespace dispcraft {

// A label whose access key ("&A") moves the focus to the control it names; without a buddy the
// '&' would show as it is.
inline QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

} // namespace dispcraft
