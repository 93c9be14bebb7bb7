#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/PortParamForm.h"

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace dispcraft {

// The port parameter dialog, bound to its (opened) form: the protocol file of one port and the
// line settings that differ from the file's.
class PortParamDialog : public FormDialog {
    Q_OBJECT
public:
    // port: 0 = COM1, 1 = COM2 (for the title).
    PortParamDialog(PortParamForm& form, Prompts& prompts, int port, QWidget* parent = nullptr);

    std::optional<PortParamForm::Values> run();

protected:
    void onOk() override;

private:
    void showForm();
    void takeChoices();

    PortParamForm& m_form;
    std::optional<PortParamForm::Values> m_values;
    QComboBox* m_protocol = nullptr;
    QComboBox* m_baud = nullptr;
    QComboBox* m_dataBits = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_stopBits = nullptr;
    QLabel* m_fixedRate = nullptr;
    QLabel* m_baudLabel = nullptr;
    QPushButton* m_value = nullptr;
    QPushButton* m_defaults = nullptr;
    bool m_showing = false;
};

// The number dialog: one value 0-65535 (the port's station).
class NumberDialog : public FormDialog {
    Q_OBJECT
public:
    NumberDialog(NumberForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<NumberForm::Values> run();

protected:
    void onOk() override;

private:
    NumberForm& m_form;
    std::optional<NumberForm::Values> m_values;
    QSpinBox* m_edit = nullptr;
};

} // namespace dispcraft
