#include "app/dialogs/BitScreenTableDialog.h"

#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/ReportList.h"
#include "app/dialogs/ScreenManagerDialog.h"
#include "app/dialogs/SpinEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kCountLabel, kHint };
} // namespace

BitScreenTableDialog::BitScreenTableDialog(BitScreenTableForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("bitScreenTableDialog"));
    setWindowTitle(dlgtext::label(dlgtext::kSmall, kTitle));
    m_count = named(new SpinEdit(this), BitScreenTableForm::kCount);
    m_count->setSpinRange(BitScreenTableForm::countRange().low, BitScreenTableForm::countRange().high);
    m_count->setCharacters(3);
    m_count->setValue(static_cast<int>(form.fields().count));
    m_list = named(new ReportList(BitScreenTableForm::columns(), this), BitScreenTableForm::kList);
    m_list->setMinimumHeight(m_list->verticalHeader()->defaultSectionSize() * 10);
    connect(m_count, &SpinEdit::editingFinished, this, &BitScreenTableDialog::refresh);
    connect(m_list, &ReportList::cellDoubleClicked, this, [this](int row, int) { editRow(row); });

    auto* fields = new QFormLayout;
    fields->addRow(dlgtext::label(dlgtext::kSmall, kCountLabel), m_count);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(dlgtext::label(dlgtext::kSmall, kHint), this));
    layout->addWidget(makeButtons());
    m_form.refresh(m_prompts);
    fillList();
}

void BitScreenTableDialog::fillList() {
    std::vector<QStringList> rows;
    for (const BitScreenTableForm::Row& r : m_form.rows()) {
        rows.push_back({ui::qs(r.label), ui::text(r.screen)});
    }
    m_list->setRows(rows);
    if (m_count->value() != m_form.fields().count) {
        m_count->setValue(static_cast<int>(m_form.fields().count));
    }
}

void BitScreenTableDialog::refresh() {
    if (m_count->value() == m_form.fields().count && m_list->rowCount() == m_count->value()) {
        return;
    }
    m_form.fields().count = m_count->value();
    m_form.refresh(m_prompts);
    fillList();
}

void BitScreenTableDialog::editRow(int row) {
    refresh();
    m_form.editRow(row, m_prompts, [this](ScreenNumberForm& f) {
        ScreenNumberDialog dialog(f, m_prompts, this);
        return dialog.run();
    });
    fillList();
    m_list->selectRow(row);
}

void BitScreenTableDialog::onOk() {
    m_form.fields().count = m_count->value();
    FormOutcome<BitScreenTableForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<BitScreenTableForm::Values> BitScreenTableDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
