#include "app/dialogs/ModelLinkDialog.h"

#include "app/Commands.h"
#include "app/DialogRunner.h"
#include "app/dialogs/PortParamDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dispcraft {

ModelLinkDialog::ModelLinkDialog(ModelLinkForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("modelLinkDialog"));
    setWindowTitle(ui::text(appmsg::kNewProjectTitle));
    m_model = named(new QComboBox(this), ModelLinkForm::kModelList);
    m_protocols[0] = named(new QComboBox(this), ModelLinkForm::kCom1List);
    m_protocols[1] = named(new QComboBox(this), ModelLinkForm::kCom2List);
    m_params[0] = named(new QPushButton(ui::text(appmsg::kParameters), this), ModelLinkForm::kCom1Params);
    m_params[1] = named(new QPushButton(ui::text(appmsg::kParameters), this), ModelLinkForm::kCom2Params);
    m_summary = named(new QPlainTextEdit(this), ModelLinkForm::kSummary);
    m_summary->setReadOnly(true);
    m_summary->setFixedHeight(fontMetrics().lineSpacing() * 6);
    m_model->setMinimumWidth(220);

    auto* top = new QFormLayout;
    top->addRow(ui::text(appmsg::kModelLabel), m_model);
    auto* links = new QGroupBox(ui::text(appmsg::kLinks), this);
    auto* grid = new QFormLayout(links);
    for (int port = 0; port < 2; ++port) {
        auto* row = new QHBoxLayout;
        row->addWidget(m_protocols[port], 1);
        row->addWidget(m_params[port]);
        grid->addRow(ui::text(port == 0 ? appmsg::kCom1Label : appmsg::kCom2Label), row);
    }
    grid->addRow(m_summary);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(links);
    layout->addWidget(makeButtons());

    connect(m_model, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        m_form.fields().model = i;
        m_form.modelChanged(m_prompts);
        showForm();
    });
    for (int port = 0; port < 2; ++port) {
        connect(m_protocols[port], &QComboBox::currentIndexChanged, this, [this, port](int i) {
            if (m_showing || i < 0) {
                return;
            }
            m_form.fields().protocols[static_cast<size_t>(port)] = ui::str(m_protocols[port]->itemText(i));
            m_form.protocolChanged(port, m_prompts);
            showForm();
        });
        connect(m_params[port], &QPushButton::clicked, this, [this, port] { parameters(port); });
    }
    showForm();
}

void ModelLinkDialog::showForm() {
    m_showing = true;
    m_model->clear();
    for (const std::string& name : m_form.modelEntries()) {
        m_model->addItem(ui::qs(name));
    }
    m_model->setCurrentIndex(m_form.fields().model);
    for (int port = 0; port < 2; ++port) {
        QComboBox* list = m_protocols[port];
        list->clear();
        for (const std::string& name : m_form.protocolEntries(port)) {
            list->addItem(ui::qs(name));
        }
        list->setCurrentIndex(m_form.protocolSelection(port));
    }
    m_protocols[1]->setEnabled(m_form.enabled(ModelLinkForm::kCom2List));
    m_params[1]->setEnabled(m_form.enabled(ModelLinkForm::kCom2Params));
    QString summary = ui::qs(m_form.summary());
    summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_summary->setPlainText(summary);
    m_showing = false;
}

void ModelLinkDialog::parameters(int port) {
    m_form.portParameters(port, m_prompts, [this, port](PortParamForm& params) {
        PortParamDialog dialog(params, m_prompts, port, this);
        return dialog.run();
    });
    showForm();
}

void ModelLinkDialog::onOk() {
    FormOutcome<ModelLinkForm::Values> outcome = m_form.ok(m_prompts);
    showForm();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<ModelLinkForm::Values> ModelLinkDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

} // namespace dispcraft
