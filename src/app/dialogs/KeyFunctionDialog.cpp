#include "app/dialogs/KeyFunctionDialog.h"

#include "app/dialogs/AddressKeypadDialog.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/SpinEdit.h"
#include "forms/ObjectFormMessages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line {
    kActionGroup, kShowScreen, kBitAction, kWordAction, kFourthAction, kExtraOption,
    kBitModeGroup, kBitMode0, kWordSizeLabel = kBitMode0 + 4, kFormatGroup, kPerScreen,
};
QString line(int i) { return dlgtext::label(dlgtext::kKey, i); }
} // namespace

KeyFunctionDialog::KeyFunctionDialog(KeyFunctionForm& form, bool perScreen, const QString& title,
                                     Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("keyFunctionDialog"));
    setWindowTitle(title);
    using F = KeyFunctionForm;

    auto* actionBox = new QGroupBox(line(kActionGroup), this);
    auto* actionRows = new QVBoxLayout(actionBox);
    auto* actions = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_action[i] = named(new QRadioButton(line(kShowScreen + i), actionBox), F::kActionScreen + i);
        actions->addButton(m_action[i], i);
        actionRows->addWidget(m_action[i]);
    }
    actionRows->addStretch(1);
    m_perScreen = new QCheckBox(line(kPerScreen), this);
    m_perScreen->setObjectName(QStringLiteral("perScreen"));
    m_perScreen->setChecked(perScreen);

    // Screen number and value share the row under the label that names them (61545 / 61544).
    m_targetLabel = new QLabel(this);
    m_targetLabel->setObjectName(QStringLiteral("targetLabel"));
    m_screen = named(new SpinEdit(this), F::kScreenNumber);
    m_screen->setSpinRange(F::screenRange().low, F::screenRange().high);
    m_screen->setCharacters(4);
    m_extra = named(new QCheckBox(line(kExtraOption), this), F::kExtraOption);

    m_addressBox = new QGroupBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);
    m_port = named(new QComboBox(m_addressBox), F::kPortList);
    m_area = named(new QComboBox(m_addressBox), F::kAreaList);
    m_area->setMinimumContentsLength(8);
    m_address = named(AddressKeypadDialog::makeAddressEdit(m_addressBox), F::kAddress);
    m_keypad = named(new QPushButton(QStringLiteral("..."), m_addressBox), F::kKeypad);
    m_keypad->setAutoDefault(false);
    m_keypad->setMaximumWidth(m_keypad->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    m_bit = named(new SpinEdit(m_addressBox), F::kBitNumber);
    m_bit->setCharacters(3);
    auto* addressRows = new QFormLayout(m_addressBox);
    addressRows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kPortLabel), m_port);
    addressRows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kTypeLabel), m_area);
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(m_address);
    addressRow->addWidget(m_keypad);
    addressRow->addStretch(1);
    addressRows->addRow(buddyLabel(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressLabel), m_address), addressRow);
    addressRows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kBitLabel), m_bit);

    m_bitModeBox = new QGroupBox(line(kBitModeGroup), this);
    auto* modes = new QButtonGroup(this);
    auto* modeRows = new QVBoxLayout(m_bitModeBox);
    for (int i = 0; i < 4; ++i) {
        m_bitMode[i] = named(new QRadioButton(line(kBitMode0 + i), m_bitModeBox), F::kBitMode0 + i);
        modes->addButton(m_bitMode[i], i);
        modeRows->addWidget(m_bitMode[i]);
    }

    m_wordBox = new QGroupBox(line(kFormatGroup), this);
    m_wordSize = named(new QComboBox(m_wordBox), F::kWordSize);
    m_wordSize->addItem(ui::text(objectform::kWidth16));
    m_wordSize->addItem(ui::text(objectform::kWidth32));
    auto* formats = new QButtonGroup(this);
    auto* formatRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_format[i] = named(new QRadioButton(dlgtext::label(dlgtext::kValues, dlgtext::kBcd + i), m_wordBox),
                            F::kFormat0 + i);
        formats->addButton(m_format[i], i);
        formatRow->addWidget(m_format[i]);
    }
    auto* wordRows = new QFormLayout(m_wordBox);
    wordRows->addRow(line(kWordSizeLabel), m_wordSize);
    wordRows->addRow(formatRow);
    m_value = named(new SpinEdit(this), F::kValue);
    m_value->setCharacters(11);

    auto* target = new QGridLayout;
    target->addWidget(m_targetLabel, 0, 0);
    target->addWidget(m_screen, 0, 1);
    target->addWidget(m_value, 0, 1);
    target->addWidget(m_extra, 1, 0, 1, 2);
    target->setColumnStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(actionBox);
    left->addWidget(m_perScreen);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(target);
    right->addWidget(m_addressBox);
    right->addWidget(m_bitModeBox);
    right->addWidget(m_wordBox);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(makeButtons());

    m_form.open(m_prompts);
    showForm();

    connect(actions, &QButtonGroup::idClicked, this, [this](int id) {
        take();
        m_form.fields().action = id;
        m_form.actionChanged();
        showForm();
    });
    connect(m_port, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        take();
        m_form.fields().port = i;
        m_form.portChanged();
        showForm();
    });
    connect(m_area, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing && i >= 0) {
            m_form.fields().area = i;
        }
    });
    connect(m_wordSize, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_showing && i >= 0) {
            m_form.fields().wordSize = i;
            m_form.wordSizeChanged();
            applyLimits();
        }
    });
    connect(formats, &QButtonGroup::idClicked, this, [this](int id) {
        m_form.fields().format = id;
        m_form.formatChanged();
        applyLimits();
    });
    connect(m_keypad, &QPushButton::clicked, this, [this] {
        take();
        if (auto text = AddressKeypadDialog::run(m_form.keypad(), m_prompts, this)) {
            m_form.keypadConfirmed(*text);
            showForm();
        }
    });
}

void KeyFunctionDialog::take() {
    KeyFunctionForm::Fields& f = m_form.fields();
    for (int i = 0; i < 4; ++i) {
        if (m_action[i]->isChecked()) {
            f.action = i;
        }
        if (m_bitMode[i]->isChecked()) {
            f.bitMode = i;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (m_format[i]->isChecked()) {
            f.format = i;
        }
    }
    f.screen = m_screen->value();
    f.extraOption = m_extra->isChecked();
    f.port = std::max(0, m_port->currentIndex());
    f.area = std::max(0, m_area->currentIndex());
    f.addressText = ui::str(m_address->text());
    f.bitNumber = m_bit->value();
    f.wordSize = std::max(0, m_wordSize->currentIndex());
    f.value = m_value->value();
}

void KeyFunctionDialog::applyLimits() {
    const KeyFunctionForm::ValueLimits lim = m_form.valueLimits();
    m_value->setSpinRange(lim.low, lim.high);
    m_value->setMaxLength(lim.characters);
}

void KeyFunctionDialog::showForm() {
    using F = KeyFunctionForm;
    m_showing = true;
    const F::Fields& f = m_form.fields();
    for (int i = 0; i < 4; ++i) {
        m_action[i]->setVisible(m_form.visible(F::kActionScreen + i));
        m_action[i]->setEnabled(m_form.enabled(F::kActionScreen + i));
    }
    m_action[std::clamp(f.action, 0, 3)]->setChecked(true);
    m_screen->setValue(static_cast<int>(f.screen));
    m_extra->setChecked(f.extraOption);
    m_port->clear();
    for (const std::string& p : m_form.portEntries()) {
        m_port->addItem(ui::qs(p));
    }
    m_port->setCurrentIndex(f.port);
    m_area->clear();
    for (const std::string& a : m_form.areaEntries()) {
        m_area->addItem(ui::qs(a));
    }
    m_area->setCurrentIndex(f.area);
    m_address->setText(ui::qs(f.addressText));
    const SpinRange bits = m_form.bitRange();
    m_bit->setSpinRange(bits.low, bits.high);
    m_bit->setValue(static_cast<int>(f.bitNumber));
    m_bit->setEnabled(m_form.enabled(F::kBitNumber));
    m_bitMode[std::clamp(f.bitMode, 0, 3)]->setChecked(true);
    m_wordSize->setCurrentIndex(f.wordSize);
    m_format[std::clamp(f.format, 0, 2)]->setChecked(true);
    m_value->setValue(static_cast<int>(f.value));
    applyLimits();

    m_targetLabel->setText(ui::text(m_form.groupLabel()));
    m_targetLabel->setVisible(m_form.screenGroupVisible() || m_form.wordGroupVisible());
    m_screen->setVisible(m_form.visible(F::kScreenNumber));
    m_value->setVisible(m_form.visible(F::kValue));
    m_extra->setVisible(m_form.visible(F::kExtraOption));
    m_addressBox->setVisible(m_form.addressGroupVisible());
    m_bitModeBox->setVisible(m_form.bitModeVisible());
    m_wordBox->setVisible(m_form.wordGroupVisible());
    m_showing = false;
}

void KeyFunctionDialog::onOk() {
    take();
    FormOutcome<KeyFunctionForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_result = Result{*outcome.values, m_perScreen->isChecked()};
        accept();
    }
}

std::optional<KeyFunctionDialog::Result> KeyFunctionDialog::run() { return runForValues(*this, m_result); }

} // namespace dispcraft
