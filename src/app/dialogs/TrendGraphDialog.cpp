#include "app/dialogs/TrendGraphDialog.h"

#include "app/dialogs/AddressGroupControls.h"
#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/GraphicDialogParts.h"
#include "app/dialogs/SpinEdit.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kSamplesGroup, kSpacingLabel, kCountLabel, kSettingALabel, kWidthLabel, kWidthText };
QString label(int line) { return dlgtext::label(dlgtext::kTrendGraph, line); }
QString value(int line) { return dlgtext::label(dlgtext::kValues, line); }
} // namespace

TrendGraphDialog::TrendGraphDialog(TrendGraphForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = TrendGraphForm;
    setObjectName(QStringLiteral("trendGraphDialog"));
    setWindowTitle(label(kTitle));

    m_address = new AddressGroupControls(form.address(), prompts, this);
    QGroupBox* addressBox = m_address->makeBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);
    m_coding = std::make_unique<OptionGroup>(this, value(dlgtext::kCodingGroup), F::kCodingGroup, graphCodingNames());
    // Made one after the other so the maximum comes first in the tab order.
    SpinEdit* maximum = named(new SpinEdit(this), F::kMaximum);
    SpinEdit* minimum = named(new SpinEdit(this), F::kMinimum);
    m_range = std::make_unique<ValueRangeBox>(this, maximum, minimum);

    m_spacing = named(new SpinEdit(this), F::kSpacing);
    m_spacing->setSpinRange(F::kSpacingRange.low, F::kSpacingRange.high);
    m_spacing->setCharacters(4);
    m_count = named(new SpinEdit(this), F::kCount);
    m_count->setSpinRange(F::kCountRange.low, F::kCountRange.high);
    m_count->setCharacters(4);
    m_settingA = named(new SpinEdit(this), F::kSettingA);
    m_settingA->setSpinRange(F::kSettingASpinRange.low, F::kSettingASpinRange.high);
    m_settingA->setCharacters(4);
    m_width = new QLabel(this);
    m_width->setObjectName(QStringLiteral("graphWidth"));
    auto* samplesBox = new QGroupBox(label(kSamplesGroup), this);
    auto* samplesRows = new QFormLayout(samplesBox);
    samplesRows->addRow(label(kSpacingLabel), m_spacing);
    samplesRows->addRow(label(kCountLabel), m_count);
    samplesRows->addRow(label(kWidthLabel), m_width);
    samplesRows->addRow(label(kSettingALabel), m_settingA);

    auto* left = new QVBoxLayout;
    left->addWidget(addressBox);
    left->addWidget(samplesBox);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_coding->box);
    right->addWidget(m_range->box);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(makeButtons());

    m_address->show();
    showFields();

    connect(m_coding->buttons, &QButtonGroup::idClicked, this, [this](int id) {
        takeFields();
        m_form.setCoding(id);
        showFields();
    });
    // The width follows spacing and count as they are typed.
    for (SpinEdit* s : {m_spacing, m_count}) {
        connect(s, &QSpinBox::valueChanged, this, [this] {
            m_form.fields().spacing = m_spacing->value();
            m_form.fields().count = m_count->value();
            showWidth();
        });
    }
}

TrendGraphDialog::~TrendGraphDialog() = default;

void TrendGraphDialog::takeFields() {
    TrendGraphForm::Fields& f = m_form.fields();
    m_address->take();
    f.maximum = m_range->maximum->value();
    f.minimum = m_range->minimum->value();
    f.spacing = m_spacing->value();
    f.count = m_count->value();
    f.settingA = m_settingA->value();
    f.coding = m_coding->checked();
}

void TrendGraphDialog::showFields() {
    const TrendGraphForm::Fields& f = m_form.fields();
    m_coding->check(f.coding);
    m_range->show(m_form.valueRange(), f.maximum, f.minimum);
    m_spacing->setValue(static_cast<int>(f.spacing));
    m_count->setValue(static_cast<int>(f.count));
    m_settingA->setValue(static_cast<int>(f.settingA));
    showWidth();
}

void TrendGraphDialog::showWidth() {
    QString text = label(kWidthText);
    for (long long n : {m_form.width(), static_cast<long long>(TrendGraphForm::kLcdWidth)}) {
        const qsizetype at = text.indexOf(QStringLiteral("%d"));
        if (at >= 0) {
            text.replace(at, 2, QString::number(n));
        }
    }
    m_width->setText(text);
}

void TrendGraphDialog::onOk() {
    takeFields();
    FormOutcome<TrendGraphForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        // The lowered count is shown before the dialog closes.
        m_form.fields().count = m_values->count;
        showFields();
        accept();
    }
}

std::optional<TrendGraphForm::Values> TrendGraphDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
