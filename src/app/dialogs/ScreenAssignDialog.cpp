#include "app/dialogs/ScreenAssignDialog.h"

#include "app/Commands.h"
#include "app/DialogRunner.h"
#include "forms/ScreenNumberForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dispcraft {

QTreeWidget* makeScreenList(QWidget* parent, const std::vector<ListColumn>& columns) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAlternatingRowColors(true);
    QStringList titles;
    for (const ListColumn& c : columns) {
        titles << ui::text(c.title);
    }
    list->setHeaderLabels(titles);
    for (size_t i = 0; i < columns.size(); ++i) {
        // The columns' widths in the program's pixels, a little wider for today's fonts.
        list->setColumnWidth(static_cast<int>(i), columns[i].width + 16);
    }
    list->setMinimumWidth(300);
    list->setMinimumHeight(200);
    return list;
}

ScreenAssignDialog::ScreenAssignDialog(ScreenAssignForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("screenAssignDialog"));
    setWindowTitle(ui::text(ScreenNumberForm::kScreenNumberCaption));
    m_number = named(new QSpinBox(this), ScreenAssignForm::kNumber);
    // The spin's own range is wider than the form's, so that the form's refusal is the one
    // the user meets.
    m_number->setRange(0, 999);
    m_number->setValue(static_cast<int>(form.fields().number));
    m_name = named(new QLineEdit(this), ScreenAssignForm::kName);
    m_name->setText(ui::qs(form.fields().name));
    m_list = named(makeScreenList(this, ScreenAssignForm::columns()), ScreenAssignForm::kList);
    for (const ScreenAssignForm::Row& r : form.rows()) {
        new QTreeWidgetItem(m_list, {ui::qs(r.id), ui::qs(r.name)});
    }
    // Picking an existing screen fills in its number and name, for replacing it. Only a
    // selection counts: tabbing into the list makes a row current without selecting it, and
    // must not overwrite what was typed.
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> picked = m_list->selectedItems();
        if (picked.isEmpty()) {
            return;
        }
        m_form.pickRow(static_cast<size_t>(m_list->indexOfTopLevelItem(picked.first())));
        m_number->setValue(static_cast<int>(m_form.fields().number));
        m_name->setText(ui::qs(m_form.fields().name));
    });

    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kScreenNumberLabel), m_number);
    fields->addRow(ui::text(appmsg::kScreenNameLabel), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(new QLabel(ui::text(appmsg::kExistingScreens), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(makeButtons());
    m_name->setFocus();
}

void ScreenAssignDialog::onOk() {
    m_form.fields().number = m_number->value();
    m_form.fields().name = ui::str(m_name->text());
    FormOutcome<ScreenAssignForm::Values> outcome = m_form.ok(m_prompts);
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<ScreenAssignForm::Values> ScreenAssignDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

} // namespace dispcraft
