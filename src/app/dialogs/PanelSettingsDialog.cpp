#include "app/dialogs/PanelSettingsDialog.h"

#include "app/dialogs/AddressGroupControls.h"
#include "app/dialogs/BitScreenTableDialog.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/SpinEdit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line {
    kTitle, kUse1, kUse2, kOptionALabel, kOptionBLabel, kOptionCLabel, kOptionDLabel,
    kStartScreenLabel, kSetting1Label, kSetting4Label, kSetting2Label, kSetting3Label, kTable, kHelp,
    kOptionsGroup, kSettingsGroup,
};
QString line(int i) { return dlgtext::label(dlgtext::kSettings, i); }
} // namespace

QString PanelSettingsDialog::helpText() {
    QString text;
    for (const Message& piece : PanelSettingsForm::helpPieces()) {
        text += ui::text(piece);
    }
    return text;
}

PanelSettingsDialog::PanelSettingsDialog(PanelSettingsForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = PanelSettingsForm;
    setObjectName(QStringLiteral("panelSettingsDialog"));
    setWindowTitle(line(kTitle));

    auto* addresses = new QHBoxLayout;
    const int useIds[2] = {F::kUse1, F::kUse2};
    for (int i = 0; i < 2; ++i) {
        auto* box = new QGroupBox(this);
        auto* rows = new QFormLayout(box);
        m_use[i] = named(new QCheckBox(line(i == 0 ? kUse1 : kUse2), box), useIds[i]);
        rows->addRow(m_use[i]);
        m_group[i] = new AddressGroupControls(i == 0 ? form.address1() : form.address2(), prompts, this);
        m_group[i]->addRows(rows);
        addresses->addWidget(box);
        connect(m_use[i], &QCheckBox::toggled, this, [this, i](bool on) {
            take();
            if (i == 0) {
                m_form.fields().use1 = on;
                m_form.use1Changed();
            } else {
                m_form.fields().use2 = on;
                m_form.use2Changed();
            }
            showStates();
        });
    }
    connect(m_group[1], &AddressGroupControls::portChanged, this, [this] { showStates(); });

    auto* options = new QGroupBox(line(kOptionsGroup), this);
    auto* optionRows = new QVBoxLayout(options);
    m_optionA = named(new QCheckBox(line(kOptionALabel), options), F::kOptionA);
    m_optionB = named(new QCheckBox(line(kOptionBLabel), options), F::kOptionB);
    m_optionC = named(new QCheckBox(line(kOptionCLabel), options), F::kOptionC);
    m_optionD = named(new QCheckBox(line(kOptionDLabel), options), F::kOptionD);
    for (QCheckBox* c : {m_optionA, m_optionB, m_optionC, m_optionD}) {
        optionRows->addWidget(c);
    }
    optionRows->addStretch(1);

    auto spin = [this](int id, int characters) {
        auto* s = named(new SpinEdit(this), id);
        const SpinRange r = PanelSettingsForm::rangeOf(id);
        s->setSpinRange(r.low, r.high);
        s->setCharacters(characters);
        return s;
    };
    m_setting1 = spin(F::kSetting1, 4);
    m_startScreen = spin(F::kStartScreen, 4);
    m_setting2 = spin(F::kSetting2, 3);
    m_setting3 = spin(F::kSetting3, 5);
    m_setting4 = spin(F::kSetting4, 5);
    m_setting4->setButtonSymbols(QAbstractSpinBox::NoButtons); // a plain edit, no spin of its own
    auto* settings = new QGroupBox(line(kSettingsGroup), this);
    auto* settingRows = new QFormLayout(settings);
    settingRows->addRow(line(kSetting1Label), m_setting1);
    settingRows->addRow(line(kStartScreenLabel), m_startScreen);
    settingRows->addRow(line(kSetting2Label), m_setting2);
    settingRows->addRow(line(kSetting3Label), m_setting3);
    settingRows->addRow(line(kSetting4Label), m_setting4);

    m_table = named(new QPushButton(line(kTable), this), F::kTableButton);
    auto* help = named(new QPushButton(line(kHelp), this), F::kHelpButton);
    for (QPushButton* b : {m_table, help}) {
        b->setAutoDefault(false);
    }
    connect(m_table, &QPushButton::clicked, this, [this] {
        take();
        m_form.editTable(m_prompts, [this](BitScreenTableForm& f) {
            BitScreenTableDialog dialog(f, m_prompts, this);
            return dialog.run();
        });
    });
    connect(help, &QPushButton::clicked, this, [this] {
        m_prompts.showText(Message::text(ui::str(helpText())), Icon::Information,
                           PanelSettingsForm::helpCaption());
    });

    auto* lower = new QHBoxLayout;
    lower->addWidget(options);
    lower->addWidget(settings);
    auto* side = new QVBoxLayout;
    side->addWidget(m_table);
    side->addWidget(help);
    side->addStretch(1);
    lower->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(addresses);
    layout->addLayout(lower);
    layout->addWidget(makeButtons());

    m_form.open(m_prompts);
    const F::Fields& f = m_form.fields();
    for (QCheckBox* c : {m_use[0], m_use[1]}) {
        c->blockSignals(true);
    }
    m_use[0]->setChecked(f.use1);
    m_use[1]->setChecked(f.use2);
    for (QCheckBox* c : {m_use[0], m_use[1]}) {
        c->blockSignals(false);
    }
    m_optionA->setChecked(f.optionA);
    m_optionB->setChecked(f.optionB);
    m_optionC->setChecked(f.optionC);
    m_optionD->setChecked(f.optionD);
    m_setting1->setValue(static_cast<int>(f.setting1));
    m_startScreen->setValue(static_cast<int>(f.startScreen));
    m_setting2->setValue(static_cast<int>(f.setting2));
    m_setting3->setValue(static_cast<int>(f.setting3));
    m_setting4->setValue(static_cast<int>(f.setting4));
    m_group[0]->show();
    m_group[1]->show();
    showStates();
}

void PanelSettingsDialog::take() {
    PanelSettingsForm::Fields& f = m_form.fields();
    f.use1 = m_use[0]->isChecked();
    f.use2 = m_use[1]->isChecked();
    f.optionA = m_optionA->isChecked();
    f.optionB = m_optionB->isChecked();
    f.optionC = m_optionC->isChecked();
    f.optionD = m_optionD->isChecked();
    f.setting1 = m_setting1->value();
    f.startScreen = m_startScreen->value();
    f.setting2 = m_setting2->value();
    f.setting3 = m_setting3->value();
    f.setting4 = m_setting4->value();
    m_group[0]->take();
    m_group[1]->take();
}

void PanelSettingsDialog::showStates() {
    using F = PanelSettingsForm;
    const F::Fields& f = m_form.fields();
    m_group[0]->setGroupEnabled(f.use1);
    m_group[1]->setGroupEnabled(f.use2);
    m_optionB->setChecked(f.optionB);
    m_optionB->setEnabled(m_form.enabled(F::kOptionB));
    m_optionA->setEnabled(m_form.enabled(F::kOptionA));
    m_optionD->setEnabled(m_form.enabled(F::kOptionD));
    m_table->setVisible(m_form.visible(F::kTableButton));
    m_table->setEnabled(m_form.enabled(F::kTableButton));
}

void PanelSettingsDialog::onOk() {
    take();
    FormOutcome<PanelSettingsForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<PanelSettingsForm::Values> PanelSettingsDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
