#include "app/dialogs/GeneratorDialog.h"

#include "app/dialogs/DialogLabels.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace dispcraft {

namespace {
constexpr dlgtext::Pack kGenerator{65822, 0};
enum Line { kNone, kRamp, kSine, kTitle = 7, kKind, kLow, kHigh, kPeriod };
} // namespace

GeneratorDialog::GeneratorDialog(const ValueGenerator& g, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("generatorDialog"));
    setWindowTitle(dlgtext::label(kGenerator, kTitle));
    auto* form = new QFormLayout(this);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("kind"));
    for (int line : {kNone, kRamp, kSine}) {
        m_kind->addItem(dlgtext::label(kGenerator, line));
    }
    m_kind->setCurrentIndex(static_cast<int>(g.kind));
    auto spin = [this](const char* name, int low, int high, int value) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(low, high);
        s->setValue(value);
        return s;
    };
    m_low = spin("low", -32768, 65535, g.low);
    m_high = spin("high", -32768, 65535, g.high);
    m_period = spin("period", 100, 86400000, static_cast<int>(g.periodMs));
    m_period->setSingleStep(500);
    form->addRow(dlgtext::label(kGenerator, kKind), m_kind);
    form->addRow(dlgtext::label(kGenerator, kLow), m_low);
    form->addRow(dlgtext::label(kGenerator, kHigh), m_high);
    form->addRow(dlgtext::label(kGenerator, kPeriod), m_period);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

ValueGenerator GeneratorDialog::generator() const {
    ValueGenerator g;
    g.kind = static_cast<ValueGenerator::Kind>(m_kind->currentIndex());
    g.low = m_low->value();
    g.high = m_high->value();
    g.periodMs = m_period->value();
    return g;
}

} // namespace dispcraft
