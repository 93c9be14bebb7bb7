#include "app/dialogs/ShortNumDispDialog.h"

#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/GraphicDialogParts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line {
    kTitle, kFieldGroup, kEntryGroup, kDisplayOnly, kEntry, kDisplayGroup, kNormal, kReverse,
    kPanelGroup, kPanelOptionALabel, kPanelOptionB1Label, kPanelOptionB2Label, kPanelOptionCLabel, kFontLabel,
};
QString label(int line) { return dlgtext::label(dlgtext::kShortNum, line); }
} // namespace

ShortNumDispDialog::ShortNumDispDialog(ShortNumDispForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = ShortNumDispForm;
    setObjectName(QStringLiteral("shortNumDispDialog"));
    setWindowTitle(label(kTitle));

    QList<int> fieldIds;
    QStringList fieldNames;
    for (int i = 0; i < F::kFields; ++i) {
        fieldIds << F::kFirstField + i;
        fieldNames << ui::text(form.fieldNames()[static_cast<size_t>(i)]);
    }
    m_field = std::make_unique<OptionGroup>(this, label(kFieldGroup), fieldIds, fieldNames);
    m_entry = std::make_unique<OptionGroup>(this, label(kEntryGroup), F::kEntryGroup,
                                            QStringList{label(kDisplayOnly), label(kEntry)});
    m_reverse = std::make_unique<OptionGroup>(this, label(kDisplayGroup), F::kReverseGroup,
                                              QStringList{label(kNormal), label(kReverse)});
    m_panelOptionA = named(new QCheckBox(label(kPanelOptionALabel), this), F::kPanelOptionA);
    m_panelOptionB = std::make_unique<OptionGroup>(this, QString(), QList<int>{F::kPanelOptionB, F::kPanelOptionBSecond},
                                                QStringList{label(kPanelOptionB1Label), label(kPanelOptionB2Label)}, true);
    m_panelOptionB->setPlain();
    m_panelOptionC = named(new QCheckBox(label(kPanelOptionCLabel), this), F::kPanelOptionC);
    auto* panelBox = new QGroupBox(label(kPanelGroup), this);
    auto* panelRows = new QVBoxLayout(panelBox);
    panelRows->addWidget(m_panelOptionA);
    panelRows->addWidget(m_panelOptionB->box);
    panelRows->addWidget(m_panelOptionC);
    m_font = named(new QComboBox(this), F::kFontList);
    for (const Message& m : form.fontList()) {
        m_font->addItem(ui::text(m));
    }
    auto* fontRow = new QFormLayout;
    fontRow->addRow(label(kFontLabel), m_font);

    auto* right = new QVBoxLayout;
    right->addWidget(m_entry->box);
    right->addWidget(m_reverse->box);
    right->addWidget(panelBox);
    right->addLayout(fontRow);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_field->box);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(makeButtons());

    const F::Fields& f = form.fields();
    m_field->check(f.fieldChoice);
    m_entry->check(f.entryOption);
    m_reverse->check(f.reverseOption);
    m_font->setCurrentIndex(f.fontChoice);
    m_panelOptionA->setChecked(f.panelOptionA);
    m_panelOptionC->setChecked(f.panelOptionC);
    m_panelOptionB->check(f.panelOptionB);
    showStates();

    for (QButtonGroup* g : {m_field->buttons, m_entry->buttons}) {
        connect(g, &QButtonGroup::idClicked, this, [this] {
            takeFields();
            showStates();
        });
    }
    m_field->button(0)->setFocus();
}

ShortNumDispDialog::~ShortNumDispDialog() = default;

void ShortNumDispDialog::takeFields() {
    ShortNumDispForm::Fields& f = m_form.fields();
    f.fieldChoice = m_field->checked();
    f.entryOption = m_entry->checked();
    f.reverseOption = m_reverse->checked();
    f.panelOptionA = m_panelOptionA->isChecked();
    f.panelOptionC = m_panelOptionC->isChecked();
    f.panelOptionB = m_panelOptionB->checked();
    f.fontChoice = qMax(0, m_font->currentIndex());
}

void ShortNumDispDialog::showStates() {
    using F = ShortNumDispForm;
    m_panelOptionA->setEnabled(m_form.enabled(F::kPanelOptionA));
    m_panelOptionB->button(0)->setEnabled(m_form.enabled(F::kPanelOptionB));
    m_panelOptionB->button(1)->setEnabled(m_form.enabled(F::kPanelOptionBSecond));
    m_panelOptionC->setEnabled(m_form.enabled(F::kPanelOptionC));
}

void ShortNumDispDialog::onOk() {
    takeFields();
    FormOutcome<ShortNumDispForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<ShortNumDispForm::Values> ShortNumDispDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
