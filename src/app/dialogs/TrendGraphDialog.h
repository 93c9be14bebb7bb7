#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/TrendGraphForm.h"

#include <memory>
#include <optional>

class QLabel;

namespace dispcraft {

class AddressGroupControls;
class SpinEdit;
struct OptionGroup;
struct ValueRangeBox;

// The trend graph dialog: the register plotted over time, its coding and value range, the
// spacing and count of the samples (the graph must fit the LCD's width) and setting A.
class TrendGraphDialog : public FormDialog {
    Q_OBJECT
public:
    TrendGraphDialog(TrendGraphForm& form, Prompts& prompts, QWidget* parent = nullptr);
    ~TrendGraphDialog() override;

    std::optional<TrendGraphForm::Values> run();

protected:
    void onOk() override;

private:
    void takeFields();
    void showFields();
    void showWidth();

    TrendGraphForm& m_form;
    std::optional<TrendGraphForm::Values> m_values;
    AddressGroupControls* m_address = nullptr;
    std::unique_ptr<OptionGroup> m_coding;
    std::unique_ptr<ValueRangeBox> m_range;
    SpinEdit* m_spacing = nullptr;
    SpinEdit* m_count = nullptr;
    SpinEdit* m_settingA = nullptr;
    QLabel* m_width = nullptr;
};

} // namespace dispcraft
