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
    kTitle, kUse1, kUse2, kOptionA, kOptionB, kOptionC, kOptionD, kStartScreen, kSetting1,
    kSetting2, kSetting3, kSetting4, kTable, kHelp, kOptionsGroup, kSettingsGroup,
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
    m_option1143 = named(new QCheckBox(line(kOptionA), options), F::kOption1143);
    m_option1130 = named(new QCheckBox(line(kOptionB), options), F::kOption1130);
    m_option1160 = named(new QCheckBox(line(kOptionC), options), F::kOption1160);
    m_option1161 = named(new QCheckBox(line(kOptionD), options), F::kOption1161);
    for (QCheckBox* c : {m_option1143, m_option1130, m_option1160, m_option1161}) {
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
    m_1107 = spin(F::kSetting1107, 4);
    m_1105 = spin(F::kSetting1105, 4);
    m_1009 = spin(F::kSetting1009, 3);
    m_1019 = spin(F::kSetting1019, 5);
    m_1006 = spin(F::kSetting1006, 5);
    m_1006->setButtonSymbols(QAbstractSpinBox::NoButtons); // a plain edit, no spin of its own
    auto* settings = new QGroupBox(line(kSettingsGroup), this);
    auto* settingRows = new QFormLayout(settings);
    settingRows->addRow(line(kSetting1), m_1107);
    settingRows->addRow(line(kStartScreen), m_1105);
    settingRows->addRow(line(kSetting3), m_1009);
    settingRows->addRow(line(kSetting4), m_1019);
    settingRows->addRow(line(kSetting2), m_1006);

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
    m_option1143->setChecked(f.option1143);
    m_option1130->setChecked(f.option1130);
    m_option1160->setChecked(f.option1160);
    m_option1161->setChecked(f.option1161);
    m_1107->setValue(static_cast<int>(f.setting1107));
    m_1105->setValue(static_cast<int>(f.setting1105));
    m_1009->setValue(static_cast<int>(f.setting1009));
    m_1019->setValue(static_cast<int>(f.setting1019));
    m_1006->setValue(static_cast<int>(f.setting1006));
    m_group[0]->show();
    m_group[1]->show();
    showStates();
}

void PanelSettingsDialog::take() {
    PanelSettingsForm::Fields& f = m_form.fields();
    f.use1 = m_use[0]->isChecked();
    f.use2 = m_use[1]->isChecked();
    f.option1143 = m_option1143->isChecked();
    f.option1130 = m_option1130->isChecked();
    f.option1160 = m_option1160->isChecked();
    f.option1161 = m_option1161->isChecked();
    f.setting1107 = m_1107->value();
    f.setting1105 = m_1105->value();
    f.setting1009 = m_1009->value();
    f.setting1019 = m_1019->value();
    f.setting1006 = m_1006->value();
    m_group[0]->take();
    m_group[1]->take();
}

void PanelSettingsDialog::showStates() {
    using F = PanelSettingsForm;
    const F::Fields& f = m_form.fields();
    m_group[0]->setGroupEnabled(f.use1);
    m_group[1]->setGroupEnabled(f.use2);
    m_option1130->setChecked(f.option1130);
    m_option1130->setEnabled(m_form.enabled(F::kOption1130));
    m_option1143->setEnabled(m_form.enabled(F::kOption1143));
    m_option1161->setEnabled(m_form.enabled(F::kOption1161));
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
