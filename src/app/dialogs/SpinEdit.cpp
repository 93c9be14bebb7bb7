#include "app/dialogs/SpinEdit.h"

#include <QFontMetrics>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace dispcraft {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    connect(lineEdit(), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_shownLength = text.size(); });
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setSpinRange(0, std::numeric_limits<int>::max());
    setCharacters(6);
}

void SpinEdit::setSpinRange(long long low, long long high) {
    m_low = std::max<long long>(low, minimum());
    m_high = std::min<long long>(high, maximum());
}

void SpinEdit::setCharacters(int characters) {
    // The full int range would make the box as wide as ten digits and a sign.
    const int digits = fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('8')));
    setMinimumWidth(digits + 40);
    setMaximumWidth(digits + 60);
}

// The line edit's own length limit would cut the text it holds, and with it the value, as soon as
// the limit shrinks; the limit is kept here instead and applies to what is typed.
void SpinEdit::setMaxLength(int characters) {
    m_typingLimit = characters;
}

QValidator::State SpinEdit::validate(QString& input, int& pos) const {
    if (m_typingLimit > 0 && input.size() > m_typingLimit && input.size() > m_shownLength) {
        return QValidator::Invalid;
    }
    return QSpinBox::validate(input, pos);
}

void SpinEdit::stepBy(int steps) {
    long long v = static_cast<long long>(value()) + steps * singleStep();
    setValue(static_cast<int>(std::clamp(v, m_low, m_high)));
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    StepEnabled e = StepNone;
    if (value() < m_high) {
        e |= StepUpEnabled;
    }
    if (value() > m_low) {
        e |= StepDownEnabled;
    }
    return e;
}

} // namespace dispcraft
