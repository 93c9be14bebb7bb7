#include "app/dialogs/AlarmGroupDialog.h"

#include "app/dialogs/AddressKeypadDialog.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/ReportList.h"
#include "app/dialogs/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kStartLabel, kCountLabel, kOption1, kOption2, kTextsLabel };
QString line(int i) { return dlgtext::label(dlgtext::kAlarm, i); }
} // namespace

AlarmGroupDialog::AlarmGroupDialog(AlarmGroupForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = AlarmGroupForm;
    setObjectName(QStringLiteral("alarmGroupDialog"));
    setWindowTitle(line(kTitle));
    m_port = named(new QComboBox(this), F::kPortList);
    m_area = named(new QComboBox(this), F::kAreaList);
    m_area->setMinimumContentsLength(8);
    m_start = named(AddressKeypadDialog::makeAddressEdit(this), F::kStartAddress);
    m_keypad = named(new QPushButton(QStringLiteral("..."), this), F::kKeypad);
    m_keypad->setAutoDefault(false);
    m_keypad->setMaximumWidth(m_keypad->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    m_bit = named(new SpinEdit(this), F::kBitNumber);
    m_bit->setSpinRange(F::bitRange().low, F::bitRange().high);
    m_bit->setCharacters(3);
    m_count = named(new SpinEdit(this), F::kCount);
    m_count->setSpinRange(form.countRange().low, form.countRange().high);
    m_count->setCharacters(3);
    m_option1 = named(new QCheckBox(line(kOption1), this), F::kOption1);
    m_option2 = named(new QCheckBox(line(kOption2), this), F::kOption2);
    m_list = named(new ReportList(F::columns(), this), F::kList);
    m_list->setMinimumHeight(m_list->verticalHeader()->defaultSectionSize() * 12);
    m_list->setEditableColumn(
        0, static_cast<int>(F::kTextBytes),
        [this](int row, QString& text) { return m_form.textEdited(row, ui::str(text), m_prompts); },
        QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
            QAbstractItemView::EditKeyPressed);

    auto* address = new QGroupBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);
    auto* rows = new QFormLayout(address);
    rows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kPortLabel), m_port);
    rows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kTypeLabel), m_area);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(m_start);
    startRow->addWidget(m_keypad);
    startRow->addStretch(1);
    rows->addRow(buddyLabel(line(kStartLabel), m_start), startRow);
    rows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kBitLabel), m_bit);
    rows->addRow(line(kCountLabel), m_count);
    auto* left = new QVBoxLayout;
    left->addWidget(address);
    left->addWidget(m_option1);
    left->addWidget(m_option2);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(line(kTextsLabel), this));
    right->addWidget(m_list, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(makeButtons());

    m_option2->setEnabled(form.enabled(F::kOption2));
    m_form.open(m_prompts);
    showForm(0);

    connect(m_port, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        take();
        m_form.fields().port = i;
        showForm(m_form.portChanged(m_prompts));
    });
    connect(m_area, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        take();
        m_form.fields().area = i;
        showForm(m_form.rebuild(m_prompts));
    });
    connect(m_count, &SpinEdit::editingFinished, this, [this] {
        if (!m_showing && m_count->value() != m_form.fields().count) {
            rebuild();
        }
    });
    connect(m_start, &QLineEdit::editingFinished, this, [this] {
        if (!m_showing && ui::str(m_start->text()) != m_form.fields().startText) {
            rebuild();
        }
    });
    connect(m_keypad, &QPushButton::clicked, this, [this] {
        take();
        if (auto text = AddressKeypadDialog::run(m_form.keypad(), m_prompts, this)) {
            showForm(m_form.keypadConfirmed(*text, m_prompts));
        }
    });
}

void AlarmGroupDialog::take() {
    AlarmGroupForm::Fields& f = m_form.fields();
    f.port = std::max(0, m_port->currentIndex());
    f.area = std::max(0, m_area->currentIndex());
    f.startText = ui::str(m_start->text());
    f.bitNumber = m_bit->value();
    f.count = m_count->value();
    f.option1 = m_option1->isChecked();
    f.option2 = m_option2->isChecked();
}

void AlarmGroupDialog::rebuild() {
    take();
    showForm(m_form.rebuild(m_prompts));
}

void AlarmGroupDialog::showForm(int focus) {
    using F = AlarmGroupForm;
    m_showing = true;
    const F::Fields& f = m_form.fields();
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
    m_start->setText(ui::qs(f.startText));
    m_bit->setEnabled(m_form.enabled(F::kBitNumber));
    m_bit->setValue(static_cast<int>(f.bitNumber));
    m_count->setValue(static_cast<int>(f.count));
    m_option1->setChecked(f.option1);
    m_option2->setChecked(f.option2);
    std::vector<QStringList> rows;
    for (const F::Row& r : m_form.rows()) {
        rows.push_back({ui::qs(r.text), ui::qs(r.bitLabel)});
    }
    m_list->setRows(rows);
    m_showing = false;
    if (focus != 0) {
        focusControl(focus);
    }
}

void AlarmGroupDialog::onOk() {
    take();
    FormOutcome<AlarmGroupForm::Values> outcome = m_form.ok();
    const bool ok = outcome.ok();
    if (!ok) {
        // The range check may have reset the start address or the count.
        showForm(0);
    }
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<AlarmGroupForm::Values> AlarmGroupDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
