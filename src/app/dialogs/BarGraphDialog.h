#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/BarGraphForm.h"

#include <memory>
#include <optional>

namespace dispcraft {

class AddressGroupControls;
class SpinEdit;
struct OptionGroup;
struct ValueRangeBox;

// The bar graph dialog: the register, its coding and the value range the bar spans, and the
// direction in which the bar fills.
class BarGraphDialog : public FormDialog {
    Q_OBJECT
public:
    BarGraphDialog(BarGraphForm& form, Prompts& prompts, QWidget* parent = nullptr);
    ~BarGraphDialog() override;

    std::optional<BarGraphForm::Values> run();

protected:
    void onOk() override;

private:
    void takeFields();
    void showValues();

    BarGraphForm& m_form;
    std::optional<BarGraphForm::Values> m_values;
    AddressGroupControls* m_address = nullptr;
    std::unique_ptr<OptionGroup> m_coding;
    std::unique_ptr<OptionGroup> m_direction;
    std::unique_ptr<ValueRangeBox> m_range;
};

} // namespace dispcraft
