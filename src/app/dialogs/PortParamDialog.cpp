#include "app/dialogs/PortParamDialog.h"

#include "app/Commands.h"
#include "app/DialogRunner.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dispcraft {

PortParamDialog::PortParamDialog(PortParamForm& form, Prompts& prompts, int port, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("portParamDialog"));
    setWindowTitle(ui::text(Message::string(appmsg::kPortTitle, {std::to_string(port + 1)})));
    m_protocol = named(new QComboBox(this), PortParamForm::kProtocolList);
    m_baud = named(new QComboBox(this), PortParamForm::kBaudList);
    for (const std::string& rate : PortParamForm::baudEntries()) {
        m_baud->addItem(ui::qs(rate));
    }
    m_dataBits = named(new QComboBox(this), PortParamForm::kDataBitsList);
    m_dataBits->addItems({QStringLiteral("7"), QStringLiteral("8")});
    m_parity = named(new QComboBox(this), PortParamForm::kParityList);
    m_parity->addItems({ui::text(appmsg::kOdd), ui::text(appmsg::kEven), ui::text(appmsg::kNone)});
    m_stopBits = named(new QComboBox(this), PortParamForm::kStopBitsList);
    m_stopBits->addItems({QStringLiteral("1"), QStringLiteral("2")});
    m_fixedRate = named(new QLabel(ui::text(appmsg::kFixedRate), this), PortParamForm::kFixedRateNote);
    m_value = named(new QPushButton(ui::text(appmsg::kStation), this), PortParamForm::kValueButton);
    m_defaults = named(new QPushButton(ui::text(appmsg::kDefaults), this), PortParamForm::kDefaultsButton);
    m_protocol->setMinimumWidth(180);

    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kProtocolLabel), m_protocol);
    auto* baudRow = new QHBoxLayout;
    baudRow->addWidget(m_baud, 1);
    baudRow->addWidget(m_fixedRate, 1);
    m_baudLabel = new QLabel(ui::text(appmsg::kBaudLabel), this);
    m_baudLabel->setBuddy(m_baud);
    fields->addRow(m_baudLabel, baudRow);
    fields->addRow(ui::text(appmsg::kDataBitsLabel), m_dataBits);
    fields->addRow(ui::text(appmsg::kParityLabel), m_parity);
    fields->addRow(ui::text(appmsg::kStopBitsLabel), m_stopBits);
    auto* extra = new QHBoxLayout;
    extra->addWidget(m_value);
    extra->addStretch(1);
    extra->addWidget(m_defaults);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(extra);
    layout->addWidget(makeButtons());

    connect(m_protocol, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing || i < 0) {
            return;
        }
        takeChoices();
        m_form.fields().protocolName = ui::str(m_protocol->itemText(i));
        m_form.protocolChanged(m_prompts);
        showForm();
    });
    for (QComboBox* list : {m_baud, m_dataBits, m_parity, m_stopBits}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_showing) {
                takeChoices();
            }
        });
    }
    connect(m_defaults, &QPushButton::clicked, this, [this] {
        takeChoices();
        m_form.defaults(m_prompts);
        showForm();
    });
    connect(m_value, &QPushButton::clicked, this, [this] {
        m_form.valueButton([this](NumberForm& f) {
            NumberDialog dialog(f, m_prompts, this);
            return dialog.run();
        });
    });
    showForm();
}

void PortParamDialog::takeChoices() {
    PortParamForm::Choices& c = m_form.fields().choices;
    if (m_baud->currentIndex() >= 0) {
        c.baudText = ui::str(m_baud->currentText());
    }
    c.dataBits = qMax(0, m_dataBits->currentIndex());
    c.parity = qMax(0, m_parity->currentIndex());
    c.stopBits = qMax(0, m_stopBits->currentIndex());
}

void PortParamDialog::showForm() {
    m_showing = true;
    m_protocol->clear();
    for (const std::string& name : m_form.protocolEntries()) {
        m_protocol->addItem(ui::qs(name));
    }
    m_protocol->setCurrentIndex(m_form.protocolSelection());
    const PortParamForm::Choices& c = m_form.fields().choices;
    m_baud->setCurrentIndex(m_form.baudSelection());
    m_dataBits->setCurrentIndex(c.dataBits);
    m_parity->setCurrentIndex(c.parity);
    m_stopBits->setCurrentIndex(c.stopBits);
    m_baud->setVisible(m_form.visible(PortParamForm::kBaudList));
    m_fixedRate->setVisible(m_form.visible(PortParamForm::kFixedRateNote));
    m_value->setVisible(m_form.visible(PortParamForm::kValueButton));
    m_showing = false;
}

void PortParamDialog::onOk() {
    takeChoices();
    FormOutcome<PortParamForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<PortParamForm::Values> PortParamDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

NumberDialog::NumberDialog(NumberForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("numberDialog"));
    setWindowTitle(ui::text(appmsg::kValueTitle));
    m_edit = named(new QSpinBox(this), NumberForm::kEdit);
    m_edit->setRange(static_cast<int>(NumberForm::range().low), static_cast<int>(NumberForm::range().high));
    m_edit->setValue(static_cast<int>(form.fields().value));
    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kValueLabel), m_edit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeButtons());
}

void NumberDialog::onOk() {
    m_form.fields().value = m_edit->value();
    FormOutcome<NumberForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<NumberForm::Values> NumberDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

} // namespace dispcraft
