#include "app/dialogs/ScreenManagerDialog.h"

#include "app/Commands.h"
#include "app/DialogRunner.h"
#include "app/dialogs/ScreenAssignDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dispcraft {

ScreenManagerDialog::ScreenManagerDialog(ScreenManagerForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("screenManagerDialog"));
    QString title = ui::caption(command::kScreenList);
    title.remove(QLatin1Char('&'));
    title.remove(QStringLiteral("..."));
    setWindowTitle(title);
    m_list = named(makeScreenList(this, ScreenManagerForm::columns()), ScreenManagerForm::kList);
    m_number = named(new QSpinBox(this), ScreenManagerForm::kNumber);
    m_number->setRange(0, 999);
    m_copy = named(new QPushButton(ui::text(appmsg::kCopyScreen), this), ScreenManagerForm::kCopy);
    m_delete = named(new QPushButton(ui::text(appmsg::kDeleteScreen), this), ScreenManagerForm::kDelete);
    m_renumber = named(new QPushButton(ui::text(appmsg::kRenumber), this), ScreenManagerForm::kRenumber);

    auto* side = new QVBoxLayout;
    auto* numberRow = new QFormLayout;
    numberRow->addRow(ui::text(appmsg::kScreenNumberLabel), m_number);
    side->addLayout(numberRow);
    side->addWidget(m_copy);
    side->addWidget(m_renumber);
    side->addWidget(m_delete);
    side->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(ui::text(appmsg::kOpenScreen), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("ok"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { onOk(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        QTreeWidgetItem* item = m_list->currentItem();
        if (!item || !item->isSelected()) {
            return;
        }
        m_form.select(m_list->indexOfTopLevelItem(item));
        m_number->setValue(static_cast<int>(m_form.fields().chosen));
        updateButtons();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        m_form.select(m_list->indexOfTopLevelItem(item));
        m_number->setValue(static_cast<int>(m_form.fields().chosen));
        updateButtons();
        if (m_ok->isEnabled()) {
            onOk();
        }
    });
    connect(m_number, &QSpinBox::valueChanged, this, [this](int v) { m_form.fields().chosen = v; });
    connect(m_copy, &QPushButton::clicked, this, [this] {
        m_form.fields().chosen = m_number->value();
        m_form.copy(m_prompts, [this](ScreenNumberForm& f) {
            ScreenNumberDialog d(f, m_prompts, this);
            return d.run();
        });
        fill();
    });
    connect(m_renumber, &QPushButton::clicked, this, [this] {
        m_form.fields().chosen = m_number->value();
        const int from = static_cast<int>(m_form.fields().chosen);
        m_form.renumber(m_prompts, [this](ScreenNumberNameForm& f) {
            ScreenNumberNameDialog d(f, m_prompts, this);
            return d.run();
        });
        const int to = static_cast<int>(m_form.fields().chosen);
        if (to != from) {
            m_moves.emplace_back(from, to);
        }
        fill();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_form.fields().chosen = m_number->value();
        m_form.remove(m_prompts);
        fill();
    });
    fill();
}

void ScreenManagerDialog::fill() {
    const long long chosen = m_form.fields().chosen;
    m_list->clear();
    for (const ScreenManagerForm::Row& r : m_form.rows()) {
        new QTreeWidgetItem(m_list, {ui::qs(r.id), ui::qs(r.name)});
    }
    m_number->setValue(static_cast<int>(chosen));
    updateButtons();
}

void ScreenManagerDialog::updateButtons() {
    m_copy->setEnabled(m_form.enabled(ScreenManagerForm::kCopy));
    m_delete->setEnabled(m_form.enabled(ScreenManagerForm::kDelete));
    m_renumber->setEnabled(m_form.enabled(ScreenManagerForm::kRenumber));
    m_ok->setEnabled(m_form.enabled(ScreenManagerForm::kOk));
}

void ScreenManagerDialog::onOk() {
    m_form.fields().chosen = m_number->value();
    FormOutcome<ScreenManagerForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_chosen = outcome.values->screen;
        accept();
    }
}

int ScreenManagerDialog::run() {
    m_chosen = 0;
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return 0;
    }
    return m_chosen;
}

ScreenNumberDialog::ScreenNumberDialog(ScreenNumberForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("screenNumberDialog"));
    setWindowTitle(ui::text(form.caption()));
    m_number = named(new QSpinBox(this), ScreenNumberForm::kEdit);
    m_number->setRange(0, 999);
    m_number->setValue(static_cast<int>(form.fields().number));
    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kScreenNumberLabel), m_number);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeButtons());
}

void ScreenNumberDialog::onOk() {
    m_form.fields().number = m_number->value();
    FormOutcome<ScreenNumberForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<ScreenNumberForm::Values> ScreenNumberDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

ScreenNumberNameDialog::ScreenNumberNameDialog(ScreenNumberNameForm& form, Prompts& prompts,
                                               QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("screenNumberNameDialog"));
    setWindowTitle(ui::text(form.caption()));
    m_number = named(new QSpinBox(this), ScreenNumberNameForm::kNumber);
    m_number->setRange(0, 999);
    m_number->setValue(static_cast<int>(form.fields().number));
    m_name = named(new QLineEdit(this), ScreenNumberNameForm::kName);
    m_name->setText(ui::qs(form.fields().name));
    m_name->setEnabled(form.nameEnabled());
    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kScreenNumberLabel), m_number);
    fields->addRow(ui::text(appmsg::kScreenNameLabel), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeButtons());
}

void ScreenNumberNameDialog::onOk() {
    m_form.fields().number = m_number->value();
    m_form.fields().name = ui::str(m_name->text());
    FormOutcome<ScreenNumberNameForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<ScreenNumberNameForm::Values> ScreenNumberNameDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

} // namespace dispcraft
