#include "app/dialogs/TextStringDialog.h"

#include "app/Commands.h"
#include "app/DialogRunner.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dispcraft {

TextStringDialog::TextStringDialog(TextStringForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("textStringDialog"));
    setWindowTitle(ui::text(appmsg::kTextStringTitle));
    m_text = named(new QLineEdit(this), TextStringForm::kText);
    m_text->setMinimumWidth(300);
    m_font = named(new QComboBox(this), TextStringForm::kFontList);
    for (const Message& name : form.fontList()) {
        m_font->addItem(ui::text(name));
    }
    auto* display = new QGroupBox(ui::text(appmsg::kDisplayGroup), this);
    m_normal = named(new QRadioButton(ui::text(appmsg::kNormal), display), TextStringForm::kReverseGroup);
    m_reverse = named(new QRadioButton(ui::text(appmsg::kReverse), display), TextStringForm::kReverseGroup + 1);
    auto* group = new QButtonGroup(this);
    group->addButton(m_normal, 0);
    group->addButton(m_reverse, 1);
    auto* row = new QHBoxLayout(display);
    row->addWidget(m_normal);
    row->addWidget(m_reverse);
    row->addStretch(1);

    auto* fields = new QFormLayout;
    fields->addRow(ui::text(appmsg::kTextLabel), m_text);
    fields->addRow(ui::text(appmsg::kFontLabel), m_font);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(display);
    layout->addWidget(makeButtons());

    const TextStringForm::Fields& f = form.fields();
    m_text->setText(ui::qs(f.text));
    m_font->setCurrentIndex(f.fontIndex);
    (f.reverse == 1 ? m_reverse : m_normal)->setChecked(true);
    m_text->selectAll();
    m_text->setFocus();
}

void TextStringDialog::takeFields() {
    TextStringForm::Fields& f = m_form.fields();
    f.text = ui::str(m_text->text());
    f.fontIndex = m_font->currentIndex();
    f.reverse = m_reverse->isChecked() ? 1 : 0;
}

void TextStringDialog::onOk() {
    takeFields();
    FormOutcome<TextStringForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

void TextStringDialog::reject() {
    m_form.cancel();
    QDialog::reject();
}

std::optional<TextStringForm::Values> TextStringDialog::run() {
    m_values.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_values;
}

} // namespace dispcraft
