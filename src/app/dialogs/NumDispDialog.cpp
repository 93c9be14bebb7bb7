#include "app/dialogs/NumDispDialog.h"

#include "app/dialogs/AddressGroupControls.h"
#include "app/dialogs/AddressKeypadDialog.h"
#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/GraphicDialogParts.h"
#include "app/dialogs/SpinEdit.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line {
    kTitle, kEntryGroup, kDisplayOnly, kEntry, kDigitsLabel, kDecimalsLabel, kWidthLabel,
    kFontLabel, kDisplayGroup, kNormal, kReverse, kScaleOption, kScaleLabel, kPanelGroup,
    kPanelOptionALabel, kPanelOptionB1Label, kPanelOptionB2Label, kPanelOptionCLabel, kEntryRange, kAlarmOption, kHighLabel,
    kLowLabel, kSecondLabel, kFormatGroup,
};
QString label(int line) { return dlgtext::label(dlgtext::kNumDisp, line); }
QString value(int line) { return dlgtext::label(dlgtext::kValues, line); }

SpinEdit* valueSpin(QWidget* parent) {
    auto* s = new SpinEdit(parent);
    s->setCharacters(11);
    return s;
}
} // namespace

NumDispDialog::NumDispDialog(NumDispForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = NumDispForm;
    setObjectName(QStringLiteral("numDispDialog"));
    setWindowTitle(label(kTitle));

    m_address = new AddressGroupControls(form.address(), prompts, this);
    QGroupBox* addressBox = m_address->makeBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);
    m_secondLabel = named(new QLabel(label(kSecondLabel), this), F::kSecondAddressLabel);
    m_second = named(AddressKeypadDialog::makeAddressEdit(this), F::kSecondAddress);
    m_secondKeypad = named(new QPushButton(QStringLiteral("..."), this), F::kSecondKeypad);
    m_secondKeypad->setAutoDefault(false);
    m_secondKeypad->setMaximumWidth(m_secondKeypad->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    auto* secondRow = new QHBoxLayout;
    secondRow->addWidget(m_second);
    secondRow->addWidget(m_secondKeypad);
    secondRow->addStretch(1);
    m_secondLabel->setBuddy(m_second);
    static_cast<QFormLayout*>(addressBox->layout())->addRow(m_secondLabel, secondRow);

    m_entry = std::make_unique<OptionGroup>(this, label(kEntryGroup), F::kEntryGroup,
                                            QStringList{label(kDisplayOnly), label(kEntry)});

    // Format: coding, width, digits and decimals.
    m_coding = std::make_unique<OptionGroup>(
        this, value(dlgtext::kCodingGroup), QList<int>{F::kCodingBcd, F::kCodingUnsigned, F::kCodingSigned},
        QStringList{value(dlgtext::kBcd), value(dlgtext::kUnsigned), value(dlgtext::kSigned)});
    m_width = named(new QComboBox(this), F::kWidthList);
    for (const Message& m : form.widthList()) {
        m_width->addItem(ui::text(m));
    }
    m_digits = named(new SpinEdit(this), F::kDigits);
    m_digits->setCharacters(3);
    m_decimals = named(new SpinEdit(this), F::kDecimals);
    m_decimals->setCharacters(3);
    m_scaleOption = named(new QCheckBox(label(kScaleOption), this), F::kScaleOption);
    m_scale = named(new QLineEdit(this), F::kScaleFactor);
    auto* validator = new QDoubleValidator(m_scale);
    validator->setLocale(QLocale::c());
    m_scale->setValidator(validator);
    m_scale->setMaximumWidth(m_scale->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('8'))) + 16);
    auto* formatBox = new QGroupBox(label(kFormatGroup), this);
    auto* formatRows = new QFormLayout(formatBox);
    formatRows->addRow(label(kWidthLabel), m_width);
    formatRows->addRow(label(kDigitsLabel), m_digits);
    formatRows->addRow(label(kDecimalsLabel), m_decimals);
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(m_scaleOption);
    scaleRow->addWidget(m_scale);
    scaleRow->addStretch(1);
    formatRows->addRow(scaleRow);

    // Appearance.
    m_font = named(new QComboBox(this), F::kFontList);
    for (const Message& m : form.fontList()) {
        m_font->addItem(ui::text(m));
    }
    m_reverse = std::make_unique<OptionGroup>(this, label(kDisplayGroup), F::kReverseGroup,
                                              QStringList{label(kNormal), label(kReverse)}, true);
    auto* fontRow = new QFormLayout;
    fontRow->addRow(label(kFontLabel), m_font);

    // Entry range and the two-port models' alarm range.
    m_maximum = named(valueSpin(this), F::kMaximum);
    m_minimum = named(valueSpin(this), F::kMinimum);
    m_high = named(valueSpin(this), F::kHigh);
    m_low = named(valueSpin(this), F::kLow);
    auto* rangeBox = new QGroupBox(label(kEntryRange), this);
    auto* rangeRows = new QFormLayout(rangeBox);
    m_maximumLabel = new QLabel(value(dlgtext::kMaximumLabel), this);
    m_minimumLabel = new QLabel(value(dlgtext::kMinimumLabel), this);
    m_maximumLabel->setBuddy(m_maximum);
    m_minimumLabel->setBuddy(m_minimum);
    rangeRows->addRow(m_maximumLabel, m_maximum);
    rangeRows->addRow(m_minimumLabel, m_minimum);
    m_alarmOption = named(new QCheckBox(label(kAlarmOption), this), F::kAlarmOption);
    auto* alarmBox = new QGroupBox(this);
    m_alarmBox = alarmBox;
    auto* alarmRows = new QFormLayout(alarmBox);
    alarmRows->addRow(m_alarmOption);
    m_highLabel = named(new QLabel(label(kHighLabel), this), F::kAlarmRangeLabels);
    m_lowLabel = named(new QLabel(label(kLowLabel), this), F::kAlarmRangeLabels + 1);
    m_highLabel->setBuddy(m_high);
    m_lowLabel->setBuddy(m_low);
    alarmRows->addRow(m_highLabel, m_high);
    alarmRows->addRow(m_lowLabel, m_low);

    // The panel's own option bits.
    m_panelOptionA = named(new QCheckBox(label(kPanelOptionALabel), this), F::kPanelOptionA);
    m_panelOptionB = std::make_unique<OptionGroup>(this, QString(), QList<int>{F::kPanelOptionB1, F::kPanelOptionB2},
                                                QStringList{label(kPanelOptionB1Label), label(kPanelOptionB2Label)}, true);
    m_panelOptionB->setPlain();
    m_panelOptionC = named(new QCheckBox(label(kPanelOptionCLabel), this), F::kPanelOptionC);
    auto* panelBox = new QGroupBox(label(kPanelGroup), this);
    m_panelBox = panelBox;
    auto* panelRows = new QVBoxLayout(panelBox);
    panelRows->addWidget(m_panelOptionA);
    panelRows->addWidget(m_panelOptionB->box);
    panelRows->addWidget(m_panelOptionC);

    auto* left = new QVBoxLayout;
    left->addWidget(addressBox);
    left->addWidget(m_entry->box);
    left->addWidget(m_coding->box);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(formatBox);
    middle->addLayout(fontRow);
    middle->addWidget(m_reverse->box);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(rangeBox);
    right->addWidget(alarmBox);
    right->addWidget(panelBox);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(middle);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(makeButtons());

    // The two-port models' controls.
    for (int id : std::initializer_list<int>{F::kPanelOptionB1, F::kPanelOptionB2, F::kPanelOptionC, F::kAlarmOption, F::kHigh, F::kLow,
                   F::kAlarmRangeLabels, F::kAlarmRangeLabels + 1}) {
        if (QWidget* w = control(id)) {
            w->setVisible(form.shown(id));
        }
    }
    m_alarmBox->setVisible(form.shown(F::kAlarmOption));
    m_panelBox->setVisible(form.shown(F::kPanelOptionA) || form.shown(F::kPanelOptionC));

    connect(m_coding->buttons, &QButtonGroup::idClicked, this,
            [this](int id) { react([&] { m_form.setCoding(id); }); });
    connect(m_width, &QComboBox::currentIndexChanged, this,
            [this](int i) { react([&] { m_form.setWidth(i); }); });
    connect(m_entry->buttons, &QButtonGroup::idClicked, this,
            [this](int id) { react([&] { m_form.setEntryMode(id); }); });
    connect(m_alarmOption, &QCheckBox::toggled, this,
            [this](bool on) { react([&] { m_form.setAlarmOption(on); }); });
    connect(m_scaleOption, &QCheckBox::toggled, this, [this] { react([] {}); });
    connect(m_address, &AddressGroupControls::portChanged, this,
            [this] { react([&] { m_form.selectPort(m_form.address().fields().port); }); });
    connect(m_address, &AddressGroupControls::typeChanged, this,
            [this] { react([&] { m_form.selectType(m_form.address().fields().type); }); });
    connect(m_secondKeypad, &QPushButton::clicked, this, [this] {
        takeFields();
        if (auto text = AddressKeypadDialog::run(m_form.secondKeypad(), m_prompts, this)) {
            m_form.secondKeypadConfirmed(*text);
            showFields();
        }
    });

    showFields();
}

NumDispDialog::~NumDispDialog() = default;

void NumDispDialog::takeFields() {
    NumDispForm::Fields& f = m_form.fields();
    m_address->take();
    f.entryMode = m_entry->checked();
    f.digits = m_digits->value();
    f.decimals = m_decimals->value();
    f.scaleOption = m_scaleOption->isChecked();
    f.scale = QLocale::c().toDouble(m_scale->text());
    f.panelOptionA = m_panelOptionA->isChecked();
    f.maximum = m_maximum->value();
    f.minimum = m_minimum->value();
    f.high = m_high->value();
    f.low = m_low->value();
    f.alarmOption = m_alarmOption->isChecked();
    f.coding = m_coding->checked();
    f.width = qMax(0, m_width->currentIndex());
    f.font = qMax(0, m_font->currentIndex());
    f.reverse = m_reverse->checked();
    f.panelOptionB = m_panelOptionB->checked();
    f.panelOptionC = m_panelOptionC->isChecked();
    f.secondAddressText = ui::str(m_second->text());
}

void NumDispDialog::showFields() {
    m_showing = true;
    const NumDispForm::Fields& f = m_form.fields();
    m_address->show();
    m_entry->check(f.entryMode);
    m_coding->check(f.coding);
    m_width->setCurrentIndex(f.width);
    m_digits->setValue(static_cast<int>(f.digits));
    m_decimals->setValue(static_cast<int>(f.decimals));
    m_scaleOption->setChecked(f.scaleOption);
    m_scale->setText(QLocale::c().toString(f.scale, 'g', 7));
    m_font->setCurrentIndex(f.font);
    m_reverse->check(f.reverse);
    m_panelOptionA->setChecked(f.panelOptionA);
    m_panelOptionB->check(f.panelOptionB);
    m_panelOptionC->setChecked(f.panelOptionC);
    m_alarmOption->setChecked(f.alarmOption);
    m_maximum->setValue(static_cast<int>(f.maximum));
    m_minimum->setValue(static_cast<int>(f.minimum));
    m_high->setValue(static_cast<int>(f.high));
    m_low->setValue(static_cast<int>(f.low));
    m_second->setText(ui::qs(f.secondAddressText));
    showStates();
    m_showing = false;
}

void NumDispDialog::showStates() {
    using F = NumDispForm;
    const auto range = [this](SpinEdit* s, int spin) {
        const SpinRange r = m_form.spinRange(spin);
        s->setSpinRange(r.low, r.high);
    };
    range(m_digits, F::kDigitsSpin);
    range(m_decimals, F::kDecimalsSpin);
    range(m_maximum, F::kMaximumSpin);
    range(m_minimum, F::kMinimumSpin);
    range(m_high, F::kHighSpin);
    range(m_low, F::kLowSpin);
    m_scale->setEnabled(m_form.enabled(F::kScaleFactor));
    m_panelOptionA->setEnabled(m_form.enabled(F::kPanelOptionA));
    m_panelOptionB->button(0)->setEnabled(m_form.enabled(F::kPanelOptionB1));
    m_panelOptionB->button(1)->setEnabled(m_form.enabled(F::kPanelOptionB2));
    for (QWidget* w : std::initializer_list<QWidget*>{m_maximum, m_minimum, m_maximumLabel, m_minimumLabel}) {
        w->setEnabled(m_form.enabled(F::kMaximum));
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_high, m_low, m_highLabel, m_lowLabel}) {
        w->setEnabled(m_form.enabled(F::kHigh));
    }
    const bool second = m_form.shown(F::kSecondAddress);
    m_secondLabel->setVisible(second);
    m_second->setVisible(second);
    m_secondKeypad->setVisible(second);
}

void NumDispDialog::onOk() {
    takeFields();
    FormOutcome<NumDispForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<NumDispForm::Values> NumDispDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
