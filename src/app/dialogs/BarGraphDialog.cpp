#include "app/dialogs/BarGraphDialog.h"

#include "app/dialogs/AddressGroupControls.h"
#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/GraphicDialogParts.h"
#include "app/dialogs/SpinEdit.h"
#include "forms/GraphCoding.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kDirectionGroup, kUpward, kLeftward, kDownward, kRightward };
QString label(int line) { return dlgtext::label(dlgtext::kBarGraph, line); }
QString value(int line) { return dlgtext::label(dlgtext::kValues, line); }
} // namespace

BarGraphDialog::BarGraphDialog(BarGraphForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = BarGraphForm;
    setObjectName(QStringLiteral("barGraphDialog"));
    setWindowTitle(label(kTitle));

    m_address = new AddressGroupControls(form.address(), prompts, this);
    QGroupBox* addressBox = m_address->makeBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);
    m_coding = std::make_unique<OptionGroup>(this, value(dlgtext::kCodingGroup), F::kCodingGroup, graphCodingNames());
    // Made one after the other so the maximum comes first in the tab order.
    SpinEdit* maximum = named(new SpinEdit(this), F::kMaximum);
    SpinEdit* minimum = named(new SpinEdit(this), F::kMinimum);
    m_range = std::make_unique<ValueRangeBox>(this, maximum, minimum);
    m_direction = std::make_unique<OptionGroup>(
        this, label(kDirectionGroup), F::kDirectionGroup,
        QStringList{label(kUpward), label(kLeftward), label(kDownward), label(kRightward)});

    auto* right = new QVBoxLayout;
    right->addWidget(m_coding->box);
    right->addWidget(m_range->box);
    right->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(addressBox);
    left->addWidget(m_direction->box);
    left->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(makeButtons());

    m_address->show();
    m_coding->check(form.fields().coding);
    m_direction->check(form.fields().direction);
    showValues();

    connect(m_coding->buttons, &QButtonGroup::idClicked, this, [this](int id) {
        takeFields();
        m_form.setCoding(id);
        showValues();
    });
}

BarGraphDialog::~BarGraphDialog() = default;

void BarGraphDialog::takeFields() {
    BarGraphForm::Fields& f = m_form.fields();
    m_address->take();
    f.maximum = m_range->maximum->value();
    f.minimum = m_range->minimum->value();
    f.coding = m_coding->checked();
    f.direction = m_direction->checked();
}

void BarGraphDialog::showValues() {
    m_range->show(m_form.valueRange(), m_form.fields().maximum, m_form.fields().minimum);
}

void BarGraphDialog::onOk() {
    takeFields();
    FormOutcome<BarGraphForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<BarGraphForm::Values> BarGraphDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
