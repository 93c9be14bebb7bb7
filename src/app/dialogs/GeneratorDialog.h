#pragma once

#include "sim/ValueGenerator.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace dispcraft {

// Chooses the generator of a word in the simulator's memory table: none, a ramp or a sine
// wave, between a low and a high value over a period of simulated time.
class GeneratorDialog : public QDialog {
    Q_OBJECT
public:
    GeneratorDialog(const ValueGenerator& generator, QWidget* parent = nullptr);
    ValueGenerator generator() const;

private:
    QComboBox* m_kind;
    QSpinBox* m_low;
    QSpinBox* m_high;
    QSpinBox* m_period;
};

} // namespace dispcraft
