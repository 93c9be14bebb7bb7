#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/LampForm.h"

#include <optional>

namespace dispcraft {

class AddressGroupControls;
class DotPreview;
class ReportList;
struct OptionGroup;

// The lamp dialog: the PLC bit that drives the lamp, the lamp picture file chosen from the lamp
// directory's list, and both pictures of that file previewed in the chosen order.
class LampDialog : public FormDialog {
    Q_OBJECT
public:
    LampDialog(LampForm& form, Prompts& prompts, QWidget* parent = nullptr);
    ~LampDialog() override;

    std::optional<LampForm::Values> run();

    DotPreview* previewArea() const { return m_preview; }

protected:
    void onOk() override;
    void showEvent(QShowEvent* event) override;

private:
    void chooseRow(int row);
    void renderPreview();

    LampForm& m_form;
    std::optional<LampForm::Values> m_values;
    AddressGroupControls* m_address = nullptr;
    ReportList* m_list = nullptr;
    DotPreview* m_preview = nullptr;
    std::unique_ptr<OptionGroup> m_order;
    bool m_timerStarted = false;
    bool m_missingReported = false;
};

} // namespace dispcraft
