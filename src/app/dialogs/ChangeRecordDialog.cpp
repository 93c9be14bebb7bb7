#include "app/dialogs/ChangeRecordDialog.h"

#include "app/dialogs/AddressKeypadDialog.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/ReportList.h"
#include "app/dialogs/SpinEdit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line {
    kRecordTitle, kFirstGroup, kSecondGroup, kCountLabel, kFurtherLabel, kDirectionGroup,
    kToSecond, kToFirst, kTableTitle, kAdd, kEdit, kDelete,
};
QString line(int i) { return dlgtext::label(dlgtext::kChange, i); }
} // namespace

ChangeRecordDialog::ChangeRecordDialog(ChangeRecordForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = ChangeRecordForm;
    setObjectName(QStringLiteral("changeRecordDialog"));
    setWindowTitle(line(kRecordTitle));
    const F::Fields& f = form.fields();
    auto* sides = new QHBoxLayout;
    const int areaIds[2] = {F::kFirstArea, F::kSecondArea};
    const int textIds[2] = {F::kFirstAddress, F::kSecondAddress};
    const int keypadIds[2] = {F::kFirstKeypad, F::kSecondKeypad};
    const int bitIds[2] = {F::kFirstBit, F::kSecondBit};
    for (int side = 0; side < 2; ++side) {
        auto* box = new QGroupBox(line(side == 0 ? kFirstGroup : kSecondGroup), this);
        m_area[side] = named(new QComboBox(box), areaIds[side]);
        m_area[side]->setMinimumContentsLength(8);
        for (const std::string& a : side == 0 ? form.firstAreaEntries() : form.secondAreaEntries()) {
            m_area[side]->addItem(ui::qs(a));
        }
        m_area[side]->setCurrentIndex(side == 0 ? f.firstArea : f.secondArea);
        m_text[side] = named(AddressKeypadDialog::makeAddressEdit(box), textIds[side]);
        auto* keypad = named(new QPushButton(QStringLiteral("..."), box), keypadIds[side]);
        keypad->setAutoDefault(false);
        keypad->setMaximumWidth(keypad->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
        m_bit[side] = named(new SpinEdit(box), bitIds[side]);
        m_bit[side]->setSpinRange(F::bitRange().low, F::bitRange().high);
        m_bit[side]->setCharacters(3);
        m_bit[side]->setValue(static_cast<int>(side == 0 ? f.firstBit : f.secondBit));
        m_bit[side]->setEnabled(form.enabled(bitIds[side]));
        auto* rows = new QFormLayout(box);
        rows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kTypeLabel), m_area[side]);
        auto* addressRow = new QHBoxLayout;
        addressRow->addWidget(m_text[side]);
        addressRow->addWidget(keypad);
        addressRow->addStretch(1);
        rows->addRow(buddyLabel(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressLabel), m_text[side]), addressRow);
        rows->addRow(dlgtext::label(dlgtext::kAddress, dlgtext::kBitLabel), m_bit[side]);
        sides->addWidget(box);
        connect(keypad, &QPushButton::clicked, this, [this, side] {
            take();
            if (auto text = AddressKeypadDialog::run(m_form.keypad(side), m_prompts, this)) {
                m_form.keypadConfirmed(side, *text);
                showTexts();
            }
        });
    }
    m_count = named(new SpinEdit(this), F::kCount);
    m_count->setSpinRange(form.countRange().low, form.countRange().high);
    m_count->setCharacters(4);
    m_count->setValue(static_cast<int>(f.count));
    m_further = named(new SpinEdit(this), F::kFurther);
    m_further->setSpinRange(0, 65535);
    m_further->setValue(static_cast<int>(f.further));
    auto* direction = new QGroupBox(line(kDirectionGroup), this);
    auto* options = new QButtonGroup(this);
    auto* directionRow = new QHBoxLayout(direction);
    for (int i = 0; i < 2; ++i) {
        m_option[i] = named(new QRadioButton(line(kToSecond + i), direction), F::kOption + i);
        options->addButton(m_option[i], i);
        directionRow->addWidget(m_option[i]);
    }
    m_option[f.option == 1 ? 1 : 0]->setChecked(true);
    auto* more = new QFormLayout;
    more->addRow(line(kCountLabel), m_count);
    more->addRow(line(kFurtherLabel), m_further);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addLayout(more);
    layout->addWidget(direction);
    layout->addWidget(makeButtons());
    showTexts();
}

void ChangeRecordDialog::take() {
    ChangeRecordForm::Fields& f = m_form.fields();
    f.firstArea = std::max(0, m_area[0]->currentIndex());
    f.secondArea = std::max(0, m_area[1]->currentIndex());
    f.firstText = ui::str(m_text[0]->text());
    f.secondText = ui::str(m_text[1]->text());
    f.firstBit = m_bit[0]->value();
    f.secondBit = m_bit[1]->value();
    f.count = m_count->value();
    f.further = m_further->value();
    f.option = m_option[1]->isChecked() ? 1 : 0;
}

void ChangeRecordDialog::showTexts() {
    m_text[0]->setText(ui::qs(m_form.fields().firstText));
    m_text[1]->setText(ui::qs(m_form.fields().secondText));
}

void ChangeRecordDialog::onOk() {
    take();
    FormOutcome<ChangeRecordForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<ChangeRecordForm::Values> ChangeRecordDialog::run() { return runForValues(*this, m_values); }

ChangeTableDialog::ChangeTableDialog(ChangeTableForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    using F = ChangeTableForm;
    setObjectName(QStringLiteral("changeTableDialog"));
    setWindowTitle(line(kTableTitle));
    m_list = named(new ReportList(F::columns(), this), F::kList);
    m_list->setMinimumHeight(m_list->verticalHeader()->defaultSectionSize() * 12);
    auto* addButton = named(new QPushButton(line(kAdd), this), F::kAdd);
    auto* editButton = named(new QPushButton(line(kEdit), this), F::kEdit);
    auto* deleteButton = named(new QPushButton(line(kDelete), this), F::kDelete);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {addButton, editButton, deleteButton}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    connect(addButton, &QPushButton::clicked, this, &ChangeTableDialog::add);
    connect(editButton, &QPushButton::clicked, this, &ChangeTableDialog::edit);
    connect(deleteButton, &QPushButton::clicked, this, &ChangeTableDialog::remove);
    connect(m_list, &ReportList::cellDoubleClicked, this, [this](int row, int) {
        m_list->selectRow(row);
        edit();
    });
    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(makeButtons());
    fillList(-1);
}

FormRunner<ChangeRecordForm> ChangeTableDialog::runner() {
    return [this](ChangeRecordForm& f) {
        ChangeRecordDialog dialog(f, m_prompts, this);
        return dialog.run();
    };
}

void ChangeTableDialog::fillList(int select) {
    std::vector<QStringList> rows;
    for (const ChangeTableForm::Row& r : m_form.rows()) {
        QStringList cells;
        for (const std::string& c : r.columns) {
            cells << ui::qs(c);
        }
        rows.push_back(cells);
    }
    m_list->setRows(rows);
    m_list->selectRow(select);
}

void ChangeTableDialog::add() {
    m_form.add(m_prompts, runner());
    fillList(m_form.count() - 1);
}

void ChangeTableDialog::edit() {
    const int row = m_list->selectedRow();
    m_form.select(row);
    m_form.edit(m_prompts, runner());
    fillList(row);
}

void ChangeTableDialog::remove() {
    const int row = m_list->selectedRow();
    m_form.select(row);
    m_form.remove(m_prompts);
    fillList(std::min(row, m_form.count() - 1));
}

void ChangeTableDialog::onOk() {
    m_values = m_form.ok();
    accept();
}

std::optional<ChangeTableForm::Values> ChangeTableDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
