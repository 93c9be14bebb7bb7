#pragma once

#include <QSpinBox>

namespace dispcraft {

// A number edit with spin arrows. The arrows stay inside the spin range; typing accepts any
// integer, so that a value outside the range reaches the form's check and its message, as the
// dialogs' range checks expect.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setSpinRange(long long low, long long high);
    long long spinLow() const { return m_low; }
    long long spinHigh() const { return m_high; }
    // Width for this many characters of digits.
    void setCharacters(int characters);
    // At most this many characters may be typed (sign included). A longer text already shown
    // stays as it is: the limit holds back further typing, never what was typed before.
    void setMaxLength(int characters);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    long long m_low = 0;
    long long m_high = 0;
    int m_typingLimit = 0; // 0: no limit
    qsizetype m_shownLength = 0;
};

} // namespace dispcraft
