#pragma once

#include "app/Prompts.h"
#include "app/UiText.h"
#include "forms/FormOutcome.h"

#include <QDialog>

class QDialogButtonBox;

namespace dispcraft {

// What the program's dialogs share: each is bound to its form, its controls carry the form's
// control IDs as object names ("ctl1003"), OK asks the form and a refusal is shown through the
// prompts with the focus put where the form says.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(Prompts& prompts, QWidget* parent);

    // The control of a form control ID, found by its object name.
    QWidget* control(int id) const;
    static QString controlName(int id) { return QStringLiteral("ctl%1").arg(id); }

protected:
    // Names a widget after its form control ID.
    template <typename W>
    W* named(W* widget, int id) {
        widget->setObjectName(controlName(id));
        return widget;
    }
    // OK and Cancel; OK calls onOk() (the dialog closes only when that accepts).
    QDialogButtonBox* makeButtons();
    virtual void onOk() = 0;

    // A refusal: its message (when it has one) and the focus; returns whether the outcome holds
    // values.
    template <typename T>
    bool settle(const FormOutcome<T>& outcome) {
        if (!outcome.message.empty()) {
            m_prompts.show(outcome.message, outcome.ok() ? Icon::Information : outcome.icon);
        }
        if (!outcome.ok() && outcome.focus != 0) {
            focusControl(outcome.focus);
        }
        return outcome.ok();
    }
    void focusControl(int id);

    Prompts& m_prompts;
};

} // namespace dispcraft
