#include "app/dialogs/AddressGroupControls.h"

#include "app/UiText.h"
#include "app/dialogs/AddressKeypadDialog.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/FormDialog.h"
#include "app/dialogs/SpinEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace dispcraft {

AddressGroupControls::AddressGroupControls(PlcAddressGroup& group, Prompts& prompts, QWidget* parent)
    : QObject(parent), m_group(group), m_prompts(prompts), m_parent(parent) {
    const PlcAddressGroup::Controls& ids = group.controls();
    m_port = new QComboBox(parent);
    m_type = new QComboBox(parent);
    m_bit = new SpinEdit(parent);
    m_bit->setCharacters(3);
    m_text = AddressKeypadDialog::makeAddressEdit(parent);
    m_keypad = new QPushButton(QStringLiteral("..."), parent);
    m_keypad->setAutoDefault(false);
    m_keypad->setMaximumWidth(m_keypad->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    m_port->setObjectName(FormDialog::controlName(ids.port));
    m_type->setObjectName(FormDialog::controlName(ids.type));
    m_bit->setObjectName(FormDialog::controlName(ids.bit));
    m_text->setObjectName(FormDialog::controlName(ids.text));
    m_keypad->setObjectName(FormDialog::controlName(ids.keypad));
    m_type->setMinimumContentsLength(8);
    m_type->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    connect(m_port, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        take();
        m_group.fields().port = i;
        m_group.portChanged();
        show();
        emit portChanged();
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        take();
        m_group.fields().type = i;
        emit typeChanged();
    });
    connect(m_keypad, &QPushButton::clicked, this, [this] {
        take();
        if (auto text = AddressKeypadDialog::run(m_group.keypad(), m_prompts, m_parent)) {
            m_group.keypadConfirmed(*text);
            show();
        }
    });
}

QGroupBox* AddressGroupControls::makeBox(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* rows = new QFormLayout(box);
    addRows(rows);
    return box;
}

void AddressGroupControls::addRows(QFormLayout* layout) {
    using namespace dlgtext;
    layout->addRow(label(kAddress, kPortLabel), m_port);
    layout->addRow(label(kAddress, kTypeLabel), m_type);
    auto* address = new QHBoxLayout;
    address->addWidget(m_text);
    address->addWidget(m_keypad);
    address->addStretch(1);
    layout->addRow(buddyLabel(label(kAddress, kAddressLabel), m_text), address);
    layout->addRow(label(kAddress, kBitLabel), m_bit);
}

void AddressGroupControls::show() {
    m_showing = true;
    const PlcAddressGroup::Fields& f = m_group.fields();
    m_port->clear();
    for (const std::string& p : m_group.portEntries()) {
        m_port->addItem(ui::qs(p));
    }
    m_port->setCurrentIndex(f.port);
    m_type->clear();
    for (const std::string& t : m_group.typeEntries()) {
        m_type->addItem(ui::qs(t));
    }
    m_type->setCurrentIndex(f.type);
    const SpinRange r = m_group.bitRange();
    m_bit->setSpinRange(r.low, r.high);
    m_bit->setValue(f.bitNumber);
    m_text->setText(ui::qs(f.addressText));
    setGroupEnabled(m_enabled);
    m_showing = false;
}

void AddressGroupControls::take() {
    PlcAddressGroup::Fields& f = m_group.fields();
    f.bitNumber = m_bit->value();
    f.addressText = ui::str(m_text->text());
}

void AddressGroupControls::setGroupEnabled(bool on) {
    m_enabled = on;
    for (QWidget* w : std::initializer_list<QWidget*>{m_port, m_type, m_text, m_keypad}) {
        w->setEnabled(on);
    }
    m_bit->setEnabled(on && m_group.bitEnabled());
}

} // namespace dispcraft
