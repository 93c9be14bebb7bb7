#include "app/dialogs/PanelModelDialog.h"

#include "app/Commands.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"

#include <QDialogButtonBox>
#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kModelTitle = 3 };
} // namespace

PanelModelDialog::PanelModelDialog(PanelModelForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("panelModelDialog"));
    setWindowTitle(dlgtext::label(dlgtext::kSmall, kModelTitle));
    m_list = named(new QComboBox(this), PanelModelForm::kList);
    for (const std::string& e : form.entries()) {
        m_list->addItem(ui::qs(e));
    }
    m_list->setMinimumContentsLength(24);
    m_list->setCurrentIndex(form.fields().selected);
    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kModelLabel), m_list);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeButtons());
}

void PanelModelDialog::onOk() {
    m_form.fields().selected = m_list->currentIndex();
    FormOutcome<PanelModelForm::Values> outcome = m_form.ok(m_prompts);
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<PanelModelForm::Values> PanelModelDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
